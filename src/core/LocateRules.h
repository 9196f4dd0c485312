// Which of a finding's "locate" commands apply, and what Explorer is asked to show.
#pragma once
#include <string>

namespace core {

struct TLocateCommands {
  bool File = false;      // 定位到文件
  bool Registry = false;  // 定位到注册表
};

// For the focused node of the tree: level 0 group, 1 item, 2 finding.
TLocateCommands LocateCommandsFor(int level, const std::string& caption, const std::string& kind,
                                  const std::string& root);

// The file or folder of a finding to select in Explorer; empty when the finding has none
// (visited addresses, event logs, the clipboard and recycle-bin rows).
std::string LocateFilePath(const std::string& caption, const std::string& kind);

// Explorer's parameters for the path: the folder itself for downloaded controls on
// Windows Vista, else the path selected in its folder.
std::string ExplorerLocateParameters(const std::string& path, int major, int minor, const std::string& windowsDir);

}  // namespace core
