#include "ui/WindowThunk.h"

#include <gtest/gtest.h>

#include <new>
#include <string>

namespace {

std::string g_reported;
void Record(HWND, const char* what) { g_reported = what; }

// A window whose handler runs out of memory on one message.
struct Throwing {
  int handled = 0;
  LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) throw std::bad_alloc();
    if (msg == WM_APP + 1) return ++handled;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
};

}  // namespace

TEST(ObjectWndProc, AnErrorInAHandlerIsReportedAndTheWindowLivesOn) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = ObjectWndProc<Throwing>;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"PurvexThrowingTest";
  RegisterClassW(&wc);
  Throwing object;
  HWND hwnd = CreateWindowW(L"PurvexThrowingTest", L"", 0, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, &object);
  ASSERT_NE(hwnd, nullptr);
  SetHandlerErrorReporter(Record);
  EXPECT_EQ(SendMessageW(hwnd, WM_APP, 0, 0), 0);
  EXPECT_EQ(g_reported, std::bad_alloc().what());
  EXPECT_EQ(SendMessageW(hwnd, WM_APP + 1, 0, 0), 1) << "later messages are handled as before";
  SetHandlerErrorReporter(nullptr);
  DestroyWindow(hwnd);
}
