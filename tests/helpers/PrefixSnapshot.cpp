#include "helpers/PrefixSnapshot.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
  return out;
}

// Wine's registry text escapes (backslash, quote, brackets, C escapes, octal, \x and up
// to four hex digits) back to the characters.
std::wstring Unescape(const std::string& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c != '\\' || i + 1 == text.size()) {
      out += static_cast<wchar_t>(static_cast<unsigned char>(c));
      continue;
    }
    c = text[++i];
    // The number of at most `most` digits that starts at i; i is left on its last digit.
    auto digits = [&](int base, int most) {
      unsigned value = 0;
      for (int n = 0; n < most && i < text.size(); ++n, ++i) {
        const char d = static_cast<char>(tolower(static_cast<unsigned char>(text[i])));
        const int v = d >= '0' && d <= '9' ? d - '0' : d >= 'a' && d <= 'f' ? d - 'a' + 10 : base;
        if (v >= base) break;
        value = value * base + v;
      }
      --i;
      return static_cast<wchar_t>(value);
    };
    switch (c) {
      case 'x': ++i; out += digits(16, 4); break;
      case 'n': out += L'\n'; break;
      case 'r': out += L'\r'; break;
      case 't': out += L'\t'; break;
      case 'a': out += L'\a'; break;
      case 'b': out += L'\b'; break;
      case 'e': out += L'\x1b'; break;
      case 'f': out += L'\f'; break;
      case 'v': out += L'\v'; break;
      default:
        if (c >= '0' && c <= '7') out += digits(8, 3);
        else out += static_cast<wchar_t>(static_cast<unsigned char>(c));
    }
  }
  return out;
}

// One root as the registry server saves it: "[path] time" sections of "name"=data lines,
// long data folded over lines that end in a backslash.
void ParseSavedKey(const std::string& text, const std::string& rootEntry, TSnapshot& out) {
  out[rootEntry] = "<key>";
  std::string key;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    while (!line.empty() && line.back() == '\\' && pos < text.size()) {  // folded data
      end = text.find('\n', pos);
      if (end == std::string::npos) end = text.size();
      std::string next = text.substr(pos, end - pos);
      line.pop_back();
      line += next.substr(std::min(next.find_first_not_of(' '), next.size()));
      pos = end + 1;
    }
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      size_t close = line.rfind(']');
      if (close == std::string::npos) continue;
      key = Utf8(Unescape(line.substr(1, close - 1)));
      // Keys that hold only sub-keys are not written: list every key on the path.
      for (size_t sep = key.find('\\'); sep != std::string::npos; sep = key.find('\\', sep + 1))
        out.emplace(rootEntry + key.substr(0, sep) + "\\", "<key>");
      out[rootEntry + key + "\\"] = "<key>";
      continue;
    }
    std::string name, data;
    if (line[0] == '@' && line.size() > 1 && line[1] == '=') {
      data = line.substr(2);
    } else if (line[0] == '"') {
      size_t i = 1;
      while (i < line.size() && line[i] != '"') i += line[i] == '\\' ? 2 : 1;
      name = Utf8(Unescape(line.substr(1, i - 1)));
      data = i + 2 <= line.size() ? line.substr(i + 2) : std::string();
    } else {
      continue;
    }
    out[rootEntry + key + "\\@" + name] = data;
  }
}

// The registry server writes a whole root to a file in one call (the backup privilege
// allows it); walking it value by value through the API took seconds per snapshot.
bool SaveKeyText(HKEY root, std::string& text) {
  static bool privilege = [] {
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) return false;
    TOKEN_PRIVILEGES tp = {};
    tp.PrivilegeCount = 1;
    tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool ok = LookupPrivilegeValueW(nullptr, L"SeBackupPrivilege", &tp.Privileges[0].Luid) &&
              AdjustTokenPrivileges(token, FALSE, &tp, 0, nullptr, nullptr) && GetLastError() == ERROR_SUCCESS;
    CloseHandle(token);
    return ok;
  }();
  if (!privilege) return false;
  wchar_t dir[MAX_PATH], file[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  GetTempFileNameW(dir, L"reg", 0, file);
  DeleteFileW(file);  // the server creates it
  bool ok = RegSaveKeyW(root, file, nullptr) == ERROR_SUCCESS;
  HANDLE h = CreateFileW(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    text.assign(GetFileSize(h, nullptr), '\0');
    DWORD done = 0;
    if (!text.empty()) ReadFile(h, &text[0], static_cast<DWORD>(text.size()), &done, nullptr);
    text.resize(done);
    CloseHandle(h);
  }
  DeleteFileW(file);
  return ok;
}

