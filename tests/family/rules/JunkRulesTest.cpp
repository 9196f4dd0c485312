// The junk engine's text rules, built natively with sanitizers beside the core rules.
#include "JunkRules.h"

#include <gtest/gtest.h>

#include <random>

using namespace junk;

TEST(JunkMatchWildcard, PatternsOfTheFileTypeList) {
  const struct {
    const wchar_t* Pattern;
    const wchar_t* Name;
    bool Match;
  } cases[] = {
      {L"*.tmp", L"a.tmp", true},        {L"*.tmp", L"A.TMP", true},        {L"*.tmp", L"a.tmp.txt", false},
      {L"*.tmp", L".tmp", true},         {L"*.~*", L"report.~doc", true},   {L"*.~*", L"report.doc", false},
      {L"*.$$$", L"x.$$$", true},        {L"*.---", L"x.---", true},        {L"*.---", L"x.--", false},
      {L"thumbcache_*.db", L"thumbcache_32.db", true}, {L"thumbcache_*.db", L"iconcache_32.db", false},
      {L"MEMORY.DMP", L"memory.dmp", true}, {L"?.log", L"ab.log", false},   {L"?.log", L"a.log", true},
      {L"*", L"", true},                 {L"", L"a", false},                {L"a*b*c", L"aXbYc", true},
      {L"a*b*c", L"aXbY", false},        {L"**.tmp", L"z.tmp", true},       {L"my file*.x", L"my file 2.x", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MatchWildcard(c.Pattern, c.Name), c.Match)
        << std::string(c.Pattern, c.Pattern + wcslen(c.Pattern)) << " / " << std::string(c.Name, c.Name + wcslen(c.Name));
}

TEST(JunkFolderList, SplitDropsQuotesTrailingBackslashesAndEmptyPieces) {
  EXPECT_EQ(SplitFolderList(L"C:\\keep\\|\"D:\\a b\"||  E:\\x  |"),
            (std::vector<std::wstring>{L"C:\\keep", L"D:\\a b", L"E:\\x"}));
  EXPECT_EQ(SplitFolderList(L"C:\\"), std::vector<std::wstring>{L"C:"}) << "a drive root, as a drive";
  EXPECT_TRUE(SplitFolderList(L"").empty());
  EXPECT_EQ(JoinFolderList({L"C:\\a\\", L"", L"\"D:\\b\""}), L"C:\\a|D:\\b");
}

TEST(JunkIsInFolder, WholePathComponentsWithoutCase) {
  EXPECT_TRUE(IsInFolder(L"C:\\Temp\\x.tmp", L"c:\\temp"));
  EXPECT_TRUE(IsInFolder(L"C:\\Temp", L"C:\\Temp"));
  EXPECT_FALSE(IsInFolder(L"C:\\Temp2\\x.tmp", L"C:\\Temp")) << "a sibling that starts alike";
  EXPECT_TRUE(IsInFolder(L"C:\\x\\y", L"C:")) << "a whole drive";
  EXPECT_TRUE(IsInFolder(L"C:\\x", L"C:\\"));
  EXPECT_FALSE(IsInFolder(L"C:\\x", L""));
  EXPECT_FALSE(IsInFolder(L"C:", L"C:\\x"));
}

TEST(JunkOldEnough, TheTwoDayBoundary) {
  const uint64_t day = 864000000000ULL, now = 1000 * day;
  EXPECT_TRUE(OldEnough(now, now, 0)) << "no filter: everything";
  EXPECT_TRUE(OldEnough(now - 2 * day, now, 2)) << "exactly two days";
  EXPECT_FALSE(OldEnough(now - 2 * day + 1, now, 2));
  EXPECT_FALSE(OldEnough(now + day, now, 2)) << "a time in the future is not old";
  EXPECT_TRUE(OldEnough(0, now, 2));
}

// Random texts of the characters that matter to these rules: no crash, no sanitizer
// report, and a list read back from its own text is the same list.
TEST(JunkRulesFuzz, RandomTextsKeepTheRules) {
  std::mt19937 random(20261209);
  const wchar_t alphabet[] = L"ab*?.\\|\" :C~$\x4e2d";
  auto text = [&](size_t most) {
    std::wstring s(random() % (most + 1), L'a');
    for (wchar_t& c : s) c = alphabet[random() % (sizeof alphabet / sizeof alphabet[0] - 1)];
    return s;
  };
  for (int i = 0; i < 20000; ++i) {
    const std::wstring a = text(24), b = text(24);
    MatchWildcard(a, b);
    IsInFolder(a, b);
    const std::vector<std::wstring> list = SplitFolderList(a);
    EXPECT_EQ(SplitFolderList(JoinFolderList(list)), list);
    if (b.find_first_of(L"*?") == std::wstring::npos) {
      EXPECT_TRUE(MatchWildcard(b, b));
    }
  }
}
