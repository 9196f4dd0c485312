// The export of keys and values into the backup file's text. Names and data are read
// through the wide registry functions, so that nothing outside the code page is lost.
#include <windows.h>

#include "core/RegFileText.h"
#include "core/RegistryKeyPath.h"
#include "registry/RegBackup.h"
#include "system/RegistryKey.h"
#include "system/ToolsViews.h"

namespace {

std::wstring Wide(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
  return out;
}

// Width of a text in the program's 8-bit characters.
size_t NarrowWidth(const std::wstring& text) {
  if (text.empty()) return 0;
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  return n > 0 ? static_cast<size_t>(n) : text.size();
}

// Text collected and handed to the sink in large pieces; the first refusal is kept.
class TRegWriter {
 public:
  explicit TRegWriter(const TBackupSink& sink) : sink_(sink) {}
  void Write(const std::wstring& text) {
    buffer_ += text;
    if (buffer_.size() >= 32768) Flush();
  }
  void Line(const std::wstring& text) { Write(text + core::kRegLineEnd); }
  bool Flush() {
    if (!buffer_.empty() && ok_) ok_ = sink_(buffer_);
    buffer_.clear();
    return ok_;
  }

 private:
  const TBackupSink& sink_;
  std::wstring buffer_;
  bool ok_ = true;
};

// A string value's text: up to its first zero character, or all of it when it has none.
std::wstring TextOf(const std::string& data) {
  const wchar_t* chars = reinterpret_cast<const wchar_t*>(data.data());
  const size_t count = data.size() / sizeof(wchar_t);
  size_t length = 0;
  while (length < count && chars[length]) ++length;
  return std::wstring(chars, length);
}

// What an export met besides what it wrote: something it could not read (the backup is
// then no whole copy), or something no registry-editor file can carry (a link, a name
// with a line break, a tree deeper than the registry allows): that entry stays.
struct TExportState {
  bool Complete = true;
  bool Refused = false;
};

// The value's type and exact bytes. False when it is gone (nothing to save); an error,
// or data that keeps growing while it is read, leaves the backup incomplete.
bool ReadValue(HKEY key, const std::wstring& name, DWORD& type, std::string& data, TExportState& state) {
  DWORD size = 0;
  LONG result = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
  for (int attempt = 0; result == ERROR_SUCCESS && attempt < 4; ++attempt) {
    data.assign(size + 64, '\0');  // room for a value that grows a little meanwhile
    DWORD got = static_cast<DWORD>(data.size());
    result = RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &got);
    if (result == ERROR_SUCCESS) {
      data.resize(got);
      return true;
    }
    if (result == ERROR_MORE_DATA) {
      size = got;
      result = ERROR_SUCCESS;
    }
  }
  if (result != ERROR_FILE_NOT_FOUND) state.Complete = false;
  return false;
}

void ExportValue(TRegWriter& out, HKEY key, const std::wstring& name, TExportState& state) {
  if (!core::RegNameFitsALine(name)) {
    state.Refused = true;
    return;
  }
  DWORD type = REG_NONE;
  std::string data;
  if (!ReadValue(key, name, type, data, state)) return;
  if ((type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) && !core::RegStringDataRestores(data)) {
    state.Refused = true;  // no line of the file would bring these bytes back
    return;
  }
  const std::wstring namePart = core::RegNamePart(name);
  std::wstring line;
  if (type == REG_SZ && core::RegStringIsExactText(data)) {
    line = core::RegStringLine(namePart, TextOf(data));
  } else if (type == REG_DWORD && data.size() == sizeof(DWORD)) {
    DWORD value = 0;
    memcpy(&value, data.data(), sizeof value);
    line = core::RegDwordLine(namePart, value);
  } else {
    // Every other type, a "DWORD" of another size, and strings that a text line would not
    // give back as they are (line breaks, zeros inside or after the end): byte for byte.
    line = core::RegHexLine(namePart, NarrowWidth(namePart), type, data);
  }
  out.Line(line);
}

