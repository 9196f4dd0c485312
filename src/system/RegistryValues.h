// Reading the values of registry keys for the registry categories. Values come in every
// type and size, so nothing here trusts the data: a string without its terminator, a
// multi-string, binary data or a value of megabytes is read safely or refused.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// What a read of a value as text found. The registry checks tell a value that is not
// there (Missing) from one that is there with an empty text, and both from one that is
// there but is no string or could not be read (NotText).
enum class TTextRead { Text, Missing, NotText };

struct TValueText {
  TTextRead State = TTextRead::Missing;
  std::string Text;  // empty unless State is Text
  bool IsText() const { return State == TTextRead::Text; }
  // Missing, or a string that is empty.
  bool MissingOrEmpty() const { return State == TTextRead::Missing || (IsText() && Text.empty()); }
};

// The value read as text (REG_SZ or REG_EXPAND_SZ, the latter unexpanded, up to the first
// zero byte or the end of the data). An empty name reads the key's default value. *type
// (when given) receives the value's type, REG_NONE when it could not be read.
TValueText ReadValueText(HKEY key, const std::string& name, DWORD* type = nullptr);

// One value as a listing of the key gives it.
struct TRegValue {
  std::string Name;  // empty for the default value
  DWORD Type = REG_NONE;
  std::string Data;  // the bytes as stored; strings as the ANSI listing converts them
  // The data as ReadValueText reads it: Text for a string, else NotText.
  TValueText Text() const;
};

// The key's values with their data, in the order the registry lists them: one call each,
// since RegEnumValue gives the data with the name (a value larger than the first buffer
// takes one call more). A value that cannot be read is skipped and the listing goes on;
// *complete (when given) tells whether every value was read. Empty for a null key.
std::vector<TRegValue> RegValues(HKEY key, bool* complete = nullptr);

// The value's type; false when it does not exist or cannot be queried.
bool RegValueType(HKEY key, const std::string& name, DWORD& type);

// The value's text. A REG_SZ or REG_EXPAND_SZ value (the latter unexpanded) gives true
// with its text up to the first zero byte or the end of the data; a missing value gives
// true with an empty text. Any other type, or a read error, gives false with an empty
// text. An empty name reads the key's default value.
bool ReadRegText(HKEY key, const std::string& name, std::string& text);

// ReadRegText with its failure read as an empty text.
std::string RegText(HKEY key, const std::string& name);

// The value exists, whatever its type.
bool RegValueExists(HKEY key, const std::string& name);

// The value names in the order the registry lists them (the default value, when set, as
// an empty name); empty for a null key. A name that cannot be read is skipped and the
// listing goes on; *complete (when given) tells whether every name was read.
std::vector<std::string> RegValueNames(HKEY key, bool* complete = nullptr);
