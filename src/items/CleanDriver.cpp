#include "items/CleanDriver.h"

#include <algorithm>

#include "items/ItemSummary.h"
#include "items/ResultRows.h"
#include "res/resource.h"
#include "system/ResStrings.h"

namespace {

size_t CheckedFindings(const TTreeNode* item) {
  size_t n = 0;
  for (const TTreeNode* f = item->FirstChild(); f; f = f->NextSibling())
    if (IsChecked(f->CheckState())) ++n;
  return n;
}

}  // namespace

bool TBackupGate::Keeps(const TTreeNode* row) const {
  // Both lists are sorted by the driver.
  return std::binary_search(Refused.begin(), Refused.end(), row) ||
         (!Saved && std::binary_search(Covered.begin(), Covered.end(), row));
}

TCleanDriver::TCleanDriver(TTreeModel& tree, TRunState& state, TDriverView& view, TScanDriver& scan,
                           TCleanPhases phases)
    : tree_(tree), state_(state), view_(view), scan_(scan), phases_(std::move(phases)) {}

std::vector<TCleanDriver::TItemRows> TCleanDriver::SelectedRows() const {
  std::vector<TItemRows> selected;
  for (TTreeNode* group = tree_.GetFirst(); group; group = group->NextSibling())
    for (TTreeNode* item = group->FirstChild(); item; item = item->NextSibling()) {
      if (!IsCheckedOrMixed(item->CheckState())) continue;
      TItemRows rows{item, {}};
      const TItemCleaner* cleaner = scan_.Handlers().CleanerOf(item);
      if (!cleaner || !cleaner->ActOnly)
        for (TTreeNode* f = item->FirstChild(); f; f = f->NextSibling())
          if (IsChecked(f->CheckState())) rows.Rows.push_back(f);
      selected.push_back(std::move(rows));
    }
  return selected;
}

int32_t TCleanDriver::CountingPass(const std::vector<TItemRows>& selected) const {
  int32_t count = 0;
  auto next = selected.begin();
  for (TTreeNode* group = tree_.GetFirst(); group; group = group->NextSibling())
    for (TTreeNode* item = group->FirstChild(); item; item = item->NextSibling()) {
      const bool isSelected = next != selected.end() && next->Item == item;
      const TItemCleaner* cleaner = scan_.Handlers().CleanerOf(item);
      if (cleaner && cleaner->Count)
        count += cleaner->Count(item, isSelected);
      else if (isSelected)
        count += static_cast<int32_t>(CheckedFindings(item));
      if (isSelected) ++next;
    }
  return count;
}

void TCleanDriver::Tally(const TRemoveOutcome& outcome) {
  if (!outcome.Cleaned()) return;
  cleanCount_ += outcome.Entries;
  cleanedSize_ += outcome.Freed;
}

void TCleanDriver::CleanItems(bool oneClick) {
  state_.OneClick = oneClick;
  cleanCount_ = 0;
  cleanedSize_ = 0;
  gateKept_ = false;
  cleaned_.clear();
  // One list of what this clean removes, for the backup and for the removal alike.
  const std::vector<TItemRows> selected = SelectedRows();
  const int32_t aboutToRemove = CountingPass(selected);
  std::vector<const TTreeNode*> rows;
  for (const TItemRows& item : selected) rows.insert(rows.end(), item.Rows.begin(), item.Rows.end());
  TBackupGate gate;
  if (phases_.BackupBeforeClean) gate = phases_.BackupBeforeClean(rows);
  std::sort(gate.Covered.begin(), gate.Covered.end());
  std::sort(gate.Refused.begin(), gate.Refused.end());
  view_.SetStatusText("");
  // A one-click run after an earlier clean of this program run ends early when its own
  // scan found nothing (a new scan's findings are still cleaned); the first one records
  // its clean, and acts as every clean does.
  if (state_.OneClick && state_.CleanedOnce && aboutToRemove == 0) {
    state_.Totals.Reset();
    view_.ReportOneClickStep(12);
    return;
  }
  for (const TItemRows& item : selected) CleanItem(item, gate);
  // Without a complete backup the rows it answers for stay, checks included; the user
  // hears of it once.
  if (gateKept_) view_.ShowNotice(LoadResString(gate.Saved ? IDS_REGISTRY_UNSAVABLE : IDS_REGISTRY_KEPT));
  if (state_.OneClick) {
    view_.ReportOneClickStep(7);
    view_.ReportOneClickStep(9);
    view_.ReportOneClickStep(10);
  }
  for (const TItemRows& item : selected) {
    const TItemCleaner* cleaner = scan_.Handlers().CleanerOf(item.Item);
    if (cleaner && cleaner->AfterWalk) cleaner->AfterWalk(tree_, cleaned_);
  }
  view_.RepaintTree();
  view_.SetDescription(LoadResString(IDS_CLEAN_DONE), LoadResString(IDS_SCAN_AGAIN), LoadResString(IDS_CLEAN_DONE_END),
                       TTextStyle::Normal);
  view_.ShowAdvancedImage(TAdvancedImage::Application);
  state_.CleanedOnce = true;
  if (phases_.RecordCleanTime) phases_.RecordCleanTime();
  if (phases_.RecordCleanStatistics) phases_.RecordCleanStatistics(cleanCount_, cleanedSize_);
  if (phases_.ShowStatistics) phases_.ShowStatistics();
  if (state_.OneClick) view_.ReportOneClickStep(11);
  if (phases_.NotifyFamily) phases_.NotifyFamily();
}

