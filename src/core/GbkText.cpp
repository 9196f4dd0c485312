#include "core/GbkText.h"

namespace core {

size_t GbkCharLength(const std::string& text, size_t i) {
  return (IsGbkLeadByte(text[i]) && i + 1 < text.size()) ? 2 : 1;
}

namespace {
template <typename Fn>
std::string MapSingleBytes(const std::string& text, Fn fn) {
  std::string out = text;
  for (size_t i = 0; i < out.size();) {
    size_t n = GbkCharLength(out, i);
    if (n == 1) out[i] = fn(out[i]);
    i += n;
  }
  return out;
}
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
}  // namespace

std::string LowerGbk(const std::string& text) { return MapSingleBytes(text, Lower); }
std::string UpperGbk(const std::string& text) { return MapSingleBytes(text, Upper); }

int CompareTextGbk(const std::string& a, const std::string& b) {
  std::string la = LowerGbk(a), lb = LowerGbk(b);
  return la.compare(lb) < 0 ? -1 : (la == lb ? 0 : 1);
}

bool SameTextGbk(const std::string& a, const std::string& b) {
  // Character by character, without lower-cased copies: scans call this for every entry.
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size();) {
    const size_t n = GbkCharLength(a, i);
    if (n != GbkCharLength(b, i)) return false;
    if (n == 1 ? Lower(a[i]) != Lower(b[i]) : (a[i] != b[i] || a[i + 1] != b[i + 1])) return false;
    i += n;
  }
  return true;
}

size_t FindCharGbk(const std::string& text, char c, size_t from) {
  for (size_t i = 0; i < text.size();) {
    size_t n = GbkCharLength(text, i);
    if (n == 1 && i >= from && text[i] == c) return i;
    i += n;
  }
  return std::string::npos;
}

size_t FindLastCharGbk(const std::string& text, char c) {
  size_t found = std::string::npos;
  for (size_t i = 0; i < text.size();) {
    size_t n = GbkCharLength(text, i);
    if (n == 1 && text[i] == c) found = i;
    i += n;
  }
  return found;
}

size_t FindGbk(const std::string& text, const std::string& needle, size_t from) {
  if (needle.empty()) return from <= text.size() ? from : std::string::npos;
  for (size_t i = 0; i < text.size();) {
    if (i >= from && text.compare(i, needle.size(), needle) == 0) return i;
    i += GbkCharLength(text, i);
  }
  return std::string::npos;
}

}  // namespace core
