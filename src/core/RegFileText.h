// The text of a registry-editor export file of version 5, as the backup writes it: key
// headers, value lines and the hexadecimal form with its wrapped lines. Texts are UTF-16
// (the file's encoding) so that no character of a key, name or string is lost on the way.
#pragma once
#include <cstdint>
#include <string>

namespace core {

inline const wchar_t* const kRegFileHeader = L"Windows Registry Editor Version 5.00";
inline const wchar_t* const kRegLineEnd = L"\r\n";

// "[root\path]".
std::wstring RegKeyHeader(const std::wstring& root, const std::wstring& path);

// A value's name as it stands before "=": "@" for the default value, else the name in
// double quotes with every backslash doubled and a backslash before every double quote.
std::wstring RegNamePart(const std::wstring& name);

// name="text" with backslashes doubled and double quotes preceded by a backslash.
std::wstring RegStringLine(const std::wstring& namePart, const std::wstring& text);

// name=dword:XXXXXXXX (eight upper-case hexadecimal digits).
std::wstring RegDwordLine(const std::wstring& namePart, uint32_t value);

// name=hex:.. for REG_BINARY, name=hex(T):.. for any other type T, each byte as two
// upper-case digits, commas between. After a comma, a line of 77 or more characters ends
// with "\" and a line end and the next begins with two blanks. namePartWidth is the width
// the name part counts with (its length in the program's 8-bit characters). No line end
// after the last line.
std::wstring RegHexLine(const std::wstring& namePart, size_t namePartWidth, uint32_t type, const std::string& bytes);

// String data (UTF-16LE bytes) that a "text" line gives back byte for byte: an even size,
// one terminating zero at its end and no other zero, and no line break (the line would
// end there). Any other string data is written in the hexadecimal form of its type.
bool RegStringIsExactText(const std::string& bytes);
// String data (of REG_SZ, REG_EXPAND_SZ or REG_MULTI_SZ) that the registry editor sets
// back byte for byte from its hexadecimal form: none at all, or whole UTF-16 characters
// ending in a zero. Of any other (an odd size, no terminating zero) the editor sets other
// bytes, or, Wine's, fails the whole import.
bool RegStringDataRestores(const std::string& bytes);
// A key's or value's name that fits on one line of the file (no line break): the file
// has no way to write any other.
bool RegNameFitsALine(const std::wstring& name);

// "yyyymmddhhnnss.reg".
std::string BackupFileName(int year, int month, int day, int hour, int minute, int second);

}  // namespace core
