// The dispatch table of the scan and clean drivers: one entry per item identity (its
// Kind), holding the executables that must not run, the unit word of its summary, its
// scan handler and its cleaner, so each item's rules sit together in one place. A group
// may register under its own Kind the removers of items that have no entry (the junk
// group's categories come from the engine).
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "items/ItemClean.h"
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
  // Set by a handler that did not scan at all: the item gets no summary.
  bool Unscanned = false;
};

struct TItemHandler {
  std::vector<std::string> GuardExecutables;  // item skipped while one of them runs
  std::string UnitWord;                        // "项目", "文件" or "记录"
  std::function<void(TItemScan&)> Scan;
  // The handler counts each finding into the totals itself (CountFinding).
  bool CountsItself = false;
  // An own summary text instead of the usual one (empty function: the usual).
  std::function<std::string(const TItemScan&)> Summary;
  // How its findings go, and what the item does of its own when cleaned.
  TItemCleaner Cleaner;
};

class THandlerTable {
 public:
  void Register(const std::string& kind, TItemHandler handler) { handlers_[kind] = std::move(handler); }
  const TItemHandler* Find(const std::string& kind) const {
    auto it = handlers_.find(kind);
    return it == handlers_.end() ? nullptr : &it->second;
  }
  // The remover of a finding under item: the item's own, else its group's; null when no
  // group registered one for the finding's key (the finding is then left alone).
  const TFindingRemover* RemoverFor(const TTreeNode* item, const Column4TreeData& finding) const;
  // The item's cleaner; null for an item without an entry.
  const TItemCleaner* CleanerOf(const TTreeNode* item) const {
    const TItemHandler* handler = item ? Find(item->Data.Kind) : nullptr;
    return handler ? &handler->Cleaner : nullptr;
  }

  // What a group forgets or learns as every scan starts (the browser guards, a count its
  // clean relies on), run in the order registered.
  void OnScanStart(std::function<void()> hook) { scanStart_.push_back(std::move(hook)); }
  void ScanStarting() const {
    for (const auto& hook : scanStart_) hook();
  }

 private:
  std::map<std::string, TItemHandler> handlers_;
  std::vector<std::function<void()>> scanStart_;
};

inline const TFindingRemover* THandlerTable::RemoverFor(const TTreeNode* item, const Column4TreeData& finding) const {
  const TFindingKey key = FindingKeyOf(finding);
  for (const TTreeNode* node = item; node; node = node->Parent()) {
    const TItemHandler* handler = Find(node->Data.Kind);
    if (!handler) continue;
    auto it = handler->Cleaner.Removers.find(key);
    if (it != handler->Cleaner.Removers.end()) return &it->second;
  }
  return nullptr;
}
