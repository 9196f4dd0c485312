// Shortcut files for tests, saved through the wide interfaces as other programs write them.
#pragma once
#include <string>

// Saves lnk as a shortcut to target; false when the shell link object fails.
bool MakeShortcut(const std::wstring& lnk, const std::wstring& target);
