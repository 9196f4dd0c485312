#include "core/OfficialLogRules.h"

#include "core/GbkText.h"

namespace core {

namespace {

int32_t Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

}  // namespace

TLogEntryKey SplitLogEntryKey(const std::string& key) {
  const size_t bar = FindCharGbk(key, '|');
  if (bar == std::string::npos) return {key, std::string()};
  return {key.substr(0, bar), key.substr(bar + 1)};
}

int32_t LogEntryColour(const std::string& colourName) {
  static const struct {
    const char* Name;
    int R, G, B;
  } kColours[] = {{"", 0, 128, 0},        {"clRed", 255, 0, 0},     {"clNavy", 0, 0, 128}, {"clBlack", 0, 0, 0},
                  {"clPurple", 128, 0, 128}, {"clTeal", 0, 128, 128}, {"clBlue", 0, 0, 255}, {"clLime", 0, 255, 0}};
  for (const auto& c : kColours)
    if (colourName == c.Name) return Rgb(c.R, c.G, c.B);
  return -1;
}

bool NoteLineOfKey(const std::string& key, std::string& text) {
  const size_t bar = FindCharGbk(key, '|');
  if (bar == std::string::npos || key.compare(0, bar, "Cleaner") != 0 || bar != 7) return false;
  text = key.substr(bar + 1);
  return true;
}

}  // namespace core
