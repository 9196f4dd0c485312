// Text rules behind the OS information object: version names and version-resource texts.
#pragma once
#include <cstdint>
#include <string>

namespace core {

// Product types of OSVERSIONINFOEX.
constexpr int kProductWorkstation = 1;
constexpr int kProductDomainController = 2;
constexpr int kProductServer = 3;

// Short name of a Windows version; "Invalidated" outside majors 4 to 6.
std::string OSNameFor(int major, int minor, int productType);

bool IsServerProduct(int productType);

// Plain byte-wise comparison with "7.0.0.0": "10.0" sorts before it, "8.0" after.
bool IsIE7OrLaterText(const std::string& ieVersion);

// "%d.%d.%d.%d" of the fixed file version's four 16-bit parts.
std::string FormatFileVersionNumbers(uint32_t versionMS, uint32_t versionLS);

// Sub-block for VerQueryValue: "\StringFileInfo\llllcccc\name" with the first
// translation, or the bare name when the file has no translation table.
std::string VersionValueQuery(bool hasTranslation, uint16_t language, uint16_t codePage,
                              const std::string& valueName);

// Removes leading and trailing characters <= ' '.
std::string TrimBlanks(const std::string& text);

}  // namespace core
