// Texts of the program's string table, as the program's 8-bit (code page 936) strings.
#pragma once
#include <string>

std::string LoadResString(unsigned id);
