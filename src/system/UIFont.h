// The interface font every form gets: 微软雅黑 where it is installed and smoothed, else 宋体.
#pragma once
#include <windows.h>

// Sets the font's charset, face and height from the program's interface defaults.
void ApplyUIFont(LOGFONTA& font);

// Whether the screen's installed fonts include face (GBK).
bool IsFontInstalled(const char* face);
