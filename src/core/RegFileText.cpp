#include "core/RegFileText.h"

#include <cstdio>

namespace core {

namespace {

std::wstring Escaped(const std::wstring& text, bool quotes = true) {
  std::wstring out;
  out.reserve(text.size() + 8);
  for (wchar_t c : text) {
    if (c == L'\\') out += L'\\';
    if (quotes && c == L'"') out += L'\\';
    out += c;
  }
  return out;
}

std::wstring Ascii(const char* text) { return std::wstring(text, text + std::char_traits<char>::length(text)); }

}  // namespace

bool RegStringIsExactText(const std::string& bytes) {
  if (bytes.size() < 2 || bytes.size() % 2) return false;
  const size_t count = bytes.size() / 2;
  for (size_t i = 0; i < count; ++i) {
    const unsigned c = static_cast<unsigned char>(bytes[2 * i]) | static_cast<unsigned char>(bytes[2 * i + 1]) << 8;
    if (c == 0) return i + 1 == count;
    if (c == L'\r' || c == L'\n') return false;
  }
  return false;  // no terminating zero
}

bool RegStringDataRestores(const std::string& bytes) {
  if (bytes.empty()) return true;
  return bytes.size() % 2 == 0 && bytes[bytes.size() - 1] == 0 && bytes[bytes.size() - 2] == 0;
}

bool RegNameFitsALine(const std::wstring& name) { return name.find_first_of(L"\r\n") == std::wstring::npos; }

std::wstring RegKeyHeader(const std::wstring& root, const std::wstring& path) { return L"[" + root + L"\\" + path + L"]"; }

std::wstring RegNamePart(const std::wstring& name) {
  if (name.empty()) return L"@";
  // Quotes escaped as in strings: a bare quote would end the name for the importer.
  return L"\"" + Escaped(name, true) + L"\"";
}

std::wstring RegStringLine(const std::wstring& namePart, const std::wstring& text) {
  return namePart + L"=\"" + Escaped(text, true) + L"\"";
}

std::wstring RegDwordLine(const std::wstring& namePart, uint32_t value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(value));
  return namePart + L"=dword:" + Ascii(digits);
}

std::wstring RegHexLine(const std::wstring& namePart, size_t namePartWidth, uint32_t type, const std::string& bytes) {
  char prefix[32];
  if (type == 3)
    std::snprintf(prefix, sizeof prefix, "=hex:");
  else
    std::snprintf(prefix, sizeof prefix, "=hex(%X):", static_cast<unsigned>(type));
  std::wstring out = namePart + Ascii(prefix);
  size_t width = namePartWidth + std::char_traits<char>::length(prefix);
  static const wchar_t kDigits[] = L"0123456789ABCDEF";
  for (size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
    width += 2;
    if (i + 1 == bytes.size()) break;
    out += L',';
    ++width;
    if (width >= 77) {
      out += L"\\\r\n  ";
      width = 2;
    }
  }
  return out;
}

std::string BackupFileName(int year, int month, int day, int hour, int minute, int second) {
  char name[32];
  std::snprintf(name, sizeof name, "%04d%02d%02d%02d%02d%02d.reg", year, month, day, hour, minute, second);
  return name;
}

}  // namespace core
