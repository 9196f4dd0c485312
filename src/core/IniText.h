// The content of an INI file held in memory: sections in file order, each with its
// key=value lines in file order. Names compare without ASCII case, as the system's
// profile functions do; double-byte characters are never split.
#pragma once
#include <map>
#include <string>
#include <vector>

namespace core {

class TIniText {
 public:
  struct TEntry {
    std::string Name;
    std::string Value;
  };
  struct TSection {
    std::string Name;
    std::vector<TEntry> Entries;
  };

  // Replaces the whole content with the lines of bytes (CR LF, LF or CR ends a line).
  // Lines are trimmed of spaces and control characters; empty lines, lines starting with
  // ';' and lines before the first section are skipped. "[name]" starts a section (up to
  // the last ']'); a repeated section name continues the earlier section. Other lines are
  // "key=value" split at the first '=', both parts trimmed; a line without '=' is a key
  // with an empty value. Any bytes are accepted.
  void SetText(const std::string& bytes);

  // "[section]" and "key=value" lines, each ended by CR LF, an empty line after each
  // section. Line breaks inside names or values are written as spaces, so the text always
  // reads back as the same sections and keys.
  std::string Text() const;

  const std::vector<TSection>& Sections() const { return sections_; }
  std::vector<std::string> ReadSections() const;
  // Key names of a section in file order (empty for a missing section).
  std::vector<std::string> ReadSection(const std::string& section) const;
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& key) const;
  // The value of the first line with that key, or def.
  std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
  // Replaces the first line with that key, or adds one at the end of the section (added
  // at the end of the content when new).
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void DeleteKey(const std::string& section, const std::string& key);
  void EraseSection(const std::string& section);
  void Clear();

 private:
  const TSection* Find(const std::string& section) const;
  TSection& FindOrAdd(const std::string& section);
  void Reindex();

  std::vector<TSection> sections_;
  // Lower-cased section name -> position in sections_.
  std::map<std::string, size_t> index_;
};

}  // namespace core
