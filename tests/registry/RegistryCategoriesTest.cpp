#include "registry/RegistryCategories.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "helpers/TestContext.h"
#include "items/ItemCatalogue.h"
#include "registry/RegistryScanBench.h"

TEST(RegistryCategories, EveryItemOfTheRegistryGroupIsDispatchedAndSummarised) {
  TTestContext context;
  const TCatalogueGroup& group = ItemCatalogue()[4];
  ASSERT_STREQ(group.Caption, "注册表");
  ASSERT_EQ(RegistryCategories().size(), group.Items.size());
  for (size_t i = 0; i < group.Items.size(); ++i)
    EXPECT_STREQ(RegistryCategories()[i].Caption, group.Items[i].Caption) << "tree order is scan order";

  // Whatever this computer's registry holds, each category counts what it added.
  TRegistryScanBench b;
  b.Scan();
  size_t summarised = 0;
  int64_t findings = 0;
  for (TTreeNode* item = b.registryGroup->FirstChild(); item; item = item->NextSibling(), ++summarised) {
    EXPECT_EQ(item->Data.Caption, item->Data.Kind + "(" + std::to_string(item->ChildCount()) + "个项目)");
    findings += item->ChildCount();
  }
  EXPECT_EQ(summarised, group.Items.size());
  EXPECT_EQ(b.state.Totals.Count, findings);
}

namespace {

// Runs a category's handler as the scan driver does and records the views of its runs;
// each run adds one finding.
struct TViewProbe {
  TTreeModel tree;
  TTreeNode* item;
  std::vector<bool> views;
  int responsiveCalls = 0;
  bool stopAt = false;
  bool asks = true;  // the check asks for a stop between entries (else only lets messages through)

  TViewProbe() { item = tree.AddChild(nullptr, Column4TreeData{"无效的启动项目", "", "", "无效的启动项目", "", 1}); }
  int Run(TRegistryViews kind, bool wow64) {
    TTestContext context(6, 1, wow64);
    TItemScan scan;
    scan.Tree = &tree;
    scan.Item = item;
    scan.Totals = nullptr;
    scan.KeepResponsive = [this] {
      ++responsiveCalls;
      return stopAt;
    };
    TItemHandler handler = RegistryCategoryHandler(kind, [this](TRegistryRun& run) {
      views.push_back(run.Native());
      run.AddFinding("HKEY_LOCAL_MACHINE\\Software\\x", "Software\\x", "HKEY_LOCAL_MACHINE", "v");
      if (asks)
        ForEachEntry(run, {"a", "b", "c"}, [](const std::string&) { return true; });
      else
        run.LetMessagesThrough();
    });
    EXPECT_EQ(handler.UnitWord, "项目");
    handler.Scan(scan);
    return scan.Count;
  }
};

}  // namespace

TEST(RegistryCategoryHandler, BothViewsOn64BitWindowsInOrderUnderOneCounter) {
  TViewProbe both64;
  EXPECT_EQ(both64.Run(TRegistryViews::Both, true), 2);
  EXPECT_EQ(both64.views, (std::vector<bool>{false, true}));
  ASSERT_EQ(both64.item->ChildCount(), 2u);
  const Column4TreeData& first = both64.item->FirstChild()->Data;
  const Column4TreeData& second = both64.item->FirstChild()->NextSibling()->Data;
  EXPECT_EQ(first.Caption, "HKEY_LOCAL_MACHINE\\Software\\x");
  EXPECT_EQ(first.Kind, "");
  EXPECT_EQ(second.Caption, "64位分支:HKEY_LOCAL_MACHINE\\Software\\x");
  EXPECT_EQ(second.Kind, "x64");
  EXPECT_EQ(second.Path, "Software\\x");
  EXPECT_EQ(second.Name, "v");
  EXPECT_EQ(second.Root, "HKEY_LOCAL_MACHINE");
  EXPECT_EQ(both64.responsiveCalls, 6) << "after every entry of both runs";

  TViewProbe native64;
  EXPECT_EQ(native64.Run(TRegistryViews::Native, true), 1);
  EXPECT_EQ(native64.views, (std::vector<bool>{true}));
  EXPECT_EQ(native64.item->FirstChild()->Data.Kind, "x64");

  for (TRegistryViews kind : {TRegistryViews::Both, TRegistryViews::Native}) {
    TViewProbe only32;
    EXPECT_EQ(only32.Run(kind, false), 1);
    EXPECT_EQ(only32.views, (std::vector<bool>{false})) << "32-bit Windows: one run, no view mark";
    EXPECT_EQ(only32.item->FirstChild()->Data.Kind, "");
  }
}

TEST(RegistryCategoryHandler, AStopInTheFirstRunEndsTheCategory) {
  TViewProbe probe;
  probe.stopAt = true;
  EXPECT_EQ(probe.Run(TRegistryViews::Both, true), 1);
  EXPECT_EQ(probe.views, (std::vector<bool>{false})) << "no 64-bit run after the stop";
  EXPECT_EQ(probe.responsiveCalls, 1) << "the loop returned after its first entry";
  EXPECT_EQ(probe.item->ChildCount(), 1u) << "what was found stays";
  TViewProbe neverStops;  // the uninstallers, help files and start menu go on regardless
  neverStops.stopAt = true;
  neverStops.asks = false;
  EXPECT_EQ(neverStops.Run(TRegistryViews::Both, true), 2);
  EXPECT_EQ(neverStops.views, (std::vector<bool>{false, true})) << "a check that never stops runs in both views";
}
