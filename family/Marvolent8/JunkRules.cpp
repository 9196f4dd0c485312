#include "JunkRules.h"

namespace junk {

namespace {
wchar_t Fold(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; }

std::wstring CleanFolder(std::wstring f) {
  std::wstring out;
  for (wchar_t c : f)
    if (c != L'"') out += c;
  while (!out.empty() && (out.back() == L'\\' || out.back() == L' ')) out.pop_back();
  size_t b = out.find_first_not_of(L' ');
  return b == std::wstring::npos ? std::wstring() : out.substr(b);
}
}  // namespace

bool MatchWildcard(const std::wstring& pattern, const std::wstring& name) {
  // Iterative match with one back-tracking point per '*': linear in practice, no recursion
  // to blow up on patterns full of stars.
  size_t p = 0, n = 0, star = std::wstring::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == L'?' || Fold(pattern[p]) == Fold(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == L'*') {
      star = p++;
      mark = n;
    } else if (star != std::wstring::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

std::vector<std::wstring> SplitFolderList(const std::wstring& list) {
  std::vector<std::wstring> folders;
  size_t start = 0;
  for (;;) {
    size_t bar = list.find(L'|', start);
    std::wstring piece = CleanFolder(list.substr(start, bar == std::wstring::npos ? std::wstring::npos : bar - start));
    if (!piece.empty()) folders.push_back(piece);
    if (bar == std::wstring::npos) break;
    start = bar + 1;
  }
  return folders;
}

std::wstring JoinFolderList(const std::vector<std::wstring>& folders) {
  std::wstring out;
  for (const std::wstring& f : folders) {
    std::wstring clean = CleanFolder(f);
    if (clean.empty()) continue;
    if (!out.empty()) out += L'|';
    out += clean;
  }
  return out;
}

bool IsInFolder(const std::wstring& path, const std::wstring& folder) {
  if (folder.empty() || path.size() < folder.size()) return false;
  for (size_t i = 0; i < folder.size(); ++i)
    if (Fold(path[i]) != Fold(folder[i])) return false;
  return path.size() == folder.size() || path[folder.size()] == L'\\' || folder.back() == L'\\';
}

bool OldEnough(uint64_t lastUsed, uint64_t now, int days) {
  if (days <= 0) return true;
  const uint64_t kTicksPerDay = 864000000000ULL;
  return lastUsed <= now && now - lastUsed >= static_cast<uint64_t>(days) * kTicksPerDay;
}

}  // namespace junk
