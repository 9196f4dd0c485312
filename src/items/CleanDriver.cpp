#include "items/CleanDriver.h"

#include <windows.h>

#include "system/ResStrings.h"
#include "core/GbkText.h"
#include "core/OSVersionRules.h"
#include "items/ItemCatalogue.h"
#include "items/ItemSummary.h"
#include "items/ResultRows.h"
#include "res/resource.h"
#include "system/AppContext.h"
#include "system/ToolsFiles.h"
#include "system/ToolsFolders.h"

namespace {

bool Contains(const std::string& text, const std::string& part) {
  return core::FindGbk(text, part) != std::string::npos;
}

// The two TrayNotify streams whose removal takes effect only after Explorer restarts.
bool IsTrayIconStream(const Column4TreeData& f) {
  return f.Root == "HKEY_CURRENT_USER" &&
         (f.Path == "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify" ||
          f.Path == "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\TrayNotify") &&
         (f.Name == "IconStreams" || f.Name == "PastIconsStream");
}

bool IsDatabaseKind(const std::string& kind) {
  return kind == "FireFox" || kind == "Google Chrome" || kind == "ttraveler" || kind == "Kugoo";
}

// The findings that RemoveFinding hands to RemoveFile: none of the other kinds.
bool IsFileKind(const Column4TreeData& f) {
  return !Contains(f.Root, "HKEY_") && !IsDatabaseKind(f.Kind) && f.Kind != "other" && f.Kind != "EventLog" &&
         f.Kind != "目录";
}

}  // namespace

TCleanDriver::TCleanDriver(TTreeModel& tree, TRunState& state, TDriverView& view, TScanDriver& scan,
                           TCleanPhases phases)
    : tree_(tree), state_(state), view_(view), scan_(scan), phases_(std::move(phases)) {}

TCleanAction TCleanDriver::ActionOf(const TTreeNode* item) const {
  const TItemHandler* handler = scan_.Handlers().Find(item->Data.Kind);
  return handler ? handler->Clean : TCleanAction::RemoveFindings;
}

void TCleanDriver::CountingPass() {
  for (TTreeNode* group = tree_.GetFirst(); group; group = group->NextSibling()) {
    for (TTreeNode* item = group->FirstChild(); item; item = item->NextSibling()) {
      bool selected = IsCheckedOrMixed(item->CheckState());
      const TCleanAction action = ActionOf(item);
      if (action == TCleanAction::EmptyRecycleBin) {
        if (!selected) {
          state_.RecycleBinCount = 0;
          state_.RecycleBinSize = 0;
        }
        continue;
      }
      if (!selected) continue;
      bool forms = action == TCleanAction::ClearIEForms, passwords = action == TCleanAction::ClearIEPasswords;
      if (forms || passwords) {
        // Without the store's clearing nothing is cleared, so nothing is counted.
        bool noBrowser = !phases_.NoIEBrowserRunning || phases_.NoIEBrowserRunning();
        bool cleared = forms ? state_.IEFormsCleared : state_.IEPasswordsCleared;
        if (phases_.ClearIEAutoComplete && noBrowser && !cleared) ++cleanCount_;
        continue;
      }
      for (TTreeNode* f = item->FirstChild(); f; f = f->NextSibling())
        if (IsChecked(f->CheckState())) ++cleanCount_;
    }
  }
}

