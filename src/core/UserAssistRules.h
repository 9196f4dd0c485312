// Program-start counter names: ROT13-encoded paths with a prefix that ends in ":".
#pragma once
#include <string>

namespace core {

// Letters A-Z and a-z rotated by 13 places; every other byte (GBK included) unchanged.
std::string Rot13(const std::string& text);

struct TUserAssistName {
  bool Skip = false;       // never a finding ("?" or "AutoCAD" in the stored name, or the marker)
  bool DrivePath = false;  // the decoded text is a path on a drive ("C:\...")
  std::string Decoded;     // the decoded text after its prefix
};

// Decodes a stored value name N: empty for two characters or fewer, ROT13 when it begins
// with "HR", else N itself; then everything up to the first ":" is dropped.
TUserAssistName DecodeUserAssistName(const std::string& storedName);

// For a drive path: a finding needs a three-letter extension (the fourth character from
// the end is ".").
bool HasThreeLetterExtension(const std::string& path);

}  // namespace core
