// The family's shared settings file, Marvolent.set beside the program. It is never held
// open: every read and write goes through the system's profile functions by path, one
// key at a time, so the other programs' sections, keys and text stay as they are.
#pragma once
#include <cstdint>
#include <string>

// Folder of the executable with its trailing backslash: the context's ProgramDir, or the
// running module's own folder while the context has none.
std::string ProgramFolder();

// ProgramFolder() + "Marvolent.set".
std::string SettingsFilePath();

// Typed keys of one INI file. A read of a missing key, or of a text that is not of the
// type, gives the caller's default; writes report whether the system accepted them.
class TSettingsFile {
 public:
  explicit TSettingsFile(std::string path) : path_(std::move(path)) {}
  // The shared settings file of the program.
  static TSettingsFile Program() { return TSettingsFile(SettingsFilePath()); }

  const std::string& Path() const { return path_; }

  std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
  bool WriteString(const std::string& section, const std::string& key, const std::string& value) const;

  // "1" and "0"; any integer text other than 0 reads as true.
  bool ReadBool(const std::string& section, const std::string& key, bool def) const;
  bool WriteBool(const std::string& section, const std::string& key, bool value) const;

  int32_t ReadInteger(const std::string& section, const std::string& key, int32_t def) const;
  bool WriteInteger(const std::string& section, const std::string& key, int32_t value) const;

  int64_t ReadInt64(const std::string& section, const std::string& key, int64_t def) const;
  bool WriteInt64(const std::string& section, const std::string& key, int64_t value) const;

  // Date-times in the user's short-date and long-time text (LocaleDateTime.h).
  double ReadDateTime(const std::string& section, const std::string& key, double def) const;
  bool WriteDateTime(const std::string& section, const std::string& key, double value) const;

  // Written as the shortest text of the single-precision value, '.' as decimal point.
  double ReadFloat(const std::string& section, const std::string& key, double def) const;
  bool WriteFloat(const std::string& section, const std::string& key, float value) const;

  bool DeleteKey(const std::string& section, const std::string& key) const;
  // Makes the system write out any change it still holds for the file. The system's answer
  // to this request says nothing (Wine always answers false), so there is none.
  void Flush() const;

 private:
  std::string path_;
};
