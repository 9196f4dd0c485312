#include "app/OneClickFlow.h"

#include "res/MainStrings.h"
#include "system/ResStrings.h"

namespace {

const int kStepCount = 12;  // the progress bar's maximum

struct TRowChange {
  TResultRow Row;
  unsigned State;
};

// What each reported step does to the rows; every step but the last two advances the bar.
struct TStepEffect {
  int Step;
  TRowChange Rows[3];
  int RowCount;
  bool Advance;
};

const TResultRow kWeb = TResultRow::Web, kSystem = TResultRow::System, kApps = TResultRow::Apps,
                 kRegistry = TResultRow::Registry;

const TStepEffect kSteps[] = {
    {0, {{kWeb, IDS_ROW_SCANNING}}, 1, true},
    {1, {{kWeb, IDS_ROW_SCANNED}, {kSystem, IDS_ROW_SCANNING}}, 2, true},
    {2, {}, 0, true},
    {3, {{kApps, IDS_ROW_SCANNING}}, 1, true},
    {4, {{kApps, IDS_ROW_SCANNED}, {kRegistry, IDS_ROW_SCANNING}}, 2, true},
    {5, {{kRegistry, IDS_ROW_SCANNED}}, 1, true},
    {6, {{kSystem, IDS_ROW_SCANNED}}, 1, true},
    {7, {{kWeb, IDS_ROW_CLEANING}}, 1, true},
    {8, {{kRegistry, IDS_ROW_CLEANING}}, 1, true},
    {9, {{kWeb, IDS_ROW_CLEANED}, {kSystem, IDS_ROW_CLEANING}, {kApps, IDS_ROW_CLEANING}}, 3, true},
    {10, {{kRegistry, IDS_ROW_CLEANED}, {kApps, IDS_ROW_CLEANED}}, 2, true},
    {11, {{kSystem, IDS_ROW_CLEANED}}, 1, false},
    {12, {{kWeb, IDS_ROW_SCANNED}, {kSystem, IDS_ROW_SCANNED}}, 2, false},
};

const unsigned kRowText[] = {IDS_ROW_ROOT, IDS_ROW_WEB, IDS_ROW_SYSTEM, IDS_ROW_APPS, IDS_ROW_REGISTRY};

}  // namespace

TOneClickFlow::TOneClickFlow(TTreeModel& results, TOneClickPage& page, TActions actions)
    : results_(results), page_(page), actions_(std::move(actions)) {}

void TOneClickFlow::Start() {
  page_.ShowRunning();
  results_.Clear();
  for (TTreeNode*& row : rows_) row = nullptr;
  page_.ResetProgress(kStepCount);
  page_.EnableCancel(true);
}

void TOneClickFlow::SetRowState(TResultRow row, unsigned stateTextId) {
  if (row == TResultRow::Registry && isServer_) return;
  TTreeNode*& root = rows_[static_cast<int>(TResultRow::Root)];
  if (!root) root = results_.AddChild(nullptr, Column4TreeData{LoadResString(IDS_ROW_ROOT), "", "", "", "", -1});
  TTreeNode*& node = rows_[static_cast<int>(row)];
  if (!node)
    node = results_.AddChild(root, Column4TreeData{LoadResString(kRowText[static_cast<int>(row)]), "", "", "", "", -1});
  node->Data.Path = LoadResString(stateTextId);
  results_.InvalidateNode(node);
  page_.RepaintRow(node);
}

void TOneClickFlow::ReportStep(int step, bool stopped) {
  if (step == 6 && stopped) return;  // cancelled: the scan's end starts nothing
  const TStepEffect* effect = nullptr;
  for (const TStepEffect& e : kSteps)
    if (e.Step == step) effect = &e;
  if (!effect) return;
  if (step == 7) page_.EnableCancel(false);  // the clean cannot be interrupted
  for (int i = 0; i < effect->RowCount; ++i) SetRowState(effect->Rows[i].Row, effect->Rows[i].State);
  if (step == 0) page_.ExpandRow(Row(TResultRow::Root));
  if (effect->Advance) page_.StepProgress();
  if (step == 6) {
    if (actions_.Clean) actions_.Clean();
  } else if (step == 11) {
    if (page_.AutoShutdownChecked()) {
      if (actions_.Shutdown) actions_.Shutdown();
    } else {
      page_.ShowFinished();
    }
  } else if (step == 12) {
    page_.ShowNothingToClean();
  }
}

void TOneClickFlow::Cancelled() { page_.ShowCancelled(); }
