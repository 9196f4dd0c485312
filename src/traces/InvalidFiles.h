// TFindInvalidFiles: files the junk engine does not cover: shortcuts on the desktop and
// in the start menu whose target is gone, and known leftovers of other applications. It
// only reports; the clean driver deletes the findings like any file findings. One
// instance per scan, on the main thread.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "items/ItemHandlers.h"

struct TFindResult {
  std::string Path;
  int32_t Size = 0;  // the low 32 bits of the size
};

class TFindInvalidFiles {
 public:
  bool CheckShortcuts = false;
  bool IncludeReadOnly = false, IncludeHidden = false, IncludeSystem = false;
  std::vector<std::string> RootFolders;
  std::vector<std::string> ExcludedFolderParts;  // lower case
  std::vector<std::string> ExcludedNameParts;

  void Stop() { stop_ = true; }
  bool Stopped() const { return stop_; }

  void ScanShortcuts(TItemScan& scan);
  void ScanAdobeCaches(TItemScan& scan);
  void ScanSymantecLogs(TItemScan& scan);
  void ScanOfficeCatalog(TItemScan& scan);
  void ScanMessengerLogs(TItemScan& scan);

  // The files of one folder matching mask; with masked every file is a candidate, else
  // only a broken shortcut (when shortcuts are checked, on 32-bit Windows).
  void ScanFolder(TItemScan& scan, const std::string& folder, const std::string& mask, bool masked);
  // Every file at every depth below folder; root is the folder the walk started from, kept
  // with each finding (folder itself when left out).
  void ScanTree(TItemScan& scan, const std::string& folder, const std::string& root = std::string());
  void AddFinding(TItemScan& scan, const TFindResult& result, const std::string& walkRoot = std::string());

 private:
  bool NameExcluded(const std::string& lowerName) const;
  bool FolderExcluded(const std::string& lowerFolder) const;
  bool EntryDone(TItemScan& scan);
  bool stop_ = false;
};

// A shortcut whose target on a fixed drive (or a drive that does not exist) is found in
// neither view; removable, network and other targets, and shortcuts that do not resolve,
// count as present.
bool IsShortcutTargetMissing(const std::string& shortcut);

// The shortcut item's folders: the start-menu programs, common programs, desktop and
// common desktop folders, then all their sub-folders in that order; adding ends when
// stopped() says so.
std::vector<std::string> ShortcutRootFolders(const std::function<bool()>& stopped);

// The finder of the scan that runs: created when a scan starts, stopped with it. The
// window owns it; the shortcut item's handler uses it.
struct TInvalidFilesSlot {
  std::unique_ptr<TFindInvalidFiles> Finder;
  // A new finder that reports read-only and hidden files, not system files.
  void Create();
  void Stop() {
    if (Finder) Finder->Stop();
  }
};

void RegisterInvalidFileHandlers(THandlerTable& table, TInvalidFilesSlot& slot);
