// Byte rules for the program's code page 936 texts: a lead byte 0x81..0xFE starts a
// two-byte character whose trail byte (0x40..0xFE) may look like '\\', '|' or a letter.
// Every rule that cuts, searches or changes case steps over such pairs.
#pragma once
#include <string>

namespace core {

inline bool IsGbkLeadByte(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u >= 0x81 && u <= 0xFE;
}

// Length in bytes of the character that starts at text[i] (1 or 2).
size_t GbkCharLength(const std::string& text, size_t i);

// ASCII letters changed, double-byte characters untouched.
std::string LowerGbk(const std::string& text);
std::string UpperGbk(const std::string& text);

// Case-insensitive (ASCII letters only) equality and ordering.
bool SameTextGbk(const std::string& a, const std::string& b);
int CompareTextGbk(const std::string& a, const std::string& b);

// Position of the first/last single-byte character c (never a trail byte), or npos.
size_t FindCharGbk(const std::string& text, char c, size_t from = 0);
size_t FindLastCharGbk(const std::string& text, char c);

// Position of the first occurrence of needle that starts on a character boundary, or npos.
size_t FindGbk(const std::string& text, const std::string& needle, size_t from = 0);

}  // namespace core
