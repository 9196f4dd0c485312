#include "core/OSVersionRules.h"

#include <cstdio>
#include <cstring>

namespace core {

namespace {
struct VersionName {
  int major;
  int minor;  // -1: any minor not listed before it
  const char* name;
};

// Workstation names; 6.0 on a server product is "2008" (handled below).
const VersionName kVersionNames[] = {
    {4, 10, "98"},   {4, 90, "Me"},  {4, -1, ""},
    {5, 0, "2000"},  {5, 1, "XP"},   {5, 2, "2003"}, {5, -1, ""},
    {6, 0, "Vista"}, {6, 1, "7"},    {6, -1, ""},
};
}  // namespace

std::string OSNameFor(int major, int minor, int productType) {
  if (major == 6 && minor == 0 && productType != kProductWorkstation) return "2008";
  for (const VersionName& v : kVersionNames)
    if (v.major == major && (v.minor == minor || v.minor == -1)) return v.name;
  return "Invalidated";
}

bool IsServerProduct(int productType) {
  return productType == kProductDomainController || productType == kProductServer;
}

bool IsIE7OrLaterText(const std::string& ieVersion) {
  return std::strcmp(ieVersion.c_str(), "7.0.0.0") >= 0;
}

std::string FormatFileVersionNumbers(uint32_t versionMS, uint32_t versionLS) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%d.%d.%d.%d", static_cast<int>(versionMS >> 16),
                static_cast<int>(versionMS & 0xFFFF), static_cast<int>(versionLS >> 16),
                static_cast<int>(versionLS & 0xFFFF));
  return buf;
}

std::string VersionValueQuery(bool hasTranslation, uint16_t language, uint16_t codePage,
                              const std::string& valueName) {
  if (!hasTranslation) return valueName;
  char buf[40];
  std::snprintf(buf, sizeof buf, "\\StringFileInfo\\%04x%04x\\", language, codePage);
  return buf + valueName;
}

std::string TrimBlanks(const std::string& text) {
  size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
  return text.substr(b, e - b);
}

}  // namespace core
