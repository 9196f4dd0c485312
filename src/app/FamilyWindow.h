// The family's main program, reached only through its window title.
#pragma once
#include <windows.h>

// The first top-level window, in the order the system lists them, whose title is exactly
// "Marvolent" + " " + the family's web address; null when there is none.
HWND FindFamilyMainWindow();
