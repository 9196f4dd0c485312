// Points TMP and TEMP of this process at another folder for a test's lifetime, so the junk
// engine's user-temporary category scans that folder.
#pragma once
#include <windows.h>

struct TTempRedirect {
  explicit TTempRedirect(const char* folder) {
    GetEnvironmentVariableA("TEMP", old, MAX_PATH);
    SetEnvironmentVariableA("TMP", folder);
    SetEnvironmentVariableA("TEMP", folder);
  }
  ~TTempRedirect() {
    SetEnvironmentVariableA("TMP", old);
    SetEnvironmentVariableA("TEMP", old);
  }
  TTempRedirect(const TTempRedirect&) = delete;
  TTempRedirect& operator=(const TTempRedirect&) = delete;
  char old[MAX_PATH] = {};
};
