// Random command lines and paths of whole code-page-936 characters, many of them with the
// trail byte 0x5C that looks like a backslash: the path rules never cut a character in two
// and never make a text longer than it was.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/ExePathRules.h"
#include "core/FirewallRuleText.h"
#include "core/MenuOrderRules.h"
#include "core/PathText.h"

using namespace core;

namespace {

// True when text is a sequence of whole characters (a lead byte 0x81-0xFE takes the next).
bool WholeCharacters(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) i += (static_cast<unsigned char>(text[i]) >= 0x81 && static_cast<unsigned char>(text[i]) <= 0xFE) ? 2 : 1;
  return i == text.size();
}

std::string RandomText(std::mt19937& random) {
  static const char* const kPieces[] = {
      "C:", "\\", "\\\\", "\"", " ", "a", "x.exe", ".dll", ",", "-k", "/s", "%1", ".com", "%windir%",
      "\x81\x5c", "\xd5\x5c", "\xfe\x5c", "\xb1\xed", "\xc4\xe3",  // double-byte characters, three ending in 0x5C
  };
  std::string text;
  for (size_t n = random() % 12; n > 0; --n) text += kPieces[random() % (sizeof kPieces / sizeof kPieces[0])];
  return text;
}

}  // namespace

TEST(DoubleByteRulesFuzz, PathRulesKeepWholeCharacters) {
  std::mt19937 random(936);
  TPathVariableFolders folders{"C:\\Program Files (x86)", "C:\\Program Files", "C:\\cf", "C:\\cf64", "C:\\Windows"};
  for (int i = 0; i < 50000; ++i) {
    const std::string text = RandomText(random);
    ASSERT_TRUE(WholeCharacters(text));
    for (const std::string& out : {ExtractExePath(text), ExcludeTrailingBackslash(text), ExtractFileDir(text),
                                   CollapseDoubleBackslashes(text), IncludeTrailingBackslash(text)}) {
      EXPECT_TRUE(WholeCharacters(out)) << text << " -> " << out;
      if (!WholeCharacters(out)) return;
    }
    EXPECT_LE(ExtractExePath(text).size(), text.size()) << text;
    EXPECT_TRUE(WholeCharacters(ExpandPathVariables(text, i % 2 == 0, folders))) << text;
  }
}

TEST(DoubleByteRulesFuzz, FirewallRulesAndMenuNamesKeepWholeCharacters) {
  std::mt19937 random(7);
  static const char* const kPieces[] = {"|", "'", "\"", "\n", "App=", "app=", "C:\\x.exe", "\x81\x7c", "\xd5\x5c",
                                        "附件", "游戏", "\\", "系统工具", "Accessories"};
  for (int i = 0; i < 50000; ++i) {
    std::string text;
    for (size_t n = random() % 10; n > 0; --n) text += kPieces[random() % (sizeof kPieces / sizeof kPieces[0])];
    for (const std::string& piece : SplitFirewallRule(text)) ASSERT_TRUE(WholeCharacters(piece)) << text;
    ASSERT_TRUE(WholeCharacters(FirewallRuleApp(text))) << text;
    ASSERT_TRUE(WholeCharacters(TranslateMenuOrderEntry(text))) << text;
  }
}
