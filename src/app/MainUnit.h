// TFormPurvex, the program's main window.
#pragma once
#include <windows.h>

class TApplicationWindow;

class TFormPurvex {
 public:
  static const int kClientWidth = 784;
  static const int kClientHeight = 538;

  explicit TFormPurvex(TApplicationWindow& app);
  ~TFormPurvex();
  TFormPurvex(const TFormPurvex&) = delete;
  TFormPurvex& operator=(const TFormPurvex&) = delete;

  HWND Handle() const { return hwnd_; }
  void Show();

  LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

 private:

  TApplicationWindow& app_;
  HWND hwnd_ = nullptr;
  HBRUSH background_ = nullptr;
};
