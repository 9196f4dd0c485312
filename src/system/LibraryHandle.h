// A DLL loaded for a few run-time look-ups and freed again when the object goes.
#pragma once
#include <windows.h>

#include "system/Handles.h"

class TLibrary {
 public:
  explicit TLibrary(const char* name) : module_(LoadLibraryA(name)) {}

  explicit operator bool() const { return module_.Valid(); }

  // The export as a function pointer of type Fn, or null.
  template <typename Fn>
  Fn Proc(const char* name) const {
    return ProcAddress<Fn>(module_.Get(), name);
  }

 private:
  TModuleHandle module_;
};
