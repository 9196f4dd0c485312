// Saving the checked registry findings to a dated registry-editor file before a clean
// removes them, and importing the newest such file again.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

class TTreeModel;
class TTreeNode;

// The value names to save from one key: sorted without regard to letter case, no
// duplicates; the empty name stands for the whole key and is then the only one.
class TRegistryItem {
 public:
  void AddValueName(const std::string& name);
  const std::vector<std::string>& ValueNames() const { return names_; }

 private:
  std::vector<std::string> names_;
};

// Where the file's text goes, piece by piece; false when a piece could not be written.
using TBackupSink = std::function<bool(const std::wstring& text)>;

class TRegistryBackup {
 public:
  // Queues one key (empty value name: the whole key, its values and sub-keys) or one
  // value, of the 64-bit view when is64 is set, else of the default view.
  void AddEntry(const std::string& rootName, const std::string& keyPath, bool is64, const std::string& valueName);
  bool Empty() const { return entries_.empty(); }

  // Writes the queued entries to a new file (replacing one of that name) and empties the
  // queue: every default-view key before every 64-bit one, keys that no longer open left
  // out. True when there was nothing to write or the file was written whole; false when
  // it could not be created or a write failed, and then no file is left behind.
  bool WriteBackupFile(const std::string& fileName);
  // The same text through sink; false when the sink refused a piece.
  bool WriteBackup(const TBackupSink& sink);

 private:
  struct TKeyOrder {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  // "32:" or "64:", the root's name, "\" and the key path.
  std::map<std::string, TRegistryItem, TKeyOrder> entries_;
};

// Imports the file with the registry editor (silently), with the policy that blocks
// registry tools suspended meanwhile; waits for the editor up to 5 seconds, then moves the
// file to RegRestoreDir. False when the editor could not be started: Explorer then shows
// the file, to be imported by hand.
bool RestoreFromFile(const std::string& fileName);

enum class TRestoreResult { NoBackup, Restored, Failed };
// The newest file of RegBakDir (by modification time), restored.
TRestoreResult RestoreNewestBackup();

enum class TBackupResult { NothingToSave, Saved, Failed };
// Saves the checked findings of the registry group (when the group is checked or mixed) to
// RegBakDir\yyyymmddhhnnss.reg. Failed means the findings must not be removed: there is no
// complete copy of them.
TBackupResult BackupBeforeClean(const TTreeModel& tree, const TTreeNode* registryGroup);
