#include "system/ToolsShellOpen.h"

#include <windows.h>
#include <shellapi.h>

#include "system/AppContext.h"
#include "system/Handles.h"

void ShellOpen(const std::string& file, const std::string& parameters) {
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpVerb = "open";
  info.lpFile = file.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_SHOWNORMAL;
  TKernelHandle process(ShellExecuteExA(&info) ? info.hProcess : nullptr);  // not waited for
}

void OpenURL(const std::string& url) {
  INT_PTR result = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, nullptr, url.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  const std::string& ie = AppContext().IEExePath;
  if (result <= 32 && !ie.empty()) ShellOpen(ie, url);
}
