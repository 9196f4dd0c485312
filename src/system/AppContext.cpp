#include "system/AppContext.h"

#include <algorithm>

namespace {
TAppContext g_defaultContext;
TAppContext* g_context = &g_defaultContext;

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool TPathLess::operator()(const std::string& a, const std::string& b) const {
  // Byte-wise with ASCII letters folded: a GBK trail byte is never a letter of another case
  // that matters here, since only exact double-byte sequences compare equal.
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(LowerAscii(x)) < static_cast<unsigned char>(LowerAscii(y));
  });
}

TAppContext& AppContext() { return *g_context; }

TAppContext* SetAppContext(TAppContext* ctx) {
  TAppContext* previous = g_context;
  g_context = ctx ? ctx : &g_defaultContext;
  return previous;
}
