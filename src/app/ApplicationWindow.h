// The application's own window: it carries the application title on the taskbar button
// and owns the main form, which therefore has no button of its own.
#pragma once
#include <windows.h>

#include <string>

class TApplicationWindow {
 public:
  explicit TApplicationWindow(const std::string& title);
  ~TApplicationWindow();
  TApplicationWindow(const TApplicationWindow&) = delete;
  TApplicationWindow& operator=(const TApplicationWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  void SetMainForm(HWND form) { mainForm_ = form; }
  // Minimising the main form minimises the application, which hides the main form until
  // the application is restored (also a main form not shown yet).
  void Minimize();

  LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

 private:

  HWND hwnd_ = nullptr;
  HWND mainForm_ = nullptr;
  bool formHiddenByMinimize_ = false;
};
