// One owner for one handle of any kind. The traits name the handle type, the value that
// is no handle, and how one is closed:
//   struct TFindTraits {
//     typedef HANDLE Handle;
//     static Handle Invalid() { return INVALID_HANDLE_VALUE; }
//     static void Close(Handle h) { FindClose(h); }
//   };
//   TScopedHandle<TFindTraits> find(FindFirstFileW(pattern, &data));
// Move-only; Take() gives the handle up without closing it. Nothing here needs the
// operating system's headers: the traits bring them.
#pragma once

template <typename Traits>
class TScopedHandle {
 public:
  typedef typename Traits::Handle Handle;

  TScopedHandle() noexcept : handle_(Traits::Invalid()) {}
  explicit TScopedHandle(Handle handle) noexcept : handle_(handle) {}
  ~TScopedHandle() { Reset(); }
  TScopedHandle(TScopedHandle&& other) noexcept : handle_(other.Take()) {}
  TScopedHandle& operator=(TScopedHandle&& other) noexcept {
    if (this != &other) Reset(other.Take());
    return *this;
  }
  TScopedHandle(const TScopedHandle&) = delete;
  TScopedHandle& operator=(const TScopedHandle&) = delete;

  Handle Get() const noexcept { return handle_; }
  bool Valid() const noexcept { return handle_ != Traits::Invalid(); }
  explicit operator bool() const noexcept { return Valid(); }

  // The handle, which the caller now owns; the object holds none.
  Handle Take() noexcept {
    Handle handle = handle_;
    handle_ = Traits::Invalid();
    return handle;
  }
  // Closes the handle held, if any, and holds handle instead.
  void Reset(Handle handle = Traits::Invalid()) noexcept {
    if (Valid()) Traits::Close(handle_);
    handle_ = handle;
  }
  // For a function that hands a handle out through a pointer: what was held is closed.
  Handle* Receive() noexcept {
    Reset();
    return &handle_;
  }

 private:
  Handle handle_;
};

// A function pointer from the untyped address an export lookup gives (GetProcAddress),
// through void* so that no compiler warns about the cast between function types.
template <typename Fn, typename Address>
Fn FunctionCast(Address address) noexcept {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(address));
}
