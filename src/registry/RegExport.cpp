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

void ExportValue(TRegWriter& out, HKEY key, const std::wstring& name) {
  DWORD type = REG_NONE, size = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return;
  std::string data(size, '\0');
  DWORD got = size;
  if (size && RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &got) !=
                  ERROR_SUCCESS)
    return;
  data.resize(got < size ? got : size);
  const std::wstring namePart = core::RegNamePart(name);
  std::wstring line;
  if (type == REG_SZ) {
    line = core::RegStringLine(namePart, TextOf(data));
  } else if (type == REG_EXPAND_SZ) {
    const std::wstring text = TextOf(data);
    std::string bytes(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    bytes.append(2, '\0');
    line = core::RegHexLine(namePart, NarrowWidth(namePart), type, bytes);
  } else if (type == REG_DWORD && data.size() == sizeof(DWORD)) {
    DWORD value = 0;
    memcpy(&value, data.data(), sizeof value);
    line = core::RegDwordLine(namePart, value);
  } else {
    // Every other type, and a "DWORD" of another size, byte for byte.
    line = core::RegHexLine(namePart, NarrowWidth(namePart), type, data);
  }
  out.Line(line);
}

std::vector<std::wstring> ValueNames(HKEY key) {
  std::vector<std::wstring> names;
  std::vector<wchar_t> buf(16384);
  for (DWORD i = 0;; ++i) {
    DWORD length = static_cast<DWORD>(buf.size());
    const LONG result = RegEnumValueW(key, i, buf.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result == ERROR_SUCCESS) names.emplace_back(buf.data(), length);
    if (i > 1000000) break;
  }
  return names;
}

std::vector<std::wstring> SubKeyNames(HKEY key) {
  std::vector<std::wstring> names;
  wchar_t buf[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    const LONG result = RegEnumKeyExW(key, i, buf, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result == ERROR_SUCCESS) names.emplace_back(buf, length);
    if (i > 1000000) break;
  }
  return names;
}

// The key's values, then each sub-key under its own header, depth first.
void ExportWholeKey(TRegWriter& out, HKEY key, const std::wstring& root, const std::wstring& path, REGSAM access) {
  for (const std::wstring& name : ValueNames(key)) ExportValue(out, key, name);
  for (const std::wstring& name : SubKeyNames(key)) {
    HKEY sub = nullptr;
    if (RegOpenKeyExW(key, name.c_str(), 0, access, &sub) != ERROR_SUCCESS) continue;
    const std::wstring subPath = path + L"\\" + name;
    out.Line(L"");
    out.Line(core::RegKeyHeader(root, subPath));
    ExportWholeKey(out, sub, root, subPath, access);
    RegCloseKey(sub);
  }
}

}  // namespace

bool TRegistryBackup::WriteBackup(const TBackupSink& sink) {
  TRegWriter out(sink);
  out.Write(L"\xFEFF");
  out.Line(core::kRegFileHeader);
  for (const auto& [entry, item] : entries_) {
    const bool is64 = entry.compare(0, 3, "64:") == 0;
    const size_t slash = entry.find('\\', 3);
    const std::string rootName = entry.substr(3, slash == std::string::npos ? std::string::npos : slash - 3);
    const std::string path = slash == std::string::npos ? std::string() : entry.substr(slash + 1);
    const REGSAM access = Wow64KeyAccess(KEY_READ, is64);
    TRegistryKey key(RegistryRootByName(rootName), path, is64, KEY_READ);
    if (!key) continue;  // gone since the scan
    const std::wstring root = Wide(rootName), header = Wide(MapToWow32Path(rootName, path, is64));
    out.Line(L"");
    out.Line(core::RegKeyHeader(root, header));
    for (const std::string& name : item.ValueNames()) {
      if (name.empty())
        ExportWholeKey(out, key.Handle(), root, header, access);
      else  // the default value's stand-in name is the empty name
        ExportValue(out, key.Handle(), name == core::kDefaultValueName ? std::wstring() : Wide(name));
    }
  }
  entries_.clear();
  return out.Flush();
}
