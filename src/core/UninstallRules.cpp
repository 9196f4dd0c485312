#include "core/UninstallRules.h"

#include "core/GbkText.h"

namespace core {

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

bool TextAfterDashFQuote(const std::string& command, std::string& rest) {
  const size_t at = FindGbk(command, "-f\"");
  if (at == std::string::npos) return false;
  rest = command.substr(at + 3);
  return true;
}

std::string UninstallCommandTarget(const std::string& command, const std::string& exePath, bool* invalid) {
  *invalid = false;
  std::string program = LowerGbk(exePath);
  if (program.compare(0, 9, "rundll32 ") == 0) program = "rundll32";
  if (!EndsWith(program, "rundll32") && !EndsWith(program, "rundll32.exe")) return program;
  // What follows the program and one separator.
  if (command.size() <= program.size() + 1) {
    *invalid = true;
    return std::string();
  }
  return command.substr(program.size() + 1);
}

bool UninstallIconCommand(const std::string& command, const std::string& windowsDir, std::string& iconCommand) {
  iconCommand = LowerGbk(command);
  if (iconCommand.compare(0, 9, "rundll32 ") == 0) {
    iconCommand.erase(0, 9);
    if (FindGbk(iconCommand, "ctor.dll") != std::string::npos) return false;
  }
  const std::string windows = LowerGbk(windowsDir);
  const size_t uninst = FindGbk(iconCommand, "uninst.exe -f");
  if (!windows.empty() && FindGbk(iconCommand, windows) != std::string::npos && uninst != std::string::npos)
    iconCommand.erase(0, uninst + 13);
  return true;
}

}  // namespace core