void SnapshotFolder(const std::wstring& folder, const std::vector<std::wstring>& skipped, TSnapshot& out) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = fd.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring full = folder + L"\\" + name;
    char facts[64];
    std::snprintf(facts, sizeof facts, "%08lx %lu:%lu %08lx%08lx", static_cast<unsigned long>(fd.dwFileAttributes),
                  static_cast<unsigned long>(fd.nFileSizeHigh), static_cast<unsigned long>(fd.nFileSizeLow),
                  static_cast<unsigned long>(fd.ftLastWriteTime.dwHighDateTime),
                  static_cast<unsigned long>(fd.ftLastWriteTime.dwLowDateTime));
    const bool isFolder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // A folder's write time changes with its entries, which are listed themselves.
    out[Utf8(full)] = isFolder ? "<folder>" : facts;
    if (isFolder && !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
        std::find(skipped.begin(), skipped.end(), full) == skipped.end())
      SnapshotFolder(full, skipped, out);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
}

}  // namespace

TSnapshot SnapshotRegistry() {
  TSnapshot out;
  std::string text;
  if (SaveKeyText(HKEY_CURRENT_USER, text)) ParseSavedKey(text, "HKCU\\", out);
  if (SaveKeyText(HKEY_LOCAL_MACHINE, text)) ParseSavedKey(text, "HKLM\\", out);
  return out;
}

TSnapshot SnapshotFiles(const std::wstring& folder, const std::vector<std::wstring>& skipped) {
  TSnapshot out;
  SnapshotFolder(folder, skipped, out);
  return out;
}

std::vector<std::string> Differences(const TSnapshot& before, const TSnapshot& after) {
  std::vector<std::string> out;
  auto b = before.begin();
  auto a = after.begin();
  while (b != before.end() || a != after.end()) {
    if (a == after.end() || (b != before.end() && b->first < a->first)) {
      out.push_back("- " + (b++)->first);
    } else if (b == before.end() || a->first < b->first) {
      out.push_back("+ " + (a++)->first);
    } else {
      if (a->second != b->second) out.push_back("~ " + a->first);
      ++a;
      ++b;
    }
  }
  return out;
}

namespace {

// Registry names match in any letter case (ASCII letters), as the registry compares them.
bool StartsWithFolded(const std::string& text, const std::string& head) {
  if (text.size() < head.size()) return false;
  for (size_t i = 0; i < head.size(); ++i) {
    char a = text[i], b = head[i];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a + 32);
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b + 32);
    if (a != b) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> EntriesOfFinding(const TSnapshot& before, const std::string& root, const std::string& key,
                                          const std::string& value) {
  const std::string rootName = root == "HKEY_CURRENT_USER" ? "HKCU" : root == "HKEY_LOCAL_MACHINE" ? "HKLM" : root;
  const std::string keyEntry = rootName + "\\" + Utf8FromGbk(key) + "\\";
  std::vector<std::string> out;
  if (!value.empty()) {
    const std::string valueEntry = keyEntry + "@" + (value == "@D_e_f_a_u_l_t" ? "" : Utf8FromGbk(value));
    for (const auto& entry : before)
      if (entry.first.size() == valueEntry.size() && StartsWithFolded(entry.first, valueEntry)) out.push_back(entry.first);
    return out;
  }
  for (const auto& entry : before)
    if (StartsWithFolded(entry.first, keyEntry)) out.push_back(entry.first);
  return out;
}

std::string Utf8FromGbk(const std::string& text) {
  if (text.empty()) return std::string();
  int size = MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(size, L'\0');
  MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
  return Utf8(wide);
}
