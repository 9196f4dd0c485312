#include "core/PathText.h"

#include "core/GbkText.h"

namespace core {

bool EndsWithBackslash(const std::string& path) {
  size_t last = FindLastCharGbk(path, '\\');
  return last != std::string::npos && last + 1 == path.size();
}

std::string IncludeTrailingBackslash(const std::string& path) {
  if (path.empty() || EndsWithBackslash(path)) return path;
  return path + "\\";
}

std::string ExcludeTrailingBackslash(const std::string& path) {
  return EndsWithBackslash(path) ? path.substr(0, path.size() - 1) : path;
}

std::vector<std::string> FoldersFromBase(const std::string& base, const std::string& path) {
  std::vector<std::string> folders;
  if (!IsFullPath(base) || !IsFullPath(path)) return folders;
  const std::string prefix = IncludeTrailingBackslash(base);
  if (path.size() <= prefix.size() || !SameTextGbk(path.substr(0, prefix.size()), prefix)) return folders;
  folders.push_back(base);
  for (size_t cut = FindCharGbk(path, '\\', prefix.size()); cut != std::string::npos;
       cut = FindCharGbk(path, '\\', cut + 1))
    folders.push_back(path.substr(0, cut));
  return folders;
}

std::string CollapseDoubleBackslashes(const std::string& path) {
  // A leading "\\" opens a network path ("\\server\share") and stays.
  bool unc = path.compare(0, 2, "\\\\") == 0;
  std::string out = unc ? "\\\\" : "";
  out.reserve(path.size());
  bool afterBackslash = unc;
  for (size_t i = out.size(); i < path.size();) {
    size_t n = GbkCharLength(path, i);
    bool backslash = n == 1 && path[i] == '\\';
    if (!(backslash && afterBackslash)) out.append(path, i, n);
    afterBackslash = backslash;
    i += n;
  }
  return out;
}

namespace {
// Position just after the last '\' or ':', 0 when there is none.
size_t NameStart(const std::string& path) {
  size_t slash = FindLastCharGbk(path, '\\');
  size_t colon = FindLastCharGbk(path, ':');
  size_t start = 0;
  if (slash != std::string::npos) start = slash + 1;
  if (colon != std::string::npos && colon + 1 > start) start = colon + 1;
  return start;
}
}  // namespace

std::string ExtractFileDir(const std::string& path) { return path.substr(0, NameStart(path)); }

std::string ExtractFileName(const std::string& path) { return path.substr(NameStart(path)); }

bool HasFileExtension(const std::string& name) {
  size_t dot = FindLastCharGbk(name, '.');
  return dot != std::string::npos && dot >= NameStart(name);
}

bool HasWildcard(const std::string& path) {
  return FindCharGbk(path, '*') != std::string::npos || FindCharGbk(path, '?') != std::string::npos;
}

std::vector<std::string> SplitPathList(const std::string& pathVariable) {
  std::vector<std::string> dirs;
  std::string piece;
  bool quoted = false;
  for (size_t i = 0; i < pathVariable.size();) {
    size_t n = GbkCharLength(pathVariable, i);
    char c = pathVariable[i];
    if (n == 1 && c == '"') {
      quoted = !quoted;
    } else if (n == 1 && c == ';' && !quoted) {
      if (!piece.empty()) dirs.push_back(piece);
      piece.clear();
    } else {
      piece.append(pathVariable, i, n);
    }
    i += n;
  }
  if (!piece.empty()) dirs.push_back(piece);
  return dirs;
}

bool IsFullPath(const std::string& path) {
  if (path.size() >= 3 && path[1] == ':' && path[2] == '\\')
    return (path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z');
  return path.size() > 2 && path[0] == '\\' && path[1] == '\\';
}

}  // namespace core
