#include "core/LocateRules.h"

#include "core/ExePathRules.h"
#include "core/GbkText.h"
#include "core/RegistryKeyPath.h"

namespace core {

namespace {
const char kVisited[] = "Visited:";
const char kClipboardRow[] = "剪贴板内容";
const char kRecycleBinRow[] = "回收站中的数据";

bool StartsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

// An INI path followed by ":" and a section, or a database followed by a table: the part
// before the last colon, when that colon is not the drive's.
std::string CutAtLastColon(const std::string& path) {
  size_t colon = FindLastCharGbk(path, ':');
  return (colon != std::string::npos && colon > 1) ? path.substr(0, colon) : path;
}
}  // namespace

TLocateCommands LocateCommandsFor(int level, const std::string& caption, const std::string& kind,
                                  const std::string& root) {
  TLocateCommands c;
  if (level <= 1 || StartsWith(caption, kVisited) || caption == kClipboardRow || caption == kRecycleBinRow) return c;
  if (NamesRegistryRoot(root)) {
    c.Registry = true;
  } else {
    c.File = kind != "EventLog";
  }
  return c;
}

std::string LocateFilePath(const std::string& caption, const std::string& kind) {
  std::string path = CutAtLastColon(ExtractExePath(caption));
  if (StartsWith(path, kVisited) || kind == "EventLog" || path == kClipboardRow || path == kRecycleBinRow)
    return std::string();
  return CutAtLastColon(path);
}

std::string ExplorerLocateParameters(const std::string& path, int major, int minor, const std::string& windowsDir) {
  const std::string downloaded = windowsDir + "\\Downloaded Program Files";
  // Inside that folder: the folder itself or below it, not a sibling that starts alike.
  if (major == 6 && minor == 0 && path.size() >= downloaded.size() &&
      SameTextGbk(path.substr(0, downloaded.size()), downloaded) &&
      (path.size() == downloaded.size() || path[downloaded.size()] == '\\'))
    return " /root," + downloaded;
  return " /select," + path;
}

}  // namespace core
