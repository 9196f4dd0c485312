#include "core/UserAssistRules.h"

#include "core/GbkText.h"

namespace core {

std::string Rot13(const std::string& text) {
  std::string out = text;
  for (size_t i = 0; i < out.size();) {
    size_t n = GbkCharLength(out, i);
    if (n == 1) {
      char& c = out[i];
      if (c >= 'a' && c <= 'z') c = static_cast<char>('a' + (c - 'a' + 13) % 26);
      else if (c >= 'A' && c <= 'Z') c = static_cast<char>('A' + (c - 'A' + 13) % 26);
    }
    i += n;
  }
  return out;
}

TUserAssistName DecodeUserAssistName(const std::string& n) {
  TUserAssistName r;
  if (n == "{5E6AB780-7743-11CF-A12B-00AA004AE837}") {
    r.Skip = true;
    return r;
  }
  std::string d = n.size() <= 2 ? std::string() : (n.compare(0, 2, "HR") == 0 ? Rot13(n) : n);
  if (d.size() >= 2) {
    size_t colon = FindCharGbk(d, ':');
    if (colon != std::string::npos) d.erase(0, colon + 1);
    if (FindCharGbk(n, '?') != std::string::npos || FindGbk(n, "AutoCAD") != std::string::npos) r.Skip = true;
  }
  r.Decoded = d;
  size_t colon = FindCharGbk(d, ':');
  r.DrivePath = colon == 1;
  return r;
}

bool HasThreeLetterExtension(const std::string& path) { return path.size() >= 4 && path[path.size() - 4] == '.'; }

}  // namespace core
