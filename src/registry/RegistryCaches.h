// The class-name caches of the registry categories. The sub-keys of HKEY_CLASSES_ROOT
// and of its "CLSID" key run to tens of thousands, so they are read once per scan and view
// and searched here instead of opening a key per look-up. Every scan starts them empty
// (ClearScanLists), and the first check that needs a list fills it, so one scan sees one
// snapshot of the class names.
#pragma once
#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "core/NameList.h"
#include "system/RegistryKey.h"

class TRegistryCaches {
 public:
  // Where the lists are read from: the classes root (root\path) and its "CLSID" key. The
  // program reads HKEY_CLASSES_ROOT; tests point it at keys of their own.
  explicit TRegistryCaches(HKEY classesRoot = HKEY_CLASSES_ROOT, std::string classesPath = std::string());

  // Empties the class-id, class-key and extension lists of both views.
  void ClearScanLists();
  // Re-reads both class-id lists: the 64-bit view's on 64-bit Windows only (it stays
  // empty elsewhere), then the default view's.
  void LoadClsidLists();
  // Re-reads the class keys of one view (the 64-bit lists when native is set) and takes
  // those beginning with "." into that view's extension list.
  void LoadClassKeyLists(bool native);
  // The loads above, done only when the lists were not read since the last clear.
  void EnsureClsidLists();
  void EnsureClassKeyLists(bool native);

  // ClsidNames64 with native set, else ClsidNames32.
  const core::TNameList& ClsidNames(bool native) const { return clsid_[native]; }
  // ClassKeys64/ExtensionKeys64 with native set, else the 32-bit lists.
  const core::TNameList& ClassKeys(bool native) const { return classKeys_[native]; }
  const core::TNameList& ExtensionKeys(bool native) const { return extensions_[native]; }
  // The classes root of one view, opened once per scan: the class checks of the native
  // view open their keys below it, since an open from HKEY_CLASSES_ROOT that names a view
  // costs Wine a fresh open of the root first. Below the 32-bit view's root a 64-bit
  // process would not see the keys that view redirects ("CLSID", "Interface", "TypeLib"):
  // those are opened by path. Closed (every open below it fails) when the root cannot be
  // opened.
  const TRegistryKey& ClassesRoot(bool native);

  // The name is a registered class id of either view (any letter case).
  bool KnowsClsid(const std::string& name) const { return clsid_[0].Contains(name) || clsid_[1].Contains(name); }

  // What the ActiveX category reported: whole class keys, and class keys whose "Shell"
  // key it reported. The file-association category reads them (exact names, duplicates
  // kept); they live from one run of the ActiveX category to the next.
  std::vector<std::string> BrokenClasses;
  std::vector<std::string> BrokenShellClasses;
  void ClearBrokenClasses();

  // What the ActiveX category read of an extension key of one view (index: native): its
  // counts and, when it has values but no sub-keys, its default value. The
  // file-association category needs exactly these and takes them instead of opening the
  // key again. Emptied with the lists.
  struct TExtensionFacts {
    DWORD SubKeys = 0, Values = 0;
    std::string Default;
  };
  std::unordered_map<std::string, TExtensionFacts> ExtensionFacts[2];

  // TargetFileExists, remembered for the rest of the scan: thousands of class
  // registrations name the same few hundred files, and each test is a trip to the file
  // system. Emptied with the lists.
  bool FileExists(const std::string& path);

 private:
  HKEY classesRoot_;
  std::string classesPath_;
  core::TNameList clsid_[2], classKeys_[2], extensions_[2];
  TRegistryKey roots_[2];
  bool rootOpened_[2] = {false, false};
  std::unordered_map<std::string, bool> files_;
  bool clsidLoaded_ = false;
  bool classKeysLoaded_[2] = {false, false};
};

// The caches of this process, shared by the registry categories and the file-extension
// history.
TRegistryCaches& RegistryCaches();

// The operations on the process's caches, under the names the scan driver and the checks
// know them by. The scan driver calls ClearRegistryScanLists once at the start of a scan.
void ClearRegistryScanLists();
void LoadClsidLists();
void LoadClassKeyLists(bool native);
