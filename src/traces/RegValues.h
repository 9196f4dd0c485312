// Reading the values of an open registry key for the trace scans: their names in the
// registry's order, their raw data, their text. Errors give nothing, never a message.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The names of the key's values in the order the registry lists them (the unnamed value as
// an empty name); a listing error ends the list early.
std::vector<std::string> ListValueNames(HKEY key);

// Type and raw bytes of one value (empty name: the unnamed value); false when it cannot be
// read.
bool ReadRegValue(HKEY key, const std::string& name, DWORD& type, std::string& data);

// A string or expandable string value up to its first NUL (unexpanded); empty for other
// types and when it cannot be read.
std::string ReadStringValue(HKEY key, const std::string& name);

// The text part of data read from a string value: up to its first NUL.
std::string StringData(const std::string& data);