// A listing's names; one that ends in an error, not at its end, leaves the backup
// incomplete.
std::vector<std::wstring> ValueNames(HKEY key, TExportState& state) {
  std::vector<std::wstring> names;
  std::vector<wchar_t> buf(16384);
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(buf.size());
    const LONG result = RegEnumValueW(key, i, buf.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) {
      state.Complete = false;
      break;
    }
    names.emplace_back(buf.data(), length);
  }
  return names;
}

std::vector<std::wstring> SubKeyNames(HKEY key, TExportState& state) {
  std::vector<std::wstring> names;
  wchar_t buf[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    const LONG result = RegEnumKeyExW(key, i, buf, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) {
      state.Complete = false;
      break;
    }
    names.emplace_back(buf, length);
  }
  return names;
}

// The key is a registry link: its target is another key, which no file can name as such.
bool IsLinkKey(HKEY key, TExportState& state) {
  DWORD type = REG_NONE;
  const LONG result = RegQueryValueExW(key, L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr);
  if (result == ERROR_FILE_NOT_FOUND) return false;
  if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) state.Complete = false;
  return result != ERROR_SUCCESS || type == REG_LINK;
}

// The key's values, then each sub-key under its own header, depth first. A sub-key is
// opened as itself, never through a link.
void ExportWholeKey(TRegWriter& out, HKEY key, const std::wstring& root, const std::wstring& path, REGSAM access,
                    int depth, TExportState& state) {
  if (depth > kMaxRegistryKeyDepth) {
    state.Refused = true;
    return;
  }
  for (const std::wstring& name : ValueNames(key, state)) ExportValue(out, key, name, state);
  for (const std::wstring& name : SubKeyNames(key, state)) {
    if (!core::RegNameFitsALine(name)) {
      state.Refused = true;
      continue;
    }
    HKEY sub = nullptr;
    const LONG opened = RegOpenKeyExW(key, name.c_str(), REG_OPTION_OPEN_LINK, access, &sub);
    if (opened != ERROR_SUCCESS) {
      if (opened != ERROR_FILE_NOT_FOUND) state.Complete = false;
      continue;
    }
    if (IsLinkKey(sub, state)) {
      state.Refused = true;
    } else {
      const std::wstring subPath = path + L"\\" + name;
      out.Line(L"");
      out.Line(core::RegKeyHeader(root, subPath));
      ExportWholeKey(out, sub, root, subPath, access, depth + 1, state);
    }
    RegCloseKey(sub);
  }
}

}  // namespace

bool TRegistryBackup::WriteBackup(const TBackupSink& sink) {
  TRegWriter out(sink);
  out.Write(L"\xFEFF");
  out.Line(core::kRegFileHeader);
  complete_ = true;
  refused_.clear();
  for (const auto& [entry, item] : entries_) {
    const bool is64 = entry.compare(0, 3, "64:") == 0;
    const size_t slash = entry.find('\\', 3);
    const std::string rootName = entry.substr(3, slash == std::string::npos ? std::string::npos : slash - 3);
    const std::string path = slash == std::string::npos ? std::string() : entry.substr(slash + 1);
    const REGSAM access = Wow64KeyAccess(KEY_READ, is64);
    TRegistryKey key(RegistryRootByName(rootName), path, is64, KEY_READ);
    if (!key) {
      // Gone since the scan: nothing to save. Refused: no copy of it.
      if (key.OpenResult() != ERROR_FILE_NOT_FOUND) complete_ = false;
      continue;
    }
    const std::wstring root = Wide(rootName), header = Wide(MapToWow32Path(rootName, path, is64));
    out.Line(L"");
    out.Line(core::RegKeyHeader(root, header));
    for (const std::string& name : item.ValueNames()) {
      TExportState state;
      if (name.empty())
        ExportWholeKey(out, key.Handle(), root, header, access, 0, state);
      else  // the default value's stand-in name is the empty name
        ExportValue(out, key.Handle(), name == core::kDefaultValueName ? std::wstring() : Wide(name), state);
      complete_ = complete_ && state.Complete;
      if (state.Refused) refused_.insert(RefusalKey(entry, name));
    }
  }
  entries_.clear();
  return out.Flush();
}
