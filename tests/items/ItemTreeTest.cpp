#include "items/ItemTree.h"

#include <gtest/gtest.h>

#include "helpers/TreeFixtures.h"

#include <map>
#include <set>

#include "items/ResultRows.h"
#include "junk/SysSweeperWrapper.h"

namespace {


std::vector<std::string> GroupCaptions(TTreeModel& tree) {
  std::vector<std::string> out;
  for (TTreeNode* g = tree.GetFirst(); g; g = g->NextSibling()) out.push_back(g->Data.Caption);
  return out;
}


}  // namespace

TEST(BuildItemTree, EndsWithTheJunkGroupOfTheEngine) {
  TCleanWrapper engine;
  ASSERT_EQ(engine.Availability(), 2);
  engine.LoadSettings();
  TTreeModel tree;
  TItemTreeResult r = BuildItemTree(tree, Windows7(), engine, false, TReadItemChecked());
  EXPECT_EQ(GroupCaptions(tree), (std::vector<std::string>{"上网历史痕迹", "保存的网页表单和密码", "系统历史痕迹和临时文件",
                                                           "应用程序历史记录", "注册表", "垃圾文件清理"}));
  ASSERT_NE(r.JunkGroupNode, nullptr);
  EXPECT_EQ(r.JunkGroupNode->Data.ImageIndex, 46);
  EXPECT_EQ(r.JunkGroupNode->ChildCount(), static_cast<uint32_t>(engine.GetCategoryCount()));
  ASSERT_EQ(r.JunkCategories.size(), r.JunkGroupNode->ChildCount());
  for (const TJunkCategoryNode& c : r.JunkCategories) {
    EXPECT_EQ(c.Node->Parent(), r.JunkGroupNode);
    EXPECT_EQ(c.Node->Data.Kind, engine.GetItemName(c.Category));
    EXPECT_EQ(c.Node->Data.Path, engine.GetItemRecommended(c.Category) ? "推荐" : "可选");
    EXPECT_EQ(c.Node->Data.ImageIndex, engine.GetItemImageIndex(c.Category));
    EXPECT_EQ(IsChecked(c.Node->CheckState()), engine.GetItemRecommended(c.Category));
  }
  EXPECT_EQ(r.RegistryGroupNode->Data.Caption, "注册表");
  EXPECT_EQ(tree.FocusedNode(), r.JunkGroupNode);
  EXPECT_TRUE(tree.GetFirst()->Expanded());
}

TEST(BuildItemTree, WithoutTheEngineEndsWithTheRegistryOrApplicationGroup) {
  TCleanWrapper missing("purvex-no-such-engine.dll");
  TTreeModel tree;
  TItemTreeResult r = BuildItemTree(tree, Windows7(), missing, false, TReadItemChecked());
  EXPECT_EQ(GroupCaptions(tree).back(), "注册表");
  EXPECT_EQ(r.JunkGroupNode, nullptr);
  EXPECT_EQ(tree.FocusedNode(), tree.GetFirst());
  TCatalogueSystem server = Windows7();
  server.IsServer = true;
  r = BuildItemTree(tree, server, missing, false, TReadItemChecked());
  EXPECT_EQ(GroupCaptions(tree).back(), "应用程序历史记录");
  EXPECT_EQ(r.RegistryGroupNode, tree.GetLast());
}

TEST(BuildItemTree, DefaultsAndSavedStates) {
  TCleanWrapper missing("purvex-no-such-engine.dll");
  TTreeModel tree;
  BuildItemTree(tree, Windows7(), missing, false, TReadItemChecked());
  TTreeNode* firefox = Find(tree, "FireFox 清理");
  ASSERT_NE(firefox, nullptr);
  EXPECT_EQ(firefox->Data.Path, "推荐");
  EXPECT_EQ(firefox->Data.ImageIndex, 35);
  EXPECT_EQ(firefox->CheckType(), TCheckType::TriState);
  EXPECT_TRUE(IsChecked(firefox->CheckState()));
  EXPECT_TRUE(IsUnchecked(Find(tree, "Internet Explorer 地址栏网址历史")->CheckState()));
  EXPECT_TRUE(IsMixed(tree.GetFirst()->CheckState())) << "one optional item in the first group";
  EXPECT_TRUE(IsUnchecked(Find(tree, "保存的网页表单和密码")->CheckState())) << "all optional";

  // Saved: FireFox off, the optional address history on; groups are asked but do not decide.
  std::set<std::string> asked;
  std::map<std::string, bool> saved = {{"FireFox 清理", false}, {"Internet Explorer 地址栏网址历史", true},
                                       {"上网历史痕迹", false}, {"注册表", false}};
  BuildItemTree(tree, Windows7(), missing, true, [&](const std::string& caption, bool recommended) {
    asked.insert(caption);
    auto it = saved.find(caption);
    return it == saved.end() ? recommended : it->second;
  });
  EXPECT_TRUE(IsUnchecked(Find(tree, "FireFox 清理")->CheckState()));
  EXPECT_TRUE(IsChecked(Find(tree, "Internet Explorer 地址栏网址历史")->CheckState()));
  EXPECT_TRUE(IsMixed(tree.GetFirst()->CheckState()));
  EXPECT_TRUE(IsChecked(Find(tree, "注册表")->CheckState())) << "a group's own saved 0 is overruled by its items";
  EXPECT_TRUE(asked.count("上网历史痕迹"));
  EXPECT_TRUE(asked.count("无效的字体"));
}

TEST(SelectionLinks, AllNoneAndRecommendedRebuildWithoutFindings) {
  TCleanWrapper missing("purvex-no-such-engine.dll");
  TTreeModel tree;
  BuildItemTree(tree, Windows7(), missing, false, TReadItemChecked());
  TTreeNode* item = Find(tree, "剪贴板内容");
  AddResultNode(&tree, "finding", true, "", item, 0, "文件", "", "C:\\x");
  SetItemSuffix(&tree, item, "(1个文件)");

  ApplySelectionLink(tree, Windows7(), missing, TSelectionLink::All);
  for (TTreeNode* n = tree.GetFirst(); n; n = tree.GetNext(n)) {
    EXPECT_TRUE(IsChecked(n->CheckState())) << n->Data.Caption;
    EXPECT_LE(n->Level(), 1) << "findings are gone";
  }
  ApplySelectionLink(tree, Windows7(), missing, TSelectionLink::None);
  for (TTreeNode* n = tree.GetFirst(); n; n = tree.GetNext(n)) EXPECT_TRUE(IsUnchecked(n->CheckState()));
  ApplySelectionLink(tree, Windows7(), missing, TSelectionLink::Recommended);
  EXPECT_TRUE(IsChecked(Find(tree, "剪贴板内容")->CheckState()));
  EXPECT_EQ(Find(tree, "剪贴板内容")->Data.Caption, "剪贴板内容");
  EXPECT_TRUE(IsUnchecked(Find(tree, "Marvolent漏洞修复留下的补丁")->CheckState()));
}
