// The clean driver: counts what the last scan found and the user left checked, has the
// registry findings backed up, removes every checked finding by its kind, runs the items
// that act without findings, and records the clean.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "items/DriverView.h"
#include "items/FolderSizes.h"
#include "items/RunState.h"
#include "items/ScanDriver.h"

// Removal and special actions that other parts of the program plug in; an empty function
// is skipped (and, for removals, counts as a failure where the count is corrected).
struct TCleanPhases {
  // Saves the checked findings of the registry group; false when they could not be saved
  // whole, and then none of them is removed.
  std::function<bool()> BackupBeforeClean;
  // Root, key path, kind ("x64" for the 64-bit view), value name; true when removed.
  std::function<bool(const std::string& root, const std::string& path, const std::string& kind,
                     const std::string& name)>
      DeleteRegistryFinding;
  // The rows of one database file that one item's checked findings name: pairs of table
  // and condition, deleted together or not at all; false when nothing was deleted.
  std::function<bool(const std::string& database, const std::vector<std::pair<std::string, std::string>>& rows)>
      DeleteDatabaseRows;
  // Rewrites of kind "other", chosen by the finding's application tag; false when the
  // file could not be rewritten (it is then left as it was).
  std::function<bool(const Column4TreeData& finding)> RewriteOther;
  // Clears the named event log; false when it could not be cleared. freed: the bytes freed.
  std::function<bool(const std::string& logName, int64_t& freed)> ClearNamedEventLog;
  std::function<bool()> NoIEBrowserRunning;   // the browser guard of the IE family
  std::function<void(int store)> ClearIEAutoComplete;  // 1 forms, 2 passwords
  std::function<void(TTreeNode* firstItem)> CleanInternetHistory;
  std::function<bool()> EmptyRecycleBin;  // false when the bin was not emptied
  std::function<bool()> EmptyClipboard;  // false when the clipboard could not be opened
  // The key paths of the extension-history findings that were checked.
  std::function<void(const std::vector<std::string>&)> DeleteFileExtHistory;
  std::function<void(const std::string& path)> ReportUndeletedFile;
  std::function<void()> RestartExplorer;
  // The clean's record in the settings: its time, then its count and bytes.
  std::function<void()> RecordCleanTime;
  std::function<void(int32_t count, int64_t bytes)> RecordCleanStatistics;
  std::function<void()> ShowStatistics;  // the home page's texts right after a clean
  std::function<void()> NotifyFamily;
};

class TCleanDriver {
 public:
  TCleanDriver(TTreeModel& tree, TRunState& state, TDriverView& view, TScanDriver& scan, TCleanPhases phases);

  void CleanItems(bool oneClick);

  int32_t CleanCount() const { return cleanCount_; }
  int64_t CleanedSize() const { return cleanedSize_; }

 private:
  void CountingPass();
  void CleanItem(TTreeNode* item);
  void KeepRegistryGroup(TTreeNode* group);
  void RemoveFinding(TTreeNode* item, const Column4TreeData& finding);
  void RemoveFile(const std::string& path);
  // A folder finding: its files, then the folder; a link is removed as itself. True when
  // the folder is gone.
  bool RemoveFolder(const std::string& path);
  // The item's clean action, from its handler (none: remove its findings).
  TCleanAction ActionOf(const TTreeNode* item) const;

  TTreeModel& tree_;
  TRunState& state_;
  TDriverView& view_;
  TScanDriver& scan_;
  TCleanPhases phases_;
  int32_t cleanCount_ = 0;
  int64_t cleanedSize_ = 0;
  bool restartExplorer_ = false;  // of the item being cleaned
  bool keepRegistry_ = false;     // the registry group's backup failed
  bool ieHistoryMark_ = false, extHistoryMark_ = false, classInfoMark_ = false;
  std::vector<std::string> extHistoryKeys_;  // checked findings of the extension history
  TFolderSizes folderSizes_;  // of the item being cleaned
  // The item being cleaned: its checked database rows by file.
  std::map<std::string, std::vector<std::pair<std::string, std::string>>> databaseRows_;
};
