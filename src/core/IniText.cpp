#include "core/IniText.h"

#include "core/GbkText.h"

namespace core {

namespace {

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

// text[first, last) without leading and trailing spaces and control characters. The end
// is found walking whole characters, so the second byte of a double-byte character is
// never cut off, even a malformed one.
std::string Trim(const std::string& text, size_t first, size_t last) {
  std::string part = text.substr(first, last - first);
  size_t begin = 0;
  while (begin < part.size() && IsTrimmed(part[begin])) ++begin;
  size_t end = begin;
  for (size_t i = begin; i < part.size();) {
    size_t len = GbkCharLength(part, i);
    i += len;
    if (len == 2 || !IsTrimmed(part[i - 1])) end = i;
  }
  return part.substr(begin, end - begin);
}

std::string WithoutLineBreaks(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

template <typename Entries>
auto FindEntry(Entries& entries, const std::string& key) -> decltype(&entries[0]) {
  for (auto& entry : entries)
    if (SameTextGbk(entry.Name, key)) return &entry;
  return nullptr;
}

}  // namespace

void TIniText::SetText(const std::string& bytes) {
  TIniText parsed;
  TSection* current = nullptr;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = bytes.size();
    std::string line = Trim(bytes, pos, end);
    pos = end;
    if (pos < bytes.size() && bytes[pos] == '\r') ++pos;
    if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      size_t close = FindLastCharGbk(line, ']');
      if (close != std::string::npos) {
        current = &parsed.FindOrAdd(Trim(line, 1, close));
        continue;
      }
    }
    if (!current) continue;
    // '=' is below the range of second bytes, so even a malformed character cannot hide it.
    size_t eq = line.find('=');
    TEntry entry;
    if (eq == std::string::npos) {
      entry.Name = line;
    } else {
      entry.Name = Trim(line, 0, eq);
      entry.Value = Trim(line, eq + 1, line.size());
    }
    current->Entries.push_back(std::move(entry));
  }
  sections_.swap(parsed.sections_);
  index_.swap(parsed.index_);
}

std::string TIniText::Text() const {
  std::string out;
  for (const TSection& section : sections_) {
    out += "[" + WithoutLineBreaks(section.Name) + "]\r\n";
    for (const TEntry& entry : section.Entries)
      out += WithoutLineBreaks(entry.Name) + "=" + WithoutLineBreaks(entry.Value) + "\r\n";
    out += "\r\n";
  }
  return out;
}

std::vector<std::string> TIniText::ReadSections() const {
  std::vector<std::string> names;
  for (const TSection& section : sections_) names.push_back(section.Name);
  return names;
}

std::vector<std::string> TIniText::ReadSection(const std::string& section) const {
  std::vector<std::string> keys;
  if (const TSection* s = Find(section))
    for (const TEntry& entry : s->Entries) keys.push_back(entry.Name);
  return keys;
}

bool TIniText::SectionExists(const std::string& section) const { return Find(section) != nullptr; }

bool TIniText::ValueExists(const std::string& section, const std::string& key) const {
  const TSection* s = Find(section);
  return s && FindEntry(s->Entries, key);
}

std::string TIniText::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
  const TSection* s = Find(section);
  const TEntry* entry = s ? FindEntry(s->Entries, key) : nullptr;
  return entry ? entry->Value : def;
}

void TIniText::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  TSection& s = FindOrAdd(section);
  if (TEntry* entry = FindEntry(s.Entries, key))
    entry->Value = value;
  else
    s.Entries.push_back(TEntry{key, value});
}

void TIniText::DeleteKey(const std::string& section, const std::string& key) {
  auto it = index_.find(LowerGbk(section));
  if (it == index_.end()) return;
  std::vector<TEntry>& entries = sections_[it->second].Entries;
  for (size_t i = 0; i < entries.size(); ++i)
    if (SameTextGbk(entries[i].Name, key)) {
      entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
      return;
    }
}

void TIniText::EraseSection(const std::string& section) {
  auto it = index_.find(LowerGbk(section));
  if (it == index_.end()) return;
  sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(it->second));
  Reindex();
}

void TIniText::Clear() {
  sections_.clear();
  index_.clear();
}

const TIniText::TSection* TIniText::Find(const std::string& section) const {
  auto it = index_.find(LowerGbk(section));
  return it == index_.end() ? nullptr : &sections_[it->second];
}

TIniText::TSection& TIniText::FindOrAdd(const std::string& section) {
  std::string key = LowerGbk(section);
  auto it = index_.find(key);
  if (it != index_.end()) return sections_[it->second];
  index_[key] = sections_.size();
  sections_.push_back(TSection{section, {}});
  return sections_.back();
}

void TIniText::Reindex() {
  index_.clear();
  for (size_t i = 0; i < sections_.size(); ++i) index_[LowerGbk(sections_[i].Name)] = i;
}

}  // namespace core
