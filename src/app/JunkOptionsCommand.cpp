// The main window's "选项" link.
#include "app/JunkOptionsForms.h"
#include "app/MainUnit.h"

void TFormPurvex::LblOptionClick() {
  if (!junk_) return;
  TSetupForm form(*junk_, RubbishConfig());
  if (form.ShowModal(hwnd_) == IDOK) {
    RubbishConfig().Save(*junk_);
    junk_->SetAgeFilter(RubbishConfig().Show2Days ? 2 : 0);
  } else {
    junk_->LoadSettings();
  }
}
