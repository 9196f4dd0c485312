#include "helpers/ProgramCopy.h"

#include <windows.h>

#include "helpers/ProcessHelpers.h"
#include "helpers/TempFolder.h"

std::wstring PurvexExe() {
  static TTempFolder folder;
  static bool copied = false;
  if (!copied) {
    for (const wchar_t* name : {L"Purvex.exe", L"Marvolent8.dll", L"Marvolent0.dll"})
      CopyFileW((ModuleDir() + L"\\" + name).c_str(), folder.File(name).c_str(), FALSE);
    copied = true;
  }
  return folder.File(L"Purvex.exe");
}
