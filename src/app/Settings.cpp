#include "app/Settings.h"

#include <windows.h>

#include <vector>

#include "app/LocaleDateTime.h"
#include "core/GbkText.h"
#include "core/ValueText.h"
#include "system/AppContext.h"

namespace {

// Values of this file are numbers, flags and dates. A text that fills the buffer may
// have been cut (the system then returns size - 1) and reads as the default, so a cut
// can never turn junk into a number.
const DWORD kValueBufferSize = 2048;

std::string ModuleFolder() {
  std::vector<char> buf(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return std::string();
    if (n < buf.size()) {
      std::string path(buf.data(), n);
      size_t slash = core::FindLastCharGbk(path, '\\');
      return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    }
    if (buf.size() >= 32768) return std::string();
    buf.resize(buf.size() * 2);
  }
}

}  // namespace

std::string ProgramFolder() {
  const std::string& dir = AppContext().ProgramDir;
  return dir.empty() ? ModuleFolder() : dir;
}

std::string SettingsFilePath() { return ProgramFolder() + "Marvolent.set"; }

std::string TSettingsFile::ReadString(const std::string& section, const std::string& key,
                                      const std::string& def) const {
  // An empty key would be an enumeration request to the system.
  if (key.empty()) return def;
  std::vector<char> buf(kValueBufferSize);
  DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buf.data(), kValueBufferSize,
                                     path_.c_str());
  return n < kValueBufferSize - 1 ? std::string(buf.data(), n) : def;
}

bool TSettingsFile::WriteString(const std::string& section, const std::string& key,
                                const std::string& value) const {
  if (key.empty()) return false;
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) != FALSE;
}

namespace {
// The key's text through parse (a rule that leaves value untouched when the text is not
// of its type), else def.
template <typename T>
T ReadParsed(const TSettingsFile& file, const std::string& section, const std::string& key, T def,
             bool (*parse)(const std::string&, T&)) {
  T value = def;
  parse(file.ReadString(section, key, std::string()), value);
  return value;
}
}  // namespace

bool TSettingsFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool TSettingsFile::WriteBool(const std::string& section, const std::string& key, bool value) const {
  return WriteString(section, key, value ? "1" : "0");
}

int32_t TSettingsFile::ReadInteger(const std::string& section, const std::string& key, int32_t def) const {
  return ReadParsed(*this, section, key, def, core::ParseIntegerText);
}

bool TSettingsFile::WriteInteger(const std::string& section, const std::string& key, int32_t value) const {
  return WriteString(section, key, std::to_string(value));
}

int64_t TSettingsFile::ReadInt64(const std::string& section, const std::string& key, int64_t def) const {
  return ReadParsed(*this, section, key, def, core::ParseInt64Text);
}

bool TSettingsFile::WriteInt64(const std::string& section, const std::string& key, int64_t value) const {
  return WriteString(section, key, std::to_string(value));
}

double TSettingsFile::ReadDateTime(const std::string& section, const std::string& key, double def) const {
  return ReadParsed(*this, section, key, def, ParseLocalDateTime);
}

bool TSettingsFile::WriteDateTime(const std::string& section, const std::string& key, double value) const {
  std::string text = FormatLocalDateTime(value);
  return !text.empty() && WriteString(section, key, text);
}

double TSettingsFile::ReadFloat(const std::string& section, const std::string& key, double def) const {
  return ReadParsed(*this, section, key, def, core::ParseFloatText);
}

bool TSettingsFile::WriteFloat(const std::string& section, const std::string& key, float value) const {
  return WriteString(section, key, core::ShortestFloatText(value));
}

bool TSettingsFile::DeleteKey(const std::string& section, const std::string& key) const {
  if (key.empty()) return false;
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, path_.c_str()) != FALSE;
}

void TSettingsFile::Flush() const { WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str()); }