void TCleanDriver::CleanItems(bool oneClick) {
  state_.OneClick = oneClick;
  cleanCount_ = 0;
  cleanedSize_ = 0;
  ieHistoryMark_ = extHistoryMark_ = classInfoMark_ = false;
  extHistoryKeys_.clear();
  CountingPass();
  cleanCount_ += state_.RecycleBinCount;
  keepRegistry_ = phases_.BackupBeforeClean && !phases_.BackupBeforeClean();
  view_.SetStatusText("");
  // The one-click run ends early only when its own scan found nothing to clean; an
  // earlier clean of this program run does not make a new scan's findings go away.
  if (state_.OneClick && cleanCount_ == 0) {
    state_.Totals.Reset();
    view_.ReportOneClickStep(12);
    return;
  }
  for (TTreeNode* group = tree_.GetFirst(); group; group = group->NextSibling()) {
    if (keepRegistry_ && group->Data.Kind == kRegistryGroupCaption) {
      KeepRegistryGroup(group);
      continue;
    }
    for (TTreeNode* item = group->FirstChild(); item; item = item->NextSibling())
      if (IsCheckedOrMixed(item->CheckState())) CleanItem(item);
  }
  if (state_.OneClick) {
    view_.ReportOneClickStep(7);
    view_.ReportOneClickStep(9);
    view_.ReportOneClickStep(10);
  }
  if (ieHistoryMark_ && phases_.CleanInternetHistory)
    phases_.CleanInternetHistory(tree_.GetFirst() ? tree_.GetFirst()->FirstChild() : nullptr);
  if (extHistoryMark_ && classInfoMark_ && phases_.DeleteFileExtHistory)
    phases_.DeleteFileExtHistory(extHistoryKeys_);  // only keys the user saw and left checked
  view_.RepaintTree();
  view_.SetDescription(LoadResString(IDS_CLEAN_DONE), LoadResString(IDS_SCAN_AGAIN), LoadResString(IDS_CLEAN_DONE_END),
                       TTextStyle::Normal);
  view_.ShowAdvancedImage(TAdvancedImage::Application);
  state_.CleanedOnce = true;
  if (phases_.RecordCleanTime) phases_.RecordCleanTime();
  cleanedSize_ += state_.RecycleBinSize;
  if (phases_.RecordCleanStatistics) phases_.RecordCleanStatistics(cleanCount_, cleanedSize_);
  if (phases_.ShowStatistics) phases_.ShowStatistics();
  if (state_.OneClick) view_.ReportOneClickStep(11);
  if (phases_.NotifyFamily) phases_.NotifyFamily();
}

void TCleanDriver::KeepRegistryGroup(TTreeNode* group) {
  // Without a complete backup nothing of the group goes: its checked findings count as
  // not cleaned and stay as they are, checks included. The user hears of it once.
  bool kept = false;
  for (TTreeNode* item = group->FirstChild(); item; item = item->NextSibling())
    for (TTreeNode* f = item->FirstChild(); f; f = f->NextSibling())
      if (IsChecked(f->CheckState())) {
        --cleanCount_;
        kept = true;
      }
  if (kept) view_.ShowNotice(LoadResString(IDS_REGISTRY_KEPT));
}

void TCleanDriver::CleanItem(TTreeNode* item) {
  scan_.BeginItem(item);
  const bool fullyChecked = IsChecked(item->CheckState());
  const TCleanAction action = ActionOf(item);
  if (action == TCleanAction::EmptyRecycleBin || action == TCleanAction::EmptyClipboard) {
    // Only what the scan showed: a bin or clipboard that was not scanned, or held nothing
    // then, is left alone.
    if (fullyChecked && item->FirstChild()) {
      if (action == TCleanAction::EmptyClipboard) {
        if (!phases_.EmptyClipboard || !phases_.EmptyClipboard()) --cleanCount_;
      } else if (!phases_.EmptyRecycleBin || !phases_.EmptyRecycleBin()) {
        // What stayed in the bin was not cleaned.
        cleanCount_ -= state_.RecycleBinCount;
        state_.RecycleBinCount = 0;
        state_.RecycleBinSize = 0;
      }
      tree_.DeleteChildren(item);
      SetItemSuffix(&tree_, item, std::string());
    }
    return;
  }
  if (action == TCleanAction::IEHistory) ieHistoryMark_ = true;
  if (action == TCleanAction::ClearIEForms && phases_.ClearIEAutoComplete) {
    phases_.ClearIEAutoComplete(1);
    state_.IEFormsCleared = true;
  }
  if (action == TCleanAction::ClearIEPasswords && phases_.ClearIEAutoComplete) {
    phases_.ClearIEAutoComplete(2);
    state_.IEPasswordsCleared = true;
  }
  if (action == TCleanAction::FileExtHistory) {
    extHistoryMark_ = true;
    for (TTreeNode* f = item->FirstChild(); f; f = f->NextSibling())
      if (IsChecked(f->CheckState())) extHistoryKeys_.push_back(f->Data.Path);
  }
  if (action == TCleanAction::ClassInfo) classInfoMark_ = true;

  restartExplorer_ = false;
  databaseRows_.clear();
  folderSizes_.Clear();
  for (TTreeNode* f = item->FirstChild(); f; f = f->NextSibling())
    if (IsChecked(f->CheckState()) && IsFileKind(f->Data)) folderSizes_.Expect(f->Data.Caption);
  for (TTreeNode* f = item->FirstChild(); f; f = f->NextSibling())
    if (IsChecked(f->CheckState())) RemoveFinding(item, f->Data);
  folderSizes_.Clear();
  for (const auto& [database, rows] : databaseRows_)
    if (!phases_.DeleteDatabaseRows(database, rows)) cleanCount_ -= static_cast<int32_t>(rows.size());
  tree_.DeleteChildren(item);
  tree_.SetCheckState(item, TCheckState::Checked);
  if (restartExplorer_) {
    restartExplorer_ = false;
    SetItemSuffix(&tree_, item, kSuffixCleanedAfterRestart);
    if (view_.AskYesNo(LoadResString(IDS_RESTART_EXPLORER)) && phases_.RestartExplorer) phases_.RestartExplorer();
  } else {
    SetItemSuffix(&tree_, item, kSuffixCleaned);
  }
}

