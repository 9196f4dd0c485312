#include "core/FirewallRuleText.h"

#include "core/GbkText.h"

namespace core {

std::vector<std::string> SplitFirewallRule(const std::string& rule) {
  std::vector<std::string> pieces;
  std::string piece;
  char quote = 0;
  auto flush = [&] {
    if (!piece.empty()) pieces.push_back(piece);
    piece.clear();
  };
  for (size_t i = 0; i < rule.size();) {
    const size_t length = GbkCharLength(rule, i);
    const char c = rule[i];
    if (length == 1) {
      if (quote) {
        if (c == quote) quote = 0;
      } else if (c == '\'' || c == '"') {
        quote = c;
      } else if (c == '|') {
        flush();
        ++i;
        continue;
      }
      if (c == '\r' || c == '\n') {  // a line break ends a piece even inside quotes
        quote = 0;
        flush();
        ++i;
        continue;
      }
    }
    piece.append(rule, i, length);
    i += length;
  }
  flush();
  return pieces;
}

std::string FirewallRuleApp(const std::string& rule) {
  for (const std::string& piece : SplitFirewallRule(LowerGbk(rule)))
    if (piece.compare(0, 4, "app=") == 0) return piece.substr(4);
  return std::string();
}

std::string WithoutQuotes(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    const size_t length = GbkCharLength(text, i);
    if (length != 1 || (text[i] != '\'' && text[i] != '"')) out.append(text, i, length);
    i += length;
  }
  return out;
}

}  // namespace core
