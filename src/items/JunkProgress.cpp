#include "items/JunkProgress.h"

#include <windows.h>

#include "items/FileRemover.h"
#include "items/ItemCatalogue.h"
#include "items/ItemHandlers.h"
#include "items/ItemSummary.h"
#include "items/ResultRows.h"
#include "junk/SysSweeperWrapper.h"
#include "res/resource.h"
#include "system/ResStrings.h"

namespace {

// Exactly checked: a category left mixed or unchecked is not scanned.
bool IsExactlyChecked(const TTreeNode* node) { return node->CheckState() == TCheckState::Checked; }

}  // namespace

TJunkWarning JunkWarningFor(int64_t count, int64_t size) {
  if (count > kJunkWarnCount) return TJunkWarning::TooMany;
  if (size > kJunkWarnSize) return TJunkWarning::TooBig;
  return TJunkWarning::None;
}

TJunkProgress::TJunkProgress(TTreeModel& tree, TRunState& state, TDriverView& view, TCleanWrapper& engine,
                             std::function<void(bool)> enableTimer)
    : tree_(tree), state_(state), view_(view), engine_(engine), enableTimer_(std::move(enableTimer)) {}

void TJunkProgress::SetCategories(const std::vector<TJunkCategoryNode>& categories) {
  records_.clear();
  records_.reserve(categories.size());
  for (const TJunkCategoryNode& c : categories) {
    TJunkCategoryRecord r;
    r.Category = c.Category;
    r.Node = c.Node;
    records_.push_back(r);
  }
}

void TJunkProgress::PrepareJunkScan() {
  for (TJunkCategoryRecord& r : records_) {
    r.FetchedCount = 0;
    r.FetchedSize = 0;
    engine_.SetItemChecked(r.Category, IsExactlyChecked(r.Node));
  }
}

bool TJunkProgress::UserPressedStop() {
  // The stop request also stops the engine itself; the caption covers a stop that came
  // some other way.
  const std::string caption = view_.ScanButtonCaption();
  return state_.Stop || caption == LoadResString(IDS_SCAN_START) || caption == LoadResString(IDS_SCAN_AGAIN);
}

void TJunkProgress::RunJunkScan() {
  startFailed_ = false;
  TTreeNode* group = records_.empty() ? nullptr : records_.front().Node->Parent();
  if (group) {
    state_.ExpandSwitch = true;
    tree_.SetExpanded(group, true);
    state_.ExpandSwitch = false;
  }
  if (!engine_.StartScan()) {
    // Nothing was scanned: the summary says so instead of showing an empty result.
    startFailed_ = true;
    return;
  }
  if (enableTimer_) enableTimer_(true);
  for (;;) {
    if (engine_.IsScanDone()) break;
    if (UserPressedStop()) {
      engine_.StopScan();
      break;
    }
    view_.ProcessMessages();
    Sleep(10);
  }
  if (enableTimer_) enableTimer_(false);
  PollJunkFindings(state_.Stop, true);
}

void TJunkProgress::TmrRubbishTimer() {
  if (enableTimer_) enableTimer_(false);
  view_.SetDescription(LoadResString(IDS_JUNK_SCANNING_PATH) + engine_.GetScanningPath(), std::string(),
                       std::string(), TTextStyle::Normal);
  PollJunkFindings(false, false);
  if (enableTimer_) enableTimer_(true);
}

void TJunkProgress::ShowCategoryAsCurrent(TTreeNode* node) {
  if (node->Parent()) {
    state_.ExpandSwitch = true;
    tree_.SetExpanded(node->Parent(), true);
    state_.ExpandSwitch = false;
  }
  view_.ScrollIntoView(node);
  state_.CurrentNode = node;
  tree_.InvalidateNode(node);
}

void TJunkProgress::PollJunkFindings(bool stopped, bool final) {
  const TRubbishItem current = engine_.GetScanningCategory();
  bool passed = false;
  for (TJunkCategoryRecord& r : records_) {
    if (!IsExactlyChecked(r.Node)) continue;
    const bool isCurrent = r.Category == current;
    if (isCurrent) {
      ShowCategoryAsCurrent(r.Node);
      passed = true;
    }
    int count = 0;
    int64_t size = 0;
    engine_.GetCategoryTotals(r.Category, count, size);  // a negative count comes back as 0, size 0
    int32_t fetchedNow = 0;
    while (r.FetchedCount < count && (final || fetchedNow < kJunkPollBudget)) {
      std::string path;
      int64_t fileSize = 0;
      // A path the program's code page cannot hold is passed over: its look-alike could
      // be another file.
      if (engine_.GetCategoryFile(r.Category, r.FetchedCount, path, fileSize)) {
        ++state_.Totals.Count;
        state_.Totals.Size += fileSize;
        r.FetchedSize += fileSize;
        // The engine walks whole drives and folders of them: every folder from the drive's
        // root down is confirmed again before the file goes.
        AddResultNode(&tree_, path, true, path.substr(0, 3), r.Node, 0, kKindFile, std::string(), path);
      }
      ++r.FetchedCount;
      ++fetchedNow;
    }
    if ((!passed && !stopped) || isCurrent || r.FetchedCount > 0)
      SetItemSuffix(&tree_, r.Node, FormatSummary(count, kUnitFiles, size));
  }
}

std::string TJunkProgress::JunkSummary(TTextStyle& style) const {
  style = TTextStyle::Normal;
  if (engine_.Availability() != TCleanWrapper::kAvailable || records_.empty())
    return LoadResString(IDS_ADVICE_CLEAN);
  const TTreeNode* group = records_.front().Node->Parent();
  if (!group || !IsCheckedOrMixed(group->CheckState())) return LoadResString(IDS_ADVICE_CLEAN);
  if (startFailed_) {
    style = TTextStyle::Warning;
    return LoadResString(IDS_JUNK_NOT_STARTED);
  }
  int64_t count = 0, size = 0;
  for (const TJunkCategoryRecord& r : records_) {
    count += r.FetchedCount;
    size += r.FetchedSize;
  }
  switch (JunkWarningFor(count, size)) {
    case TJunkWarning::TooMany:
      style = TTextStyle::Warning;
      return LoadResString(IDS_JUNK_TOO_MANY);
    case TJunkWarning::TooBig:
      style = TTextStyle::Warning;
      return LoadResString(IDS_JUNK_TOO_BIG);
    default:
      return LoadResString(IDS_ADVICE_CLEAN);
  }
}

void RegisterJunkGroupCleaner(THandlerTable& table) {
  TItemHandler group;
  group.Cleaner.Removers = FileRemovers({kKindFile});
  table.Register(kJunkGroupCaption, group);
}
