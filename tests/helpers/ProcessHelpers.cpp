#include "helpers/ProcessHelpers.h"

#include <vector>

// A child left running by a failed test would hold what the next test needs (Purvex's
// single-instance mutex): it ends with its test.
TChild::~TChild() {
  Kill();
  if (Process) CloseHandle(Process);
}

bool TChild::Running() const { return Process && WaitForSingleObject(Process, 0) == WAIT_TIMEOUT; }

bool TChild::WaitExit(DWORD ms) const {
  return Process && WaitForSingleObject(Process, ms) == WAIT_OBJECT_0;
}

DWORD TChild::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (Process) GetExitCodeProcess(Process, &code);
  return code;
}

void TChild::Kill() {
  if (Running()) {
    TerminateProcess(Process, 99);
    WaitForSingleObject(Process, 5000);
  }
}

TChild StartChild(const std::wstring& commandLine) {
  TChild child;
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::wstring cmd = commandLine;
  if (CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    CloseHandle(pi.hThread);
    child.Process = pi.hProcess;
    child.Pid = pi.dwProcessId;
  }
  return child;
}

std::wstring ModuleDir() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path);
  return dir.substr(0, dir.find_last_of(L"\\/"));
}

namespace {
struct WindowQuery {
  DWORD pid;
  const std::wstring* className;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lp) {
  auto* q = reinterpret_cast<WindowQuery*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != q->pid) return TRUE;
  if (q->visibleOnly && !IsWindowVisible(hwnd)) return TRUE;
  if (!q->className->empty() && WindowClass(hwnd) != *q->className) return TRUE;
  q->found = hwnd;
  return FALSE;
}
}  // namespace

HWND FindProcessWindow(DWORD pid, const std::wstring& className, bool visibleOnly) {
  WindowQuery q = {pid, &className, visibleOnly, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&q));
  return q.found;
}

HWND WaitForProcessWindow(const TChild& child, const std::wstring& className, DWORD ms) {
  DWORD start = GetTickCount();
  for (;;) {
    if (HWND hwnd = FindProcessWindow(child.Pid, className)) return hwnd;
    if (!child.Running() || GetTickCount() - start > ms) return nullptr;
    Sleep(20);
  }
}

bool WaitExitWatchingWindows(const TChild& child, DWORD ms, bool& sawWindow) {
  sawWindow = false;
  DWORD start = GetTickCount();
  for (;;) {
    if (FindProcessWindow(child.Pid, L"")) sawWindow = true;
    if (child.WaitExit(10)) return true;
    if (GetTickCount() - start > ms) return false;
  }
}

std::wstring WindowText(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  std::vector<wchar_t> buf(n + 2);
  GetWindowTextW(hwnd, buf.data(), n + 1);
  return buf.data();
}

std::wstring WindowClass(HWND hwnd) {
  wchar_t buf[256] = {};
  GetClassNameW(hwnd, buf, 255);
  return buf;
}