void TCleanDriver::CleanItem(const TItemRows& rows, const TBackupGate& gate) {
  TTreeNode* item = rows.Item;
  scan_.BeginItem(item);
  cleaned_.insert(item->Data.Kind);
  const TItemCleaner* cleaner = scan_.Handlers().CleanerOf(item);
  bool restartExplorer = false;
  if (cleaner && cleaner->Act) {
    if (std::optional<TRemoveOutcome> outcome = cleaner->Act(phases_.Services, item)) {
      Tally(*outcome);
      restartExplorer = outcome->Cleaned() && outcome->RestartExplorer;
      if (cleaner->ActOnly) {
        tree_.DeleteChildren(item);
        SetItemSuffix(&tree_, item, std::string());
      }
    }
  }
  if (cleaner && cleaner->ActOnly) return;
  std::vector<TTreeNode*> kept;
  RemoveRows(rows, gate, kept, restartExplorer);
  if (!kept.empty()) {
    // What stayed keeps its check, the item its caption and its unchecked findings, so the
    // user sees it was not cleaned; what went leaves the tree.
    for (TTreeNode* row : rows.Rows)
      if (std::find(kept.begin(), kept.end(), row) == kept.end()) tree_.DeleteNode(row);
    return;
  }
  tree_.DeleteChildren(item);
  tree_.SetCheckState(item, TCheckState::Checked);
  if (restartExplorer) {
    SetItemSuffix(&tree_, item, kSuffixCleanedAfterRestart);
    if (view_.AskYesNo(LoadResString(IDS_RESTART_EXPLORER)) && phases_.RestartExplorer) phases_.RestartExplorer();
  } else {
    SetItemSuffix(&tree_, item, kSuffixCleaned);
  }
}

void TCleanDriver::RemoveRows(const TItemRows& rows, const TBackupGate& gate, std::vector<TTreeNode*>& kept,
                              bool& restartExplorer) {
  // One removal per remover, its findings in tree order; removers run in the order their
  // first finding comes.
  std::vector<std::pair<const TFindingRemover*, TRemoval>> removals;
  for (TTreeNode* row : rows.Rows) {
    const bool keptForBackup = gate.Keeps(row);
    gateKept_ = gateKept_ || keptForBackup;
    const TFindingRemover* remover = keptForBackup ? nullptr : scan_.Handlers().RemoverFor(rows.Item, row->Data);
    if (!remover) {
      kept.push_back(row);  // no group removes it: left as it is, not cleaned
      continue;
    }
    auto it = std::find_if(removals.begin(), removals.end(), [remover](const auto& r) { return r.first == remover; });
    if (it == removals.end()) {
      removals.emplace_back(remover, TRemoval{phases_.Services, rows.Item, {}, {}});
      it = removals.end() - 1;
    }
    it->second.Findings.push_back(&row->Data);
  }
  for (auto& [remover, removal] : removals) {
    (*remover)(removal);
    // A remover that answered for fewer findings than it got: the rest were not cleaned.
    for (size_t i = 0; i < removal.Findings.size() && i < removal.Outcomes.size(); ++i) {
      Tally(removal.Outcomes[i]);
      restartExplorer = restartExplorer || (removal.Outcomes[i].Cleaned() && removal.Outcomes[i].RestartExplorer);
    }
  }
}
