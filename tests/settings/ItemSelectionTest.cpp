#include "app/ItemSelection.h"

#include <gtest/gtest.h>

#include "helpers/TreeFixtures.h"

#include "items/ItemTree.h"
#include "items/ResultRows.h"
#include "junk/SysSweeperWrapper.h"
#include "settings/SettingsFolder.h"

namespace {



std::string Value(const TSettingsFolder& folder, const char* key) {
  char buf[64] = {};
  GetPrivateProfileStringA("TraceScanOption", key, "<none>", buf, sizeof buf, folder.SettingsPath().c_str());
  return buf;
}

}  // namespace

TEST(SaveItemSelection, WritesBaseCaptionsDropsOldKeysAndKeepsStrangers) {
  TSettingsFolder folder;
  ASSERT_TRUE(folder.SetBytes("[TraceScanOption]\r\n全部IE缓存=1\r\nIE缓存(不包括IE Cookie)=1\r\n"
                              "IE缓存(不包括IE Cookie和IE历史记录)=0\r\n一个已经不存在的项目=1\r\n"
                              "[其他程序]\r\n键=值\r\n"));
  TCleanWrapper noEngine("purvex-no-such-engine.dll");
  TTreeModel tree;
  BuildItemTree(tree, Windows7(), noEngine, false, TReadItemChecked());
  TTreeNode* firefox = Find(tree, "FireFox 清理");
  tree.SetCheckState(firefox, TCheckState::Unchecked);
  TTreeNode* clipboard = Find(tree, "剪贴板内容");
  AddResultNode(&tree, "x", true, "", clipboard, 0, "文件", "", "x");
  SetItemSuffix(&tree, clipboard, "(1个项目)");
  // Before, an item mixed by an unticked finding was saved as unselected.
  TTreeNode* paint = Find(tree, "Windows画图");
  AddResultNode(&tree, "p", true, "", paint, 0, "文件", "", "p");
  tree.SetCheckState(AddResultNode(&tree, "q", true, "", paint, 0, "文件", "", "q"), TCheckState::Unchecked);
  ASSERT_TRUE(IsMixed(paint->CheckState()));

  SaveItemSelection(tree);
  EXPECT_EQ(Value(folder, "FireFox 清理"), "0");
  EXPECT_EQ(Value(folder, "剪贴板内容"), "1") << "saved under the base caption";
  EXPECT_EQ(Value(folder, "剪贴板内容(1个项目)"), "<none>");
  EXPECT_EQ(Value(folder, "Windows画图"), "1") << "a mixed item is a selected item";
  EXPECT_EQ(Value(folder, "上网历史痕迹"), "0") << "a mixed group is saved as 0";
  EXPECT_EQ(Value(folder, "注册表"), "1");
  EXPECT_EQ(Value(folder, "IETraceCleanMode"), "0");
  EXPECT_EQ(Value(folder, "全部IE缓存"), "<none>");
  EXPECT_EQ(Value(folder, "IE缓存(不包括IE Cookie)"), "<none>");
  EXPECT_EQ(Value(folder, "IE缓存(不包括IE Cookie和IE历史记录)"), "<none>");
  EXPECT_EQ(Value(folder, "一个已经不存在的项目"), "1") << "stale keys stay untouched";
  EXPECT_NE(folder.Bytes().find("键=值"), std::string::npos);

  // The next start reads it back; the group follows its items again.
  TTreeModel again;
  BuildItemTree(again, Windows7(), noEngine, true, ReadItemChecked);
  EXPECT_TRUE(IsUnchecked(Find(again, "FireFox 清理")->CheckState()));
  EXPECT_TRUE(IsChecked(Find(again, "剪贴板内容")->CheckState()));
  EXPECT_TRUE(IsMixed(again.GetFirst()->CheckState()));
}

TEST(SaveItemSelection, SelectNoneStoresZeroForEveryCaptionAndAnEmptyTreeWritesNothing) {
  TSettingsFolder folder;
  TTreeModel empty;
  SaveItemSelection(empty);
  EXPECT_EQ(folder.Bytes(), "<missing>");

  TCleanWrapper engine;
  TTreeModel tree;
  ApplySelectionLink(tree, Windows7(), engine, TSelectionLink::None);
  SaveItemSelection(tree);
  int keys = 0;
  for (TTreeNode* n = tree.GetFirst(); n; n = tree.GetNext(n), ++keys)
    EXPECT_EQ(Value(folder, n->Data.Kind.c_str()), "0") << n->Data.Kind;
  EXPECT_GT(keys, 90);
}
