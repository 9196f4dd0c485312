#include "core/CommandLine.h"

namespace core {

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' ' && c != '\0'; }
}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> args;
  const char* p = commandLine.c_str();
  for (;;) {
    while (IsBlank(*p)) ++p;
    if (*p == '\0') break;
    std::string arg;
    while (*p != '\0' && !IsBlank(*p)) {
      if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') arg += *p++;
        if (*p == '"') ++p;
      } else {
        arg += *p++;
      }
    }
    args.push_back(arg);
  }
  return args;
}

bool HasIEHistorySwitch(const std::vector<std::string>& args) {
  for (size_t i = 1; i < args.size(); ++i)
    if (args[i] == "/iehistory") return true;
  return false;
}

bool IsCleanNowRun(const std::vector<std::string>& args) {
  return args.size() > 1 && args[1] == "CleanNow";
}

}  // namespace core
