// The dispatch table of the scan and clean drivers: one entry per item identity (its
// Kind), holding the executables that must not run, the unit word of its summary and its
// scan handler, so each item's rules sit together in one place.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "items/ScanTotals.h"
#include "items/TreeModel.h"

// What a handler gets: its item, the tree to add findings to, and the item's counters.
struct TItemScan {
  TTreeModel* Tree;
  TTreeNode* Item;
  int32_t Count = 0;
  int64_t Size = 0;
  TScanTotals* Totals;
  // Lets the window breathe; returns true when the user asked to stop.
  std::function<bool()> KeepResponsive;
  // A message box owned by the window (not shown in an unattended run).
  std::function<void(const std::string&)> Notice;
  // Set by a handler that found its program running: the item shows "(正在运行，跳过)".
  bool Skipped = false;
};

// What the clean driver does with a checked item besides removing its checked findings one
// by one: the items that act directly or need their own removal say so here, so the driver
// dispatches on the item's handler instead of recognising captions.
enum class TCleanAction {
  RemoveFindings,    // only that
  EmptyRecycleBin,   // empties the bin instead, when the scan showed it and all is checked
  EmptyClipboard,    // the same for the clipboard
  ClearIEForms,      // acts without findings: Internet Explorer's saved form entries
  ClearIEPasswords,  // and its saved passwords
  IEHistory,         // the Internet Explorer history clean runs once after all items
  FileExtHistory,    // its checked keys go to the extension-history delete after all items,
  ClassInfo,         // which runs only when this item was cleaned too
};

struct TItemHandler {
  std::vector<std::string> GuardExecutables;  // item skipped while one of them runs
  std::string UnitWord;                        // "项目", "文件" or "记录"
  std::function<void(TItemScan&)> Scan;
  // The handler counts each finding into the totals itself (CountFinding).
  bool CountsItself = false;
  // An own summary text instead of the usual one (empty function: the usual).
  std::function<std::string(const TItemScan&)> Summary;
  TCleanAction Clean = TCleanAction::RemoveFindings;
};

class THandlerTable {
 public:
  void Register(const std::string& kind, TItemHandler handler) { handlers_[kind] = std::move(handler); }
  const TItemHandler* Find(const std::string& kind) const {
    auto it = handlers_.find(kind);
    return it == handlers_.end() ? nullptr : &it->second;
  }

 private:
  std::map<std::string, TItemHandler> handlers_;
};
