// The end of a listing is told from an error that breaks it off.
#include "system/FindFile.h"

#include <gtest/gtest.h>

#include <set>

#include "helpers/TempFolder.h"
#include "system/WideText.h"

TEST(TFindFile, EndOfListNothingMatchedAndErrorsAreThreeThings) {
  TTempFolder tmp;
  const std::string dir = GbkFromWide(tmp.Path());
  for (const char* name : {"a.txt", "b.txt", "软件.txt"}) {
    HANDLE h = CreateFileA((dir + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
    CloseHandle(h);
  }
  std::set<std::string> seen;
  TFindFile all(dir + "\\*.txt");
  for (; all.Found(); all.Next()) seen.insert(all.Name());
  EXPECT_EQ(seen, (std::set<std::string>{"a.txt", "b.txt", "软件.txt"}));
  EXPECT_TRUE(all.Complete());
  all.Next();  // past the end: stays ended
  EXPECT_FALSE(all.Found());

  const struct {
    std::string Pattern;
    bool Complete;
  } rows[] = {
      {dir + "\\*.none", true},                     // nothing matched
      {dir + "\\missing folder\\*", true},          // no such folder: an empty listing
      {dir + "\\a.txt\\*", false},                  // a file is no folder
      {"", true},                                   // no name: nothing matched
  };
  for (const auto& row : rows) {
    TFindFile f(row.Pattern);
    EXPECT_FALSE(f.Found()) << row.Pattern;
    EXPECT_EQ(f.Complete(), row.Complete) << row.Pattern << ": error " << f.Error();
  }
}
