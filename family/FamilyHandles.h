// The handles the family's libraries hold, closed by their owners on every path out,
// an exception's included (see core/ScopedHandle.h).
#pragma once
#include <windows.h>

#include "core/ScopedHandle.h"

namespace family {

struct TFindHandleTraits {
  typedef HANDLE Handle;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { FindClose(h); }
};
struct TFileHandleTraits {
  typedef HANDLE Handle;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { CloseHandle(h); }
};

typedef TScopedHandle<TFindHandleTraits> TFindHandle;
typedef TScopedHandle<TFileHandleTraits> TFileHandle;

}  // namespace family
