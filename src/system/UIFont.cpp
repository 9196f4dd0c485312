#include "system/UIFont.h"

#include <cstring>
#include <string>

#include "system/ResStrings.h"
#include "res/resource.h"
#include "system/AppContext.h"
#include "system/RegistryKey.h"

namespace {

const UINT kGetFontSmoothing = 0x4A;  // SPI_GETFONTSMOOTHING

bool FontSmoothingOn() {
  if (AppContext().MajorVersion() >= 6) return true;
  BOOL on = FALSE;
  if (SystemParametersInfoA(kGetFontSmoothing, 0, &on, 0)) return on != FALSE;
  TRegistryKey key(HKEY_CURRENT_USER, "Control Panel\\Desktop", false, KEY_READ);
  if (!key) return false;
  char value[16] = {};
  DWORD size = sizeof value - 1, type = 0;
  return RegQueryValueExA(key.Handle(), "FontSmoothing", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
             ERROR_SUCCESS &&
         type == REG_SZ && std::strcmp(value, "2") == 0;
}

int CALLBACK StopAtFirstFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

}  // namespace

bool IsFontInstalled(const char* face) {
  HDC screen = GetDC(nullptr);
  if (!screen) return false;
  LOGFONTA query = {};
  query.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(query.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  EnumFontFamiliesExA(screen, &query, StopAtFirstFace, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

void ApplyUIFont(LOGFONTA& font) {
  const TAppContext& ctx = AppContext();
  const std::string yahei = LoadResString(IDS_FONT_YAHEI);
  const std::string face = (FontSmoothingOn() && IsFontInstalled(yahei.c_str())) ? yahei : LoadResString(IDS_FONT_SONG);
  font.lfCharSet = ctx.UIFontCharset;
  lstrcpynA(font.lfFaceName, face.c_str(), LF_FACESIZE);
  font.lfHeight = ctx.UIFontHeight;
}
