#include "traces/ScanNamedValues.h"

#include <gtest/gtest.h>

#include "traces/TraceBench.h"

namespace {

const std::string kKey = "Software\\Gabest\\Media Player Classic\\Recent File List";
const std::string kPrefix = "HKEY_CURRENT_USER\\" + kKey + "\\";

void FillKey() {
  SetString(HKEY_CURRENT_USER, kKey, "File1", "C:\\movie.avi");
  SetString(HKEY_CURRENT_USER, kKey, "File2", "");
  SetValue(HKEY_CURRENT_USER, kKey, "Count", REG_DWORD, std::string("\x03\0\0\0", 4));
  SetValue(HKEY_CURRENT_USER, kKey, "Blob", REG_BINARY, std::string("ab", 2));
  SetValue(HKEY_CURRENT_USER, kKey, "File3", REG_EXPAND_SZ, std::string("%TEMP%\\x.avi\0", 13));
  SetString(HKEY_CURRENT_USER, kKey, "", "unnamed");
}

}  // namespace

TEST(ScanNamedValues, EveryValueWithTextIsAFindingWithoutItsText) {
  TPrivateRoot user(HKEY_CURRENT_USER);
  ASSERT_TRUE(user.Active());
  FillKey();
  TTraceBench b;
  EXPECT_FALSE(ScanNamedValues(b.Scan, kKey));
  EXPECT_EQ(b.Captions(), (std::vector<std::string>{kPrefix, kPrefix + "File1", kPrefix + "File3"}));
  EXPECT_EQ(b.Scan.Count, 3);
  EXPECT_EQ(b.Entries, 6) << "one pause per value of the key";
  for (const Column4TreeData& d : b.Findings()) {
    EXPECT_EQ(d.Root, "HKEY_CURRENT_USER");
    EXPECT_EQ(d.Path, kKey);
    EXPECT_EQ(d.Kind, "");
    EXPECT_EQ(d.Name, d.Caption == kPrefix ? "@D_e_f_a_u_l_t" : d.Caption.substr(kPrefix.size()));
  }
}

TEST(ScanNamedValues, ListedNamesInTheirOrderUntilTheStopRequest) {
  TPrivateRoot user(HKEY_CURRENT_USER);
  ASSERT_TRUE(user.Active());
  FillKey();
  TTraceBench b;
  ScanNamedValues(b.Scan, kKey, {"File3", "Missing", "Count", "File2", "File1"});
  ASSERT_EQ(b.Findings().size(), 2u);
  EXPECT_EQ(b.Findings()[0].Caption, kPrefix + "File3");
  EXPECT_EQ(b.Findings()[1].Caption, kPrefix + "File1");
  EXPECT_EQ(b.Scan.Count, 2);

  TTraceBench stopped;
  stopped.StopAfter = 1;
  EXPECT_TRUE(ScanNamedValues(stopped.Scan, kKey, {"File1", "File3"}));
  EXPECT_EQ(stopped.Captions(), (std::vector<std::string>{kPrefix + "File1"}));
  EXPECT_EQ(stopped.Entries, 1);

  TTraceBench none;
  EXPECT_FALSE(ScanNamedValues(none.Scan, "Software\\Missing", {"File1"}));
  EXPECT_FALSE(ScanNamedValues(none.Scan, kKey, std::vector<std::string>()));
  EXPECT_EQ(none.Scan.Count, 0);
  EXPECT_EQ(none.Scan.Item->ChildCount(), 0u);
}
