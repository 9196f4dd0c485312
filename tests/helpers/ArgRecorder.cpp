// Test helper: writes its command-line arguments into args-<pid>.txt beside itself.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmd, int) {
  char path[MAX_PATH + 32] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = std::strrchr(path, '\\');
  if (!slash) return 1;
  std::snprintf(slash + 1, 32, "args-%lu.txt", GetCurrentProcessId());
  HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(h, cmd, static_cast<DWORD>(std::strlen(cmd)), &written, nullptr);
  CloseHandle(h);
  return 0;
}
