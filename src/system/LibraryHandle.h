// A DLL loaded for a few run-time look-ups and freed again when the object goes.
#pragma once
#include <windows.h>

class TLibrary {
 public:
  explicit TLibrary(const char* name) : module_(LoadLibraryA(name)) {}
  ~TLibrary() {
    if (module_) FreeLibrary(module_);
  }
  TLibrary(const TLibrary&) = delete;
  TLibrary& operator=(const TLibrary&) = delete;

  explicit operator bool() const { return module_ != nullptr; }

  // The export as a function pointer of type Fn, or null.
  template <typename Fn>
  Fn Proc(const char* name) const {
    return module_ ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)))
                   : nullptr;
  }

 private:
  HMODULE module_;
};
