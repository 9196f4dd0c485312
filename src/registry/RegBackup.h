// Saving the checked registry findings to a dated registry-editor file before a clean
// removes them, and importing the newest such file again.
#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/GbkText.h"

#include "items/CleanDriver.h"

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
  // queue: every default-view key before every 64-bit one, keys that no longer exist left
  // out. True when there was nothing to write or the file was written whole; false when
  // it could not be created or a write failed, and then no file is left behind. Whether
  // what was written is a whole copy of the entries, Complete and Refused tell.
  bool WriteBackupFile(const std::string& fileName);
  // The same text through sink; false when the sink refused a piece.
  bool WriteBackup(const TBackupSink& sink);

  // The last write read everything it was to save. False when a key or value could not be
  // read (access refused, a listing that ended in an error, a value that kept growing).
  bool Complete() const { return complete_; }
  // An entry of the last write (as queued: root, key path, view, value name) that no
  // registry-editor file can give back exactly: a key whose tree holds a registry link or
  // is deeper than the registry allows, a name with a line break. Its finding must stay.
  bool Refused(const std::string& rootName, const std::string& keyPath, bool is64, const std::string& valueName) const;

 private:
  struct TKeyOrder {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  // "32:" or "64:", the root's name, "\" and the key path.
  static std::string EntryKey(const std::string& rootName, const std::string& keyPath, bool is64) {
    return (is64 ? "64:" : "32:") + rootName + "\\" + keyPath;
  }
  // An entry's value (empty: the whole key), in any letter case, as the registry compares.
  static std::string RefusalKey(const std::string& entry, const std::string& valueName) {
    return core::LowerGbk(entry) + '\n' + core::LowerGbk(valueName);
  }
  std::map<std::string, TRegistryItem, TKeyOrder> entries_;
  bool complete_ = true;
  std::set<std::string> refused_;
};

// Imports the file with the registry editor (silently), with the policy that blocks
// registry tools suspended meanwhile, and waits for the editor to end (a minute at most).
// True, and the file moved to RegRestoreDir, when it ended well and every key the file
// names is there; false otherwise, and the file stays to be restored again. When the
// editor could not be started Explorer shows the file, to be imported by hand.
bool RestoreFromFile(const std::string& fileName);

enum class TRestoreResult { NoBackup, Restored, Failed };
// The newest file of RegBakDir (by modification time), restored.
TRestoreResult RestoreNewestBackup();

// Saves the registry findings of the registry group among rows (the rows a clean is about
// to remove) to RegBakDir\yyyymmddhhnnss.reg; the gate names them and says whether they
// were saved whole. Without any of them nothing is written.
TBackupGate BackupBeforeClean(const std::vector<const TTreeNode*>& rows, const TTreeNode* registryGroup);
