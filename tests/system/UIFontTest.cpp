#include "system/UIFont.h"

#include <gtest/gtest.h>

#include "helpers/TestContext.h"
#include "system/WideText.h"

namespace {
std::wstring FaceAfterApply() {
  LOGFONTA font = {};
  lstrcpyA(font.lfFaceName, "Arial");
  font.lfHeight = 40;
  ApplyUIFont(font);
  EXPECT_EQ(font.lfHeight, -12);
  EXPECT_EQ(font.lfCharSet, 134);
  return WideFromGbk(font.lfFaceName);
}

// Sets the system's font smoothing for one test and restores it.
struct SmoothingSetting {
  BOOL old = FALSE;
  explicit SmoothingSetting(bool on) {
    SystemParametersInfoA(SPI_GETFONTSMOOTHING, 0, &old, 0);
    SystemParametersInfoA(SPI_SETFONTSMOOTHING, on, nullptr, 0);
  }
  ~SmoothingSetting() { SystemParametersInfoA(SPI_SETFONTSMOOTHING, old, nullptr, 0); }
};
}  // namespace

TEST(ApplyUIFont, VistaAndLaterUseYaheiWheneverItIsInstalled) {
  TTestContext ctx(6, 0, false);
  SmoothingSetting off(false);
  bool yahei = IsFontInstalled("微软雅黑");
  EXPECT_EQ(FaceAfterApply(), yahei ? L"微软雅黑" : L"宋体");
}

TEST(ApplyUIFont, XPWithoutSmoothingUsesSongti) {
  TTestContext ctx(5, 1, false);
  SmoothingSetting off(false);
  EXPECT_EQ(FaceAfterApply(), L"宋体");
  SmoothingSetting on(true);
  EXPECT_EQ(FaceAfterApply(), IsFontInstalled("微软雅黑") ? L"微软雅黑" : L"宋体");
}

TEST(IsFontInstalled, TellsInstalledFromMissingFaces) {
  EXPECT_TRUE(IsFontInstalled("WenQuanYi Micro Hei"));  // installed by the bootstrap
  EXPECT_FALSE(IsFontInstalled("Purvex No Such Face"));
}
