#include "core/ExcludedFolders.h"

#include <algorithm>

#include "core/GbkText.h"
#include "core/PathText.h"

namespace core {

namespace {

bool Less(const std::string& a, const std::string& b) { return CompareTextGbk(a, b) < 0; }

// text begins with head, letter case aside (whole characters of code page 936).
bool StartsWithNoCase(const std::string& text, const std::string& head) {
  return text.size() >= head.size() && SameTextGbk(text.substr(0, head.size()), head);
}

}  // namespace

TExcludedFolders TExcludedFolders::FromEngineText(const std::string& text) {
  TExcludedFolders folders;
  size_t start = 0;
  while (start <= text.size()) {
    size_t bar = FindCharGbk(text, '|', start);
    if (bar == std::string::npos) bar = text.size();
    std::string piece = text.substr(start, bar - start);
    piece.erase(0, piece.find_first_not_of(' '));  // all blanks: nothing left
    if (!piece.empty()) folders.Add(IncludeTrailingBackslash(piece));
    start = bar + 1;
  }
  return folders;
}

bool TExcludedFolders::Contains(const std::string& path) const {
  return std::binary_search(paths_.begin(), paths_.end(), path, Less);
}

void TExcludedFolders::Add(const std::string& path) {
  auto at = std::lower_bound(paths_.begin(), paths_.end(), path, Less);
  if (at == paths_.end() || !SameTextGbk(*at, path)) paths_.insert(at, path);
}

void TExcludedFolders::Remove(const std::string& path) {
  auto at = std::lower_bound(paths_.begin(), paths_.end(), path, Less);
  if (at != paths_.end() && SameTextGbk(*at, path)) paths_.erase(at);
}

TFolderState TExcludedFolders::StateOf(const std::string& path,
                                       const std::function<std::vector<std::string>()>& subFolderNames) const {
  if (Contains(path)) return TFolderState::Unchecked;
  // Some excluded folder lies inside this one (the path is one of its ancestors).
  const bool holdsExcluded =
      std::any_of(paths_.begin(), paths_.end(), [&](const std::string& e) { return StartsWithNoCase(e, path); });
  if (!holdsExcluded) return TFolderState::Checked;
  for (const std::string& name : subFolderNames())
    if (!Contains(path + name + "\\")) return TFolderState::Mixed;
  return TFolderState::Unchecked;
}

void TExcludedFolders::Unchecked(const std::string& path) { Add(path); }

void TExcludedFolders::Checked(const std::string& path, const std::vector<std::string>& uncheckedSiblings,
                               const std::vector<std::string>& checkedOrMixedAncestors) {
  Remove(path);
  for (const std::string& sibling : uncheckedSiblings) Add(sibling);
  for (const std::string& ancestor : checkedOrMixedAncestors) Remove(ancestor);
  paths_.erase(std::remove_if(paths_.begin(), paths_.end(), [&](const std::string& e) { return StartsWithNoCase(e, path); }),
               paths_.end());
}

std::string TExcludedFolders::EngineText() const {
  std::string text;
  std::vector<std::string> kept;
  for (const std::string& entry : paths_) {
    if (std::any_of(kept.begin(), kept.end(), [&](const std::string& k) { return StartsWithNoCase(entry, k); }))
      continue;  // inside a folder already excluded
    kept.push_back(entry);
    if (!text.empty()) text += '|';
    text += ExcludeTrailingBackslash(entry);
  }
  return text;
}

std::vector<std::string> SplitFileTypeName(const std::string& name) {
  std::vector<std::string> parts;
  std::string part;
  bool quoted = false;
  for (size_t i = 0; i < name.size();) {
    const size_t length = GbkCharLength(name, i);
    const char c = name[i];
    if (length == 1 && c == '"') {
      quoted = !quoted;
    } else if (length == 1 && c == ' ' && !quoted) {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part.append(name, i, length);
    }
    i += length;
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

}  // namespace core
