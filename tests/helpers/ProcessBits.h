// What only a 32-bit process has: file-system redirection and a true IsWow64Process. Tests
// of it skip in the 64-bit build, saying by name why.
#pragma once
#include <gtest/gtest.h>

constexpr bool kSixtyFourBitProcess = sizeof(void*) == 8;

#define PURVEX_SKIP_IN_64BIT_PROCESS(what) \
  if (kSixtyFourBitProcess) {                                                  \
    GTEST_SKIP() << what << ": only a 32-bit process has it";                  \
  }
