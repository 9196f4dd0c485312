// COM initialised on this thread for the lifetime of the object, when it was not yet:
// the shell objects need an apartment, and a utility must not depend on its caller.
#pragma once
#include <objbase.h>

class TComApartment {
 public:
  TComApartment() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~TComApartment() {
    if (initialised_) CoUninitialize();
  }
  TComApartment(const TComApartment&) = delete;
  TComApartment& operator=(const TComApartment&) = delete;

 private:
  bool initialised_;  // S_OK and S_FALSE both need their CoUninitialize
};
