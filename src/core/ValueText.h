// Number texts of the settings file: strict parsing (anything else is "not a number"
// and the caller takes its default) and the shortest text of a single-precision value.
#pragma once
#include <cstdint>
#include <string>

namespace core {

// Optional spaces or tabs, an optional sign, decimal digits, optional spaces or tabs.
// False (value untouched) for any other text and for values out of range.
bool ParseIntegerText(const std::string& text, int32_t& value);
bool ParseInt64Text(const std::string& text, int64_t& value);

// A decimal number with '.' as decimal point and an optional exponent ("12", "-0.5",
// "1.5E3"), trimmed of spaces and tabs. False for anything else, including "inf", "nan",
// hexadecimal forms and values beyond the double range.
bool ParseFloatText(const std::string& text, double& value);

// The shortest decimal text, without exponent, that reads back to exactly value
// ("1.1", "16777216", "0.5"); "0" for NaN and infinities, which the program never stores.
std::string ShortestFloatText(float value);

}  // namespace core
