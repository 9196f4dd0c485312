// Test helper: leaves one file per start in the folder named by its first argument.
#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmd, int) {
  char path[MAX_PATH + 64];
  std::snprintf(path, sizeof path, "%s\\start-%lu.txt", cmd, GetCurrentProcessId());
  HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(h);
  return 0;
}
