#include "app/IniPackage.h"

#include <windows.h>

#include "system/FileStream.h"

bool SaveIniToFile(TStreamIniFile& ini, const std::string& fileName) {
  TFileStream file(fileName, TFileStream::CreateWrite);
  return file.IsOpen() && ini.SaveToStream(&file);
}

bool UpdateIniFile(TStreamIniFile& ini) {
  const std::string& name = ini.FileName();
  DWORD attributes = name.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  return SaveIniToFile(ini, name);
}
