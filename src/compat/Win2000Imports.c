/* The posix-thread runtime (winpthreads) calls a few kernel32 functions that Windows
 * 2000 or XP lack. Defining their import slots here keeps them out of the import table:
 * each slot starts at a resolver that looks the function up at run time and falls back
 * to an equivalent built on older calls. This object must be linked directly (not from
 * a library) so the linker sees these slots before it searches kernel32's import library. */
#include <windows.h>

typedef ULONGLONG(WINAPI *TickCount64Fn)(void);
typedef PVOID(WINAPI *AddHandlerFn)(ULONG, PVECTORED_EXCEPTION_HANDLER);
typedef ULONG(WINAPI *RemoveHandlerFn)(PVOID);

static FARPROC Kernel32Proc(const char *name) {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  return kernel ? GetProcAddress(kernel, name) : NULL;
}

/* Windows XP: 32-bit ticks extended by counting wrap-arounds. Callers use it for
 * timeouts, where an occasional race on the wrap costs at most one early wake-up. */
static ULONGLONG WINAPI TickCount64FromTickCount(void) {
  static volatile LONG wraps = 0;
  static volatile DWORD last = 0;
  DWORD now = GetTickCount();
  if (now < last) InterlockedIncrement(&wraps);
  last = now;
  return ((ULONGLONG)(DWORD)wraps << 32) | now;
}

/* Windows 2000 has no vectored exception handlers; the runtime only uses one to learn
 * thread names for debuggers and copes with none. */
static PVOID WINAPI NoVectoredHandler(ULONG first, PVECTORED_EXCEPTION_HANDLER handler) {
  (void)first;
  (void)handler;
  return NULL;
}

static ULONG WINAPI NoVectoredHandlerRemoved(PVOID handle) {
  (void)handle;
  return 0;
}

static ULONGLONG WINAPI ResolveTickCount64(void);
static PVOID WINAPI ResolveAddHandler(ULONG first, PVECTORED_EXCEPTION_HANDLER handler);
static ULONG WINAPI ResolveRemoveHandler(PVOID handle);

TickCount64Fn purvex_imp_GetTickCount64 __asm__("__imp__GetTickCount64@0") = ResolveTickCount64;
AddHandlerFn purvex_imp_AddVectoredExceptionHandler
    __asm__("__imp__AddVectoredExceptionHandler@8") = ResolveAddHandler;
RemoveHandlerFn purvex_imp_RemoveVectoredExceptionHandler
    __asm__("__imp__RemoveVectoredExceptionHandler@4") = ResolveRemoveHandler;

static ULONGLONG WINAPI ResolveTickCount64(void) {
  TickCount64Fn fn = (TickCount64Fn)(void *)Kernel32Proc("GetTickCount64");
  purvex_imp_GetTickCount64 = fn ? fn : TickCount64FromTickCount;
  return purvex_imp_GetTickCount64();
}

static PVOID WINAPI ResolveAddHandler(ULONG first, PVECTORED_EXCEPTION_HANDLER handler) {
  AddHandlerFn fn = (AddHandlerFn)(void *)Kernel32Proc("AddVectoredExceptionHandler");
  purvex_imp_AddVectoredExceptionHandler = fn ? fn : NoVectoredHandler;
  return purvex_imp_AddVectoredExceptionHandler(first, handler);
}

static ULONG WINAPI ResolveRemoveHandler(PVOID handle) {
  RemoveHandlerFn fn = (RemoveHandlerFn)(void *)Kernel32Proc("RemoveVectoredExceptionHandler");
  purvex_imp_RemoveVectoredExceptionHandler = fn ? fn : NoVectoredHandlerRemoved;
  return purvex_imp_RemoveVectoredExceptionHandler(handle);
}
