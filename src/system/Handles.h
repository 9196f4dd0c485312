// The handle kinds of the program, each closed by its own call (see core/ScopedHandle.h),
// and the typed look-up of an export.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "core/ScopedHandle.h"
#include "system/RegistryCallCounts.h"

struct TKernelHandleTraits {  // processes, threads, tokens, mutexes, snapshots
  typedef HANDLE Handle;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { CloseHandle(h); }
};
struct TFileHandleTraits {  // CreateFile gives INVALID_HANDLE_VALUE, not null, on failure
  typedef HANDLE Handle;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { CloseHandle(h); }
};
struct TFindHandleTraits {
  typedef HANDLE Handle;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { FindClose(h); }
};
struct TModuleTraits {
  typedef HMODULE Handle;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { FreeLibrary(h); }
};
struct TRegKeyTraits {
  typedef HKEY Handle;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) {
    CountRegistryCall(kRegClose);
    RegCloseKey(h);
  }
};
template <typename Gdi>
struct TGdiObjectTraits {  // bitmaps, brushes, fonts
  typedef Gdi Handle;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DeleteObject(h); }
};
struct TMenuTraits {
  typedef HMENU Handle;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { DestroyMenu(h); }
};
struct TImageListTraits {
  typedef HIMAGELIST Handle;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ImageList_Destroy(h); }
};

typedef TScopedHandle<TKernelHandleTraits> TKernelHandle;
typedef TScopedHandle<TFileHandleTraits> TFileHandle;
// CreateToolhelp32Snapshot, like CreateFile, fails with INVALID_HANDLE_VALUE.
typedef TScopedHandle<TFileHandleTraits> TSnapshotHandle;
typedef TScopedHandle<TFindHandleTraits> TFindHandle;
typedef TScopedHandle<TModuleTraits> TModuleHandle;
typedef TScopedHandle<TRegKeyTraits> TRegKeyHandle;
typedef TScopedHandle<TGdiObjectTraits<HBITMAP>> TBitmapHandle;
typedef TScopedHandle<TGdiObjectTraits<HFONT>> TFontHandle;
typedef TScopedHandle<TGdiObjectTraits<HBRUSH>> TBrushHandle;
typedef TScopedHandle<TMenuTraits> TMenuHandle;
typedef TScopedHandle<TImageListTraits> TImageListHandle;

// The export name of module as a function of type Fn; null when module or the export is
// missing.
template <typename Fn>
Fn ProcAddress(HMODULE module, const char* name) {
  return module ? FunctionCast<Fn>(GetProcAddress(module, name)) : nullptr;
}
