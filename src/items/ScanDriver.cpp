#include "items/ScanDriver.h"

#include <windows.h>

#include <cstdio>

#include "system/ResStrings.h"
#include "items/ItemCatalogue.h"
#include "items/ItemSummary.h"
#include "items/ResultRows.h"
#include "res/resource.h"
#include "system/ByteSizeText.h"
#include "system/ToolsProcesses.h"

namespace {

// Catalogue positions of the groups the walk treats specially.
enum : size_t { kWebGroup = 0, kFormsGroup = 1, kSystemGroup = 2, kAppsGroup = 3, kRegistryGroup = 4 };

bool CheckedOrMixed(const TTreeNode* n) { return n && IsCheckedOrMixed(n->CheckState()); }

std::string Format(unsigned id, int count, const std::string& size) {
  std::string format = LoadResString(id);
  char buf[256];
  std::snprintf(buf, sizeof buf, format.c_str(), count, size.c_str());
  return buf;
}

}  // namespace

TScanDriver::TScanDriver(TTreeModel& tree, TRunState& state, TDriverView& view, const THandlerTable& handlers,
                         TScanPhases phases)
    : tree_(tree), state_(state), view_(view), handlers_(handlers), phases_(std::move(phases)) {}

void TScanDriver::ScanItems(bool oneClick) {
  view_.SetStatusText("");
  const std::string caption = view_.ScanButtonCaption();
  if (caption != LoadResString(IDS_SCAN_START) && caption != LoadResString(IDS_SCAN_AGAIN)) {
    StopRequest();
    return;
  }
  RunScan(oneClick);
}

void TScanDriver::StopRequest() {
  state_.Stop = true;
  view_.EnableScanButton(false);
  view_.EnableCleanButton(false);
  view_.ProcessMessages();
  Call(phases_.StopInvalidFilesFinder);
  if (phases_.JunkScanning && phases_.JunkScanning()) Call(phases_.StopJunkScan);
  state_.Cleaning = false;
  if (!state_.Scanning) {
    // No walk runs any more: the window is ready at once. Otherwise the walk ends itself.
    view_.EnableScanButton(true);
    view_.EnableLinks(true);
    view_.EnableCleanButton(state_.Totals.Count > 0);
  }
}

void TScanDriver::RunScan(bool oneClick) {
  state_.Totals.Reset();
  state_.Stop = false;
  view_.SetScanButtonCaption(LoadResString(IDS_SCAN_STOP));
  view_.ShowAdvancedImage(TAdvancedImage::Description);
  state_.Scanning = true;
  view_.EnableCleanButton(false);
  if (!oneClick) view_.EnableLinks(false);
  TTreeNode* junk = tree_.GetLast();
  if (junk && junk->Data.Kind == kJunkGroupCaption && CheckedOrMixed(junk)) Call(phases_.PrepareJunkScan);
  ClearFindings(&tree_);
  state_.OneClick = oneClick;
  state_.Totals.Reset();
  if (oneClick) view_.ReportOneClickStep(0);
  handlers_.ScanStarting();
  Call(phases_.ClearRegistryScanLists);

  Walk();

  if (state_.OneClick) view_.ReportOneClickStep(5);
  state_.CurrentNode = nullptr;
  view_.RepaintTree();
  // What the walk touched need not stay in memory.
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  view_.EnableLinks(true);
  ClosingSummary();
  state_.Scanning = false;
  view_.EnableScanButton(true);
  view_.SetScanButtonCaption(LoadResString(IDS_SCAN_AGAIN));
  if (state_.OneClick) view_.ReportOneClickStep(6);
}

TTreeNode* TScanDriver::Group(size_t catalogueIndex) const {
  const std::string caption = ItemCatalogue()[catalogueIndex].Caption;
  for (TTreeNode* g = tree_.GetFirst(); g; g = g->NextSibling())
    if (g->Data.Kind == caption) return g;
  return nullptr;
}

