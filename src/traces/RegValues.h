// Raw value data for the trace scans, which show binary values as text too (names and
// string values: system/RegistryValues.h). Errors give nothing, never a message.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Type and raw bytes of one value (empty name: the unnamed value); false when it cannot be
// read.
bool ReadRegValue(HKEY key, const std::string& name, DWORD& type, std::string& data);

// The text part of data read from a string value: up to its first NUL.
std::string StringData(const std::string& data);
