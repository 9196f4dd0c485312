#include "app/Startup.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "app/ApplicationWindow.h"
#include "app/MainUnit.h"
#include "system/ResStrings.h"
#include "core/CommandLine.h"
#include "res/resource.h"
#include "system/AppContext.h"
#include "system/Handles.h"
#include "system/IEHistory.h"
#include "system/WideText.h"
#include "ui/WindowThunk.h"

namespace {

const LCID kChinesePRC = 2052;

// Reads the token's groups. The list usually fits in 1024 bytes; a member of many
// domain groups needs more, and is read again at the size the system asks for rather
// than being taken for a non-administrator.
bool ReadTokenGroups(HANDLE token, std::vector<BYTE>& buf) {
  buf.assign(1024, 0);
  DWORD needed = 0;
  if (GetTokenInformation(token, TokenGroups, buf.data(), static_cast<DWORD>(buf.size()), &needed))
    return true;
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buf.size()) return false;
  buf.assign(needed, 0);
  return GetTokenInformation(token, TokenGroups, buf.data(), needed, &needed) != FALSE;
}

void RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

bool GroupsHoldAdministrators(const TOKEN_GROUPS* groups) {
  SID_IDENTIFIER_AUTHORITY ntAuthority = {SECURITY_NT_AUTHORITY};
  PSID admins = nullptr;
  if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &admins))
    return false;
  bool found = false;
  for (DWORD i = 0; i < groups->GroupCount && !found; ++i)
    found = EqualSid(groups->Groups[i].Sid, admins) != FALSE;
  FreeSid(admins);
  return found;
}

bool IsUserAdmin() {
  TKernelHandle token;
  if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, token.Receive())) {
    if (GetLastError() != ERROR_NO_TOKEN) return false;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive())) return false;
  }
  std::vector<BYTE> buf;
  return ReadTokenGroups(token.Get(), buf) && GroupsHoldAdministrators(reinterpret_cast<const TOKEN_GROUPS*>(buf.data()));
}

std::string StartupRefusalText(core::StartupRefusal refusal, const std::string& osName) {
  switch (refusal) {
    case core::StartupRefusal::UnknownOS:
      return LoadResString(IDS_MSG_UNKNOWN_OS);
    case core::StartupRefusal::TooOld:
      return LoadResString(IDS_MSG_OLD_OS);
    case core::StartupRefusal::NotAdmin: {
      std::string format = LoadResString(IDS_MSG_NOT_ADMIN);
      std::vector<char> buf(format.size() + osName.size() + 1);
      std::snprintf(buf.data(), buf.size(), format.c_str(), osName.c_str());
      return buf.data();
    }
    case core::StartupRefusal::None:
      break;
  }
  return std::string();
}

void ShowStartupError(const std::string& text) {
  MessageBoxW(nullptr, WideFromGbk(text).c_str(), WideFromGbk(LoadResString(IDS_CAPTION)).c_str(),
              MB_OK | MB_ICONERROR);
}

int RunPurvex(const std::string& commandLine) {
  if (core::HasIEHistorySwitch(core::SplitCommandLine(commandLine))) {
    RunIEHistoryMode();
    return 0;
  }

  // Only an instance already running ends this start; a mutex that cannot be made for any
  // other reason (the name taken by another kind of object) does not keep the user out.
  TKernelHandle mutex(CreateMutexA(nullptr, TRUE, "Purvex"));
  if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;

  SetThreadLocale(kChinesePRC);
  SetHandlerErrorCaption(WideFromGbk(LoadResString(IDS_CAPTION)).c_str());
  TAppContext& ctx = AppContext();
  ctx.UIFontHeight = -12;
  ctx.UIFontCharset = 134;

  int exitCode = 0;
  try {
    ctx.OSInfo = TOrvOSInfo::Create();
    ctx.IEExePath = IEExePathFor(ctx.OSInfo->ProgramFilesDir);
    const TOrvOSInfo& os = *ctx.OSInfo;
    core::StartupRefusal refusal =
        core::CheckStartupGate(os.OSName, os.MajorVersion, [] { return IsUserAdmin(); });
    if (refusal != core::StartupRefusal::None) {
      ShowStartupError(StartupRefusalText(refusal, os.OSName));
      ctx.OSInfo.reset();
      exitCode = 1;
    } else {
      TApplicationWindow app(LoadResString(IDS_APP_TITLE_PREFIX) + LoadResString(IDS_PRODUCT_URL));
      TFormPurvex form(app);
      if (form.Handle()) {
        app.SetMainForm(form.Handle());
        form.Show();
        RunMessageLoop();
        if (form.UnattendedRunFailed()) exitCode = 2;
      } else {
        exitCode = 1;
      }
    }
  } catch (const std::exception& e) {
    ShowStartupError(e.what());
    exitCode = 1;
  }

  if (mutex) ReleaseMutex(mutex.Get());
  return exitCode;
}
