// Writing the program's memory INI files to disk.
#pragma once
#include <string>

#include "core/IniStream.h"

// Creates (truncates) the file and writes the content into it; false on any error.
bool SaveIniToFile(TStreamIniFile& ini, const std::string& fileName);
// SaveIniToFile(ini, ini.FileName()) when that file exists; false when nothing was written.
bool UpdateIniFile(TStreamIniFile& ini);
