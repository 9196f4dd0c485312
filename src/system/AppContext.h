// The process-wide values of one run: created at start-up, swapped by tests.
#pragma once
#include <memory>
#include <string>

#include "system/OrvGetOSInfo.h"

struct TAppContext {
  std::unique_ptr<TOrvOSInfo> OSInfo;
  // Interface font defaults handed to every form.
  int UIFontHeight = -12;
  unsigned char UIFontCharset = 134;  // GB2312_CHARSET
  std::string IEExePath;
};

// The context of this process. Tests may install their own with SetAppContext.
TAppContext& AppContext();

// Installs ctx as the process context and returns the previous one (never null).
TAppContext* SetAppContext(TAppContext* ctx);
