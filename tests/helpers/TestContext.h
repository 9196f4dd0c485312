// A fresh process context for one test, restored when the object goes. Its OS
// information says Windows 7 (or the version given), 64-bit exactly when wow64 is set.
#pragma once
#include "system/AppContext.h"
#include "system/OrvGetOSInfo.h"

class TTestContext {
 public:
  explicit TTestContext(bool wow64) : TTestContext(6, 1, wow64) {}
  TTestContext(int major, int minor, bool wow64) {
    TOrvOSInfoData data;
    data.VersionKnown = true;
    data.Major = major;
    data.Minor = minor;
    data.ProductType = 1;
    data.IsWow64 = wow64;
    Ctx.OSInfo.reset(new TOrvOSInfo(data));
    previous_ = SetAppContext(&Ctx);
  }
  // The answer of this machine (true in the win64 prefix).
  TTestContext() : TTestContext(TOrvOSInfo::Create()->IsWow64) {}
  ~TTestContext() { SetAppContext(previous_); }
  TTestContext(const TTestContext&) = delete;
  TTestContext& operator=(const TTestContext&) = delete;

  TAppContext Ctx;

 private:
  TAppContext* previous_ = nullptr;
};
