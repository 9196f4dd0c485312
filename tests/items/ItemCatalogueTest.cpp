#include "items/ItemCatalogue.h"

#include <gtest/gtest.h>

#include <set>

#include "helpers/TreeFixtures.h"

namespace {

// Captions of the groups and items offered on a system, one entry per group: its caption,
// then its items.
std::vector<std::vector<std::string>> Offered(const TCatalogueSystem& s) {
  std::vector<std::vector<std::string>> out;
  for (const TCatalogueGroup& g : ItemCatalogue()) {
    if (!IsShown(g.ShownWhen, s)) continue;
    std::vector<std::string> group{g.Caption};
    for (const TCatalogueItem& item : g.Items)
      if (IsShown(item.ShownWhen, s)) group.push_back(item.Caption);
    out.push_back(group);
  }
  return out;
}

}  // namespace

TEST(ItemCatalogue, GroupAndItemCountsPerSystem) {
  struct Row {
    const char* label;
    TCatalogueSystem system;
    size_t groups;
    size_t systemItems;  // G3
  } rows[] = {
      {"Windows 2000", CatalogueSystem(5, 0, "2000"), 5, 14},  // neither jump lists nor notification area
      {"Windows XP", CatalogueSystem(5, 1, "XP"), 5, 15},      // no jump lists
      {"Windows Vista", CatalogueSystem(6, 0, "Vista"), 5, 15},
      {"Windows 7", CatalogueSystem(6, 1, "7"), 5, 16},
      {"Windows 7 64-bit", CatalogueSystem(6, 1, "7", true), 5, 15},  // no broken-shortcut item
      {"Server 2008", CatalogueSystem(6, 0, "2008", false, true), 4, 15},
      {"Windows 8", CatalogueSystem(6, 2, ""), 5, 15},
  };
  for (const Row& r : rows) {
    auto offered = Offered(r.system);
    ASSERT_EQ(offered.size(), r.groups) << r.label;
    EXPECT_EQ(offered[0].size() - 1, 11u) << r.label;
    EXPECT_EQ(offered[1].size() - 1, 6u) << r.label;
    EXPECT_EQ(offered[2].size() - 1, r.systemItems) << r.label;
    EXPECT_EQ(offered[3].size() - 1, 40u) << r.label;
    if (r.groups == 5) {
      EXPECT_EQ(offered[4].size() - 1, 15u) << r.label;
    }
  }
}

TEST(ItemCatalogue, ConditionsOfTheSystemGroup) {
  auto win7x64 = Offered(CatalogueSystem(6, 1, "7", true));
  EXPECT_EQ(win7x64[2][1], "运行(开始菜单中，重启后生效)") << "64-bit Windows starts without the shortcut item";
  auto win7 = Offered(CatalogueSystem(6, 1, "7"));
  EXPECT_EQ(win7[2][1], "桌面和菜单中无效的快捷方式");
  EXPECT_EQ(win7[2][8], "Windows 7 跳转列表（用户锁定项目也会删除，请慎用）");
  auto win2000 = Offered(CatalogueSystem(5, 0, "2000"));
  std::set<std::string> items(win2000[2].begin(), win2000[2].end());
  EXPECT_FALSE(items.count("通知区域图标历史记录(重启后生效)"));
  EXPECT_TRUE(items.count("Windows系统日志"));
  auto nt4 = Offered(CatalogueSystem(4, 0, ""));
  std::set<std::string> nt4Items(nt4[2].begin(), nt4[2].end());
  EXPECT_FALSE(nt4Items.count("Windows系统日志"));
  auto server = Offered(CatalogueSystem(5, 2, "2003", false, true));
  EXPECT_EQ(server.back()[0], "应用程序历史记录");
}

TEST(ItemCatalogue, CaptionsAreUniqueAndOptionalItemsAreTheListedOnes) {
  std::set<std::string> captions;
  std::vector<std::string> optional;
  for (const TCatalogueGroup& g : ItemCatalogue()) {
    EXPECT_TRUE(captions.insert(g.Caption).second) << g.Caption;
    for (const TCatalogueItem& item : g.Items) {
      EXPECT_TRUE(captions.insert(item.Caption).second) << item.Caption;
      EXPECT_GE(item.ImageIndex, 0);
      EXPECT_LE(item.ImageIndex, 86);
      if (!item.Recommended) optional.push_back(item.Caption);
    }
  }
  EXPECT_EQ(optional, (std::vector<std::string>{
                          "Internet Explorer 地址栏网址历史",
                          "Internet Explorer 自动保存的表单(清理时有效)",
                          "Internet Explorer 自动保存的密码(清理时有效)",
                          "FireFox 自动保存的表单和搜索历史",
                          "FireFox 自动保存的密码",
                          "Google Chrome 自动保存的表单",
                          "Google Chrome 自动保存的密码",
                          "通知区域图标历史记录(重启后生效)",
                          "Marvolent漏洞修复留下的补丁",
                      }));
}

TEST(ItemCatalogue, SystemGroupOrderOn64BitWindows7) {
  auto offered = Offered(CatalogueSystem(6, 1, "7", true));
  EXPECT_EQ(offered[2], (std::vector<std::string>{
                            "系统历史痕迹和临时文件",
                            "运行(开始菜单中，重启后生效)",
                            "最近运行的程序历史记录",
                            "文件打开与保存历史记录",
                            "窗口位置与大小历史记录",
                            "查找计算机",
                            "最近打开的文件",
                            "Windows 7 跳转列表（用户锁定项目也会删除，请慎用）",
                            "文件扩展名历史记录",
                            "最近打开的程序历史记录",
                            "通知区域图标历史记录(重启后生效)",
                            "Windows系统日志",
                            "清空回收站",
                            "Windows搜索历史",
                            "网络驱动器映射历史",
                            "剪贴板内容",
                        }));
  EXPECT_EQ(offered[3].front(), "应用程序历史记录");
  EXPECT_EQ(offered[3][1], "Windows画图");
  EXPECT_EQ(offered[3].back(), "SnagIt 历史记录");
  EXPECT_EQ(offered[4][1], "冗余动态链接库");
  EXPECT_EQ(offered[4].back(), "无效的字体");
}
