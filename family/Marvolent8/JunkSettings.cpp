// The engine's own settings file beside the library: which categories and file types are
// selected, the user's file types and the excluded folders. The age filter is the program's
// choice for one run and is not stored here.
#include "JunkEngine.h"

#include "JunkRules.h"

namespace junk {

namespace {
const wchar_t kCategories[] = L"Categories";
const wchar_t kFileTypes[] = L"FileTypes";
const wchar_t kUserTypes[] = L"UserFileTypes";
const wchar_t kOptions[] = L"Options";

// The whole value: a cut folder list would leave an excluded folder scanned.
std::wstring ReadText(const std::wstring& file, const wchar_t* section, const std::wstring& key) {
  for (DWORD size = 4096;; size *= 4) {
    std::vector<wchar_t> buf(size);
    DWORD n = GetPrivateProfileStringW(section, key.c_str(), L"", buf.data(), size, file.c_str());
    if (n + 1 < size || size >= (1u << 24)) return std::wstring(buf.data(), n);
  }
}

// -1 when the key is absent or not a number.
int ReadFlag(const std::wstring& file, const wchar_t* section, const std::wstring& key) {
  std::wstring v = ReadText(file, section, key);
  if (v.empty() || v.find_first_not_of(L"0123456789-") != std::wstring::npos) return -1;
  return _wtoi(v.c_str()) != 0 ? 1 : 0;
}

std::vector<std::wstring> Keys(const std::wstring& file, const wchar_t* section) {
  std::vector<wchar_t> buf;
  DWORD n = 0;
  for (DWORD size = 32768;; size *= 4) {  // the list ends in two NULs only when it fits
    buf.assign(size, L'\0');
    n = GetPrivateProfileStringW(section, nullptr, L"", buf.data(), size, file.c_str());
    if (n + 2 < size || size >= (1u << 24)) break;
  }
  std::vector<std::wstring> keys;
  for (DWORD i = 0; i < n;) {
    std::wstring key(&buf[i]);
    if (key.empty()) break;
    keys.push_back(key);
    i += static_cast<DWORD>(key.size()) + 1;
  }
  return keys;
}

void Write(const std::wstring& file, const wchar_t* section, const std::wstring& key, const std::wstring& value) {
  WritePrivateProfileStringW(section, key.c_str(), value.c_str(), file.c_str());
}
}  // namespace

HRESULT TJunkEngine::LoadSettings() {
  // The findings of a running scan must stay where they are.
  if (running_) return E_FAIL;
  try {
    const int ageDays = ageDays_;  // set by the program for this run, never stored
    ResetToDefaults();
    ReadSettingsFile();
    TLocked hold(lock_);
    ageDays_ = ageDays;
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT TJunkEngine::SaveSettings() {
  try {
    WriteSettingsFile();
    return S_OK;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

void TJunkEngine::ReadSettingsFile() {
  if (settingsPath_.empty() || GetFileAttributesW(settingsPath_.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  // User file types: "pattern=description|group".
  std::vector<TFileTypeDef> userTypes;
  for (const std::wstring& pattern : Keys(settingsPath_, kUserTypes)) {
    std::wstring value = ReadText(settingsPath_, kUserTypes, pattern);
    size_t bar = value.find(L'|');
    std::wstring group = bar == std::wstring::npos ? L"自定义" : value.substr(bar + 1);
    userTypes.push_back(TFileTypeDef{pattern, value.substr(0, bar), group, false, true});
  }
  TLocked hold(lock_);
  for (const TFileTypeDef& t : userTypes) fileTypes_.push_back(TFileTypeState{t, false});
  for (TCategoryState& c : categories_) {
    int flag = ReadFlag(settingsPath_, kCategories, c.Def->Name);
    if (flag >= 0) c.Checked = flag == 1;
  }
  for (TFileTypeState& t : fileTypes_) {
    int flag = ReadFlag(settingsPath_, kFileTypes, t.Def.Pattern);
    if (flag >= 0) t.Checked = flag == 1;
  }
  excluded_ = SplitFolderList(ReadText(settingsPath_, kOptions, L"ExcludedFolders"));
}

void TJunkEngine::WriteSettingsFile() {
  if (settingsPath_.empty()) return;
  TLocked hold(lock_);
  for (const TCategoryState& c : categories_) Write(settingsPath_, kCategories, c.Def->Name, c.Checked ? L"1" : L"0");
  for (const TFileTypeState& t : fileTypes_) {
    Write(settingsPath_, kFileTypes, t.Def.Pattern, t.Checked ? L"1" : L"0");
    if (t.Def.UserDefined) Write(settingsPath_, kUserTypes, t.Def.Pattern, t.Def.Description + L"|" + t.Def.Group);
  }
  Write(settingsPath_, kOptions, L"ExcludedFolders", JoinFolderList(excluded_));
}

}  // namespace junk
