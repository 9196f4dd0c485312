#include "app/FamilyWindow.h"

#include <string>

#include "system/ResStrings.h"
#include "res/resource.h"
#include "system/WideText.h"

namespace {
struct Search {
  std::wstring Title;
  HWND Found;
};

BOOL CALLBACK MatchTitle(HWND hwnd, LPARAM lp) {
  Search* s = reinterpret_cast<Search*>(lp);
  wchar_t text[256] = {};
  GetWindowTextW(hwnd, text, 255);
  if (s->Title != text) return TRUE;
  s->Found = hwnd;
  return FALSE;
}
}  // namespace

HWND FindFamilyMainWindow() {
  Search s = {WideFromGbk("Marvolent " + LoadResString(IDS_FAMILY_URL)), nullptr};
  EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&s));
  return s.Found;
}
