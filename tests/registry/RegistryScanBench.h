// A Windows 7 cleaning tree without the junk engine, with only the registry group
// checked, the registry categories in the handler table and a scan driver that empties
// the registry name caches at its start, as the main window wires it.
#pragma once
#include <functional>

#include "helpers/TreeFixtures.h"
#include "items/ItemTree.h"
#include "items/ScanDriver.h"
#include "junk/SysSweeperWrapper.h"
#include "registry/RegistryCaches.h"
#include "registry/RegistryCategories.h"

// The scan button's caption is the driver's state; the rest of the window is silent.
class TScanButtonView : public TDriverView {
 public:
  std::string Caption = "开始扫描";
  std::string ScanButtonCaption() override { return Caption; }
  void SetScanButtonCaption(const std::string& caption) override { Caption = caption; }
  void ProcessMessages() override {}
  bool AskYesNo(const std::string&) override { return false; }
  void ShowNotice(const std::string&) override {}
  void SetDescription(const std::string&, const std::string&, const std::string&, TTextStyle) override {}
  void EnableScanButton(bool) override {}
  void EnableCleanButton(bool) override {}
  void EnableCloseButton(bool) override {}
  void EnableLinks(bool) override {}
  void ShowAdvancedImage(TAdvancedImage) override {}
  void SetStatusText(const std::string&) override {}
  void ScrollIntoView(TTreeNode*) override {}
  void RepaintTree() override {}
  void ReportOneClickStep(int) override {}
};

struct TRegistryScanBench {
  TCleanWrapper noEngine{"purvex-no-such-engine.dll"};
  TTreeModel tree;
  TRunState state;
  TScanButtonView view;
  THandlerTable handlers;
  TTreeNode* registryGroup = nullptr;

  TRegistryScanBench() {
    registryGroup = BuildItemTree(tree, Windows7(), noEngine, false, TReadItemChecked()).RegistryGroupNode;
    SetAllChecked(tree, false);
    tree.SetCheckState(registryGroup, TCheckState::Checked);
    RegisterRegistryCategories(handlers);
  }
  void Scan() {
    TScanPhases phases;
    phases.ClearRegistryScanLists = ClearRegistryScanLists;
    TScanDriver(tree, state, view, handlers, phases).ScanItems(false);
  }
  // Replaces the check of one category for the test.
  void Fake(const char* caption, TRegistryViews views, TRegistryCheck check) {
    handlers.Register(caption, RegistryCategoryHandler(views, std::move(check)));
  }
};
