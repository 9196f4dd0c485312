// The program's texts are code page 936; controls get UTF-16 converted explicitly so the
// interface reads right whatever the system's ANSI code page is.
#pragma once
#include <string>

std::wstring WideFromGbk(const std::string& text);
// The same into out, reusing its buffer (for loops over many texts).
void WideFromGbk(const std::string& text, std::wstring& out);
std::string GbkFromWide(const std::wstring& text);
