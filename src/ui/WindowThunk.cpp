#include "ui/WindowThunk.h"

#include <string>

namespace {
std::wstring& Caption() {
  static std::wstring caption;
  return caption;
}
THandlerErrorReporter g_reporter = nullptr;
}  // namespace

void SetHandlerErrorReporter(THandlerErrorReporter reporter) { g_reporter = reporter; }

void SetHandlerErrorCaption(const wchar_t* caption) { Caption() = caption ? caption : L""; }

void ReportHandlerError(HWND hwnd, const char* what) {
  if (g_reporter) {
    g_reporter(hwnd, what);
    return;
  }
  // The text of a standard exception is plain ASCII.
  std::wstring text;
  for (const char* p = what ? what : ""; *p; ++p) text += static_cast<wchar_t>(static_cast<unsigned char>(*p));
  MessageBoxW(hwnd, text.c_str(), Caption().c_str(), MB_OK | MB_ICONERROR);
}
