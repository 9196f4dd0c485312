#include "traces/ShellActionItems.h"

#include "items/ItemCatalogue.h"
#include "items/ItemSummary.h"
#include "registry/RegistryDelete.h"
#include "system/AppContext.h"
#include "traces/FileExtHistory.h"
#include "traces/ShellHistoryScans.h"
#include "traces/TraceFindings.h"

namespace {

// Only what the scan showed, and only all of it: a bin or clipboard that was not scanned,
// held nothing then, or is only partly checked, is left alone.
bool ShownAndFullyChecked(const TTreeNode* item) { return IsChecked(item->CheckState()) && item->FirstChild(); }

// The two TrayNotify streams whose removal takes effect only after Explorer restarts.
bool IsTrayIconStream(const Column4TreeData& f) {
  return f.Root == "HKEY_CURRENT_USER" &&
         (f.Path == "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify" ||
          f.Path == "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\TrayNotify") &&
         (f.Name == "IconStreams" || f.Name == "PastIconsStream");
}

}  // namespace

TShellCleanCalls TShellCleanCalls::System() {
  TShellCleanCalls calls;
  calls.EmptyRecycleBin = ::EmptyRecycleBin;
  calls.EmptyClipboard = ClearClipboard;
  calls.DeleteFileExtHistory = [](const std::vector<std::string>& keys) { ScanFileExtHistory(nullptr, keys); };
  return calls;
}

TItemHandler RecycleBinHandler(std::shared_ptr<TRecycleBinScan> bin, std::function<bool(HWND)> empty) {
  TItemHandler handler = TraceHandler(
      [bin](TItemScan& s) {
        const TAppContext& ctx = AppContext();
        const int minor = ctx.OSInfo ? ctx.OSInfo->MinorVersion : 0;
        QueryRecycleBin(ctx.MajorVersion(), minor, s, bin->Count, bin->Size);
      },
      kUnitFiles);
  handler.Cleaner.ActOnly = true;
  // Its files are what the clean is about to remove; left out, they never reach the
  // statistics.
  handler.Cleaner.Count = [bin](const TTreeNode*, bool selected) {
    if (!selected) *bin = TRecycleBinScan();
    return bin->Count;
  };
  handler.Cleaner.Act = [bin, empty](const TCleanServices& services, TTreeNode* item) -> std::optional<TRemoveOutcome> {
    if (!ShownAndFullyChecked(item)) return std::nullopt;
    TRemoveOutcome outcome = empty && empty(services.Owner) ? TRemoveOutcome::Gone(bin->Size) : TRemoveOutcome::Fail();
    outcome.Entries = bin->Count;
    *bin = TRecycleBinScan();
    return outcome;
  };
  return handler;
}

TItemHandler ClipboardHandler(std::function<bool(HWND)> empty) {
  TItemHandler handler = TraceHandler(ScanClipboard, kUnitItems);
  handler.Cleaner.ActOnly = true;
  handler.Cleaner.Act = [empty](const TCleanServices& services, TTreeNode* item) -> std::optional<TRemoveOutcome> {
    if (!ShownAndFullyChecked(item)) return std::nullopt;
    return TRemoveOutcome::Of(empty && empty(services.Owner));
  };
  return handler;
}

TItemHandler FileExtHistoryHandler(std::function<void(const std::vector<std::string>&)> deleteKeys) {
  auto keys = std::make_shared<std::vector<std::string>>();
  TItemHandler handler = TraceHandler([](TItemScan& s) { ScanFileExtHistory(&s); }, kUnitItems);
  handler.Cleaner.Act = [keys](const TCleanServices&, TTreeNode* item) -> std::optional<TRemoveOutcome> {
    keys->clear();
    for (const TTreeNode* f = item->FirstChild(); f; f = f->NextSibling())
      if (IsChecked(f->CheckState())) keys->push_back(f->Data.Path);
    return std::nullopt;
  };
  // Its keys go once more, only after the class information was cleaned too, and only
  // those the user saw and left checked.
  handler.Cleaner.AfterWalk = [keys, deleteKeys](TTreeModel&, const std::set<std::string>& cleaned) {
    if (cleaned.count(kItemClassInfo) && deleteKeys) deleteKeys(*keys);
    keys->clear();
  };
  return handler;
}

TItemHandler TrayIconsHandler() {
  TItemHandler handler = TraceHandler([](TItemScan& s) { ScanTrayIconStreams(AppContext().MajorVersion(), s); }, kUnitItems);
  handler.Cleaner.Removers = RegistryRemovers();
  for (auto& [key, remover] : handler.Cleaner.Removers)
    remover = [](TRemoval& removal) {
      RemoveRegistryFindings(removal);
      MarkExplorerRestart(removal);
    };
  return handler;
}

void MarkExplorerRestart(TRemoval& removal) {
  for (size_t i = 0; i < removal.Outcomes.size() && i < removal.Findings.size(); ++i)
    if (IsTrayIconStream(*removal.Findings[i])) removal.Outcomes[i].RestartExplorer = true;
}
