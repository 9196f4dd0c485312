// Starting programs under test and watching their windows from outside.
#pragma once
#include <windows.h>

#include <string>

struct TChild {
  HANDLE Process = nullptr;
  DWORD Pid = 0;
  TChild() = default;
  TChild(const TChild&) = delete;
  TChild& operator=(const TChild&) = delete;
  TChild(TChild&& o) noexcept : Process(o.Process), Pid(o.Pid) { o.Process = nullptr; }
  TChild& operator=(TChild&& o) noexcept {
    if (this != &o) {
      Kill();
      if (Process) CloseHandle(Process);
      Process = o.Process;
      Pid = o.Pid;
      o.Process = nullptr;
    }
    return *this;
  }
  ~TChild();
  explicit operator bool() const { return Process != nullptr; }
  bool Running() const;
  // Waits up to ms for the process to end; true when it ended.
  bool WaitExit(DWORD ms) const;
  DWORD ExitCode() const;
  // Ends the process if it still runs (cleanup after a failed test; also on destruction).
  void Kill();
};

TChild StartChild(const std::wstring& commandLine);

// Folder of the running test program (where the build puts every program).
std::wstring ModuleDir();

// First top-level window of pid with that class (any class when empty).
HWND FindProcessWindow(DWORD pid, const std::wstring& className, bool visibleOnly = true);

// Polls for such a window up to ms; null when none appeared (or the process ended).
HWND WaitForProcessWindow(const TChild& child, const std::wstring& className, DWORD ms);

// Waits for the process to end while watching for any visible window of it.
// Returns true when it ended within ms; sawWindow tells whether a window showed up.
bool WaitExitWatchingWindows(const TChild& child, DWORD ms, bool& sawWindow);

std::wstring WindowText(HWND hwnd);
std::wstring WindowClass(HWND hwnd);
