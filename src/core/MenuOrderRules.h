// The Start menu's order cache keeps one key per menu folder it has seen, named as the
// folder was named when the cache was written, often in Chinese while the folders on disk
// carry their English names. These rules tell which cache entries still match a folder.
#pragma once
#include <string>

namespace core {

// The HyperTerminal menu entries, which outlive their folder on purpose and are kept.
bool IsKeptMenuOrderEntry(const std::string& entry);

// The entry with the localised folder names of Windows replaced by the English ones:
// "启动", "附件", "管理工具", "方案和升级", "游戏", "维护" everywhere, then "系统工具" and
// "轻松访问" only where they follow "Accessories\".
std::string TranslateMenuOrderEntry(const std::string& entry);

}  // namespace core
