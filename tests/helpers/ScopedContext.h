// Installs a fresh process context for one test and puts the previous one back.
#pragma once
#include "system/AppContext.h"

class TScopedContext {
 public:
  TScopedContext() : previous_(SetAppContext(&ctx_)) {}
  // A context that reports the given Windows version (workstation).
  TScopedContext(int major, int minor, bool wow64 = false) : TScopedContext() {
    TOrvOSInfoData d;
    d.VersionKnown = true;
    d.Major = major;
    d.Minor = minor;
    d.ProductType = 1;
    d.IsWow64 = wow64;
    ctx_.OSInfo.reset(new TOrvOSInfo(d));
  }
  ~TScopedContext() { SetAppContext(previous_); }
  TScopedContext(const TScopedContext&) = delete;
  TScopedContext& operator=(const TScopedContext&) = delete;
  TAppContext& operator*() { return ctx_; }
  TAppContext* operator->() { return &ctx_; }

 private:
  TAppContext ctx_;
  TAppContext* previous_;
};
