// USERPROFILE of this test process pointed at a folder of the test for its lifetime.
#pragma once
#include <windows.h>

#include <string>

struct TProfileRedirect {
  explicit TProfileRedirect(const std::string& folder) {
    GetEnvironmentVariableA("USERPROFILE", old, MAX_PATH);
    SetEnvironmentVariableA("USERPROFILE", folder.c_str());
  }
  ~TProfileRedirect() { SetEnvironmentVariableA("USERPROFILE", old); }
  char old[MAX_PATH] = {};
};
