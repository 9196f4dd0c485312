// Command-line splitting and the switches the program reacts to.
#pragma once
#include <string>
#include <vector>

namespace core {

// Splits a command line the way the program's arguments have always been read:
// blanks (any char <= ' ') separate arguments, double quotes group and are dropped,
// a backslash has no special meaning. Element 0 is the program token.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// True when any argument after the program token is exactly "/iehistory".
bool HasIEHistorySwitch(const std::vector<std::string>& args);

// True when the first argument after the program token is exactly "CleanNow".
bool IsCleanNowRun(const std::vector<std::string>& args);

}  // namespace core
