#include "app/SettingsLibrary.h"

#include "app/Settings.h"
#include "family/Marvolent0Api.h"
#include "system/LibraryHandle.h"

bool LoadMemIniFile(const std::string& path, TStreamIniFile& ini) {
  // By its full path, so that no other folder of the search order can supply it.
  TLibrary library((ProgramFolder() + "Marvolent0.dll").c_str());
  TGetMemIniFile getMemIniFile = library.Proc<TGetMemIniFile>("GetMemIniFile");
  if (!getMemIniFile) return false;
  TStreamIniFile* object = &ini;
  return getMemIniFile(path.c_str(), &object);
}
