#include "system/ByteSizeText.h"

#include <windows.h>
#include <shlwapi.h>

std::string FormatByteSize(int64_t bytes) {
  char buf[256] = {};
  if (!StrFormatByteSize64A(bytes, buf, 255)) return std::string();
  return buf;
}