void TCleanDriver::RemoveFinding(TTreeNode* item, const Column4TreeData& f) {
  if (Contains(f.Root, "HKEY_")) {
    bool removed = phases_.DeleteRegistryFinding && phases_.DeleteRegistryFinding(f.Root, f.Path, f.Kind, f.Name);
    if (!removed) {
      --cleanCount_;
    } else if (IsTrayIconStream(f)) {
      restartExplorer_ = true;
      SetItemSuffix(&tree_, item, kSuffixCleanedAfterRestart);
    }
    return;
  }
  if (IsDatabaseKind(f.Kind)) {
    // Deleted with the item's other rows of the same file, after the item's walk.
    std::string table = core::TrimBlanks(f.Name);
    if (table.empty() || !phases_.DeleteDatabaseRows)
      --cleanCount_;
    else
      databaseRows_[core::TrimBlanks(f.Caption)].emplace_back(table, f.Root);
    return;
  }
  if (f.Kind == "other") {
    if (!phases_.RewriteOther || !phases_.RewriteOther(f)) --cleanCount_;
    return;
  }
  if (f.Kind == "EventLog") {
    // A log that refused to be cleared was not cleaned.
    int64_t freed = 0;
    if (phases_.ClearNamedEventLog && phases_.ClearNamedEventLog(f.Name, freed))
      cleanedSize_ += freed;
    else
      --cleanCount_;
    return;
  }
  if (f.Kind == "目录") {
    if (!RemoveFolder(f.Caption)) --cleanCount_;
    return;
  }
  RemoveFile(f.Caption);
}

bool TCleanDriver::RemoveFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    // A folder that vanished is gone; one that cannot be looked at is not.
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  // A junction or symbolic link goes as itself: the files of the folder it points to are
  // not the finding's.
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) DeleteFilesInDir(path);
  return RemoveDirectoryA(path.c_str()) != FALSE;
}

void TCleanDriver::RemoveFile(const std::string& path) {
  int64_t size = 0;
  if (!folderSizes_.Find(path, size)) size = GetFileSize64(path);
  bool gone = DeleteFileA(path.c_str()) != FALSE;
  if (!gone) {
    // Only the read-only mark: a file that still cannot go keeps its other attributes.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
      SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
      gone = DeleteFileA(path.c_str()) != FALSE;
    }
  }
  if (gone) {
    cleanedSize_ += size;
    return;
  }
  const DWORD error = GetLastError();
  // Already gone (also with its folder, which would otherwise leave a restart entry for
  // nothing), or an empty folder in the file's place: removed, nothing freed.
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || RemoveDirectoryA(path.c_str())) return;
  // In use: it goes at the next restart, and later scans of this run treat it as gone.
  AppContext().PendingDeleteFiles.insert(path);
  if (phases_.ReportUndeletedFile) phases_.ReportUndeletedFile(path);
  if (MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
    cleanedSize_ += size;
  else
    --cleanCount_;
}