void TScanDriver::Walk() {
  TTreeNode* web = Group(kWebGroup);
  if (CheckedOrMixed(web)) WalkItems(web, kItemChrome, 1);
  Call(phases_.CreateInvalidFilesFinder);
  if (state_.OneClick) view_.ReportOneClickStep(2);
  TTreeNode* forms = Group(kFormsGroup);
  if (CheckedOrMixed(forms)) WalkItems(forms, std::string(), -1);
  TTreeNode* system = Group(kSystemGroup);
  if (CheckedOrMixed(system)) WalkItems(system, std::string(), -1);
  if (state_.OneClick) view_.ReportOneClickStep(3);
  TTreeNode* apps = Group(kAppsGroup);
  if (!state_.Stop && CheckedOrMixed(apps)) WalkItems(apps, std::string(), -1);
  if (state_.OneClick) view_.ReportOneClickStep(4);
  TTreeNode* registry = Group(kRegistryGroup);
  if (CheckedOrMixed(registry)) WalkItems(registry, std::string(), -1);
  TTreeNode* junk = tree_.GetLast();
  if (junk && junk->Data.Kind == kJunkGroupCaption && CheckedOrMixed(junk) && !state_.Stop)
    Call(phases_.RunJunkScan);
}

void TScanDriver::WalkItems(TTreeNode* group, const std::string& stepAfterKind, int step) {
  for (TTreeNode* item = group->FirstChild(); item; item = item->NextSibling()) {
    // An item left mixed by unticking some of its findings is still a selected item.
    if (!state_.Stop && CheckedOrMixed(item)) ProcessItem(item);
    if (state_.OneClick && item->Data.Kind == stepAfterKind) view_.ReportOneClickStep(step);
  }
}

void TScanDriver::ProcessItem(TTreeNode* item) {
  BeginItem(item);
  const TItemHandler* handler = handlers_.Find(item->Data.Kind);
  if (!handler || !handler->Scan) return;  // nothing registered for this item yet
  for (const std::string& exe : handler->GuardExecutables) {
    if (IsProcessRunning(exe)) {
      SetItemSuffix(&tree_, item, kSuffixRunning);
      return;
    }
  }
  TItemScan scan;
  scan.Tree = &tree_;
  scan.Item = item;
  scan.Totals = &state_.Totals;
  scan.KeepResponsive = [this] {
    view_.ProcessMessages();
    return state_.Stop;
  };
  scan.Notice = [this](const std::string& text) { view_.ShowNotice(text); };
  handler->Scan(scan);
  if (scan.Skipped) {
    SetItemSuffix(&tree_, item, kSuffixRunning);
    return;
  }
  if (scan.Unscanned) return;
  if (!handler->CountsItself) {
    state_.Totals.Count += scan.Count;
    if (scan.Size > 0) state_.Totals.Size += scan.Size;
  }
  SetItemSuffix(&tree_, item,
                handler->Summary ? handler->Summary(scan) : FormatSummary(scan.Count, handler->UnitWord, scan.Size));
}

void TScanDriver::BeginItem(TTreeNode* item) {
  if (item->Parent()) {
    state_.ExpandSwitch = true;
    tree_.SetExpanded(item->Parent(), true);
    state_.ExpandSwitch = false;
  }
  view_.ScrollIntoView(item);
  state_.CurrentNode = item;
  tree_.InvalidateNode(item);
  const std::string doing = LoadResString(state_.Scanning ? IDS_SCANNING : IDS_CLEANING) + item->Data.Kind;
  view_.SetDescription(doing, std::string(), std::string(), TTextStyle::Normal);
  // The one-click progress line says "scanning" in its clean too.
  if (state_.OneClick) view_.SetStatusText(LoadResString(IDS_SCANNING) + item->Data.Kind);
}

void TScanDriver::ClosingSummary() {
  TTextStyle style = TTextStyle::Normal;
  std::string advice = LoadResString(IDS_ADVICE_CLEAN);
  TTreeNode* junk = tree_.GetLast();
  if (junk && junk->Data.Kind == kJunkGroupCaption && CheckedOrMixed(junk) && phases_.JunkSummary)
    advice = phases_.JunkSummary(style);
  const TScanTotals& t = state_.Totals;
  if (t.Count > 0) {
    view_.ShowAdvancedImage(TAdvancedImage::Warning);
    std::string found = t.Size > 0 ? Format(IDS_FOUND_COUNT_SIZE, static_cast<int>(t.Count), FormatByteSize(t.Size))
                                   : Format(IDS_FOUND_COUNT, static_cast<int>(t.Count), std::string());
    view_.SetDescription(LoadResString(IDS_SCAN_DONE), found, advice, style);
    view_.EnableCleanButton(true);
  } else {
    view_.ShowAdvancedImage(TAdvancedImage::Application);
    view_.SetDescription(LoadResString(IDS_DESC_IDLE_TEXT), std::string(), std::string(), TTextStyle::Normal);
  }
}
