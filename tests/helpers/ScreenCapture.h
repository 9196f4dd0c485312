// Saves what the (virtual) screen shows as a 24-bit BMP file, for people to look at.
#pragma once
#include <string>

bool SaveScreenBmp(const std::wstring& path);
