// One run of a registry category's check in one registry view: where its findings go,
// how they are counted, and the stop test between the entries it walks.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "items/ItemHandlers.h"
#include "system/RegistryValues.h"

class TRegistryRun {
 public:
  // native: the 64-bit view on 64-bit Windows (no effect elsewhere).
  TRegistryRun(TItemScan& scan, bool native) : scan_(scan), native_(native) {}

  bool Native() const { return native_; }

  // One finding under the category, counted in its counter: caption without the 64-bit
  // prefix (the adder puts it in front in the 64-bit view), the key path below the root,
  // the root's full name and the value name (empty for the whole key). Returns the node,
  // or null when nothing was added (empty caption or key path).
  TTreeNode* AddFinding(const std::string& caption, const std::string& keyPath, const std::string& rootName,
                        const std::string& valueName = std::string());

  // After each entry of a loop the user may stop: lets pending window messages through and
  // tells whether the scan was stopped. Once true it stays true for this run.
  bool StopAfterEntry();
  // For the checks that never stop: lets the messages through, and a stop pressed meanwhile
  // ends neither this run nor the category's 64-bit run.
  void LetMessagesThrough() {
    if (scan_.KeepResponsive) scan_.KeepResponsive();
  }
  bool Stopped() const { return stopped_; }

 private:
  TItemScan& scan_;
  bool native_;
  bool stopped_ = false;
};

// The names of the key's named values, in the order listed. The default value (listed
// under the empty name) is left out: a finding with an empty value name stands for the
// whole key, and the checks of named values have no rule for it.
std::vector<std::string> NamedValueNames(HKEY key);
// The same values with their data, as one listing reads them.
std::vector<TRegValue> NamedValues(HKEY key);

// The per-entry loop: visit(entry) for each name or value in the order given (the check
// reads the list first), with StopAfterEntry after each. visit returns false to end the
// loop at an error. Returns false when the loop ended early, by visit or by the user.
template <typename Entries = std::vector<std::string>, typename Visit>
bool ForEachEntry(TRegistryRun& run, const Entries& entries, Visit visit) {
  for (const auto& name : entries) {
    if (!visit(name)) return false;
    if (run.StopAfterEntry()) return false;
  }
  return true;
}
