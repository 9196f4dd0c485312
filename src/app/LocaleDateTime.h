// Date-time values (days since 1899-12-30, see core/DateTimeValue.h) as the user's
// short-date and long-time text: the form the family's programs store in the settings.
#pragma once
#include <string>

#include "core/LocaleDateText.h"

// The local time now.
double CurrentDateTime();

// The pictures, designators and names of the user's locale.
core::TLocaleDateTimeFormat UserDateTimeFormat();

// "<short date> <long time>", or the date alone when the time is 00:00:00; empty when
// the system cannot format the value.
std::string FormatLocalDateTime(double value);

// Reads a text written by FormatLocalDateTime under the same locale. False (value
// untouched) when the text is not such a date.
bool ParseLocalDateTime(const std::string& text, double& value);
