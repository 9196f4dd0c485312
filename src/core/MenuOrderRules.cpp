#include "core/MenuOrderRules.h"

#include "core/GbkText.h"

namespace core {

namespace {

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = FindGbk(text, from); at != std::string::npos; at = FindGbk(text, from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

bool IsKeptMenuOrderEntry(const std::string& entry) {
  static const char* const kKept[] = {"\\附件\\通讯\\超级终端", "\\Accessories\\Communications\\HyperTerminal",
                                      "\\附属应用程序\\通讯\\超级终端机"};
  for (const char* kept : kKept)
    if (entry == kept) return true;
  return false;
}

std::string TranslateMenuOrderEntry(const std::string& entry) {
  static const char* const kNames[][2] = {
      {"启动", "Startup"},           {"附件", "Accessories"}, {"管理工具", "Administrative Tools"},
      {"方案和升级", "Extras and Upgrades"}, {"游戏", "Games"},    {"维护", "Maintenance"},
  };
  std::string copy = entry;
  for (const auto& name : kNames) ReplaceAll(copy, name[0], name[1]);
  if (FindGbk(copy, "Accessories\\系统工具") != std::string::npos) ReplaceAll(copy, "系统工具", "System Tools");
  if (FindGbk(copy, "Accessories\\轻松访问") != std::string::npos) ReplaceAll(copy, "轻松访问", "Accessibility");
  return copy;
}

}  // namespace core
