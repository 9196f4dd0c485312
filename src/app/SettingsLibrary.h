// Calls into the family's settings library, Marvolent0.dll beside the program.
#pragma once
#include <string>

class TStreamIniFile;

// GetMemIniFile(path, &ini): true when the library read the file into ini. False when the
// library or its export is missing or the file could not be read; ini may then hold part
// of the file and is to be discarded.
bool LoadMemIniFile(const std::string& path, TStreamIniFile& ini);
