// A private copy of the program folder (Purvex.exe and the family's libraries) for the
// black-box tests, so the settings file the program writes when it closes lands there and
// not beside the build's own program.
#pragma once
#include <string>

// Path of Purvex.exe in this test process's copy (made on first use, removed at exit).
std::wstring PurvexExe();
