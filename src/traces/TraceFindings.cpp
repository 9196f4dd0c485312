#include "traces/TraceFindings.h"

#include <memory>

#include "items/FileRemover.h"
#include "items/ItemSummary.h"
#include "items/ResultRows.h"
#include "items/ScanTotals.h"
#include "core/PathText.h"
#include "registry/RegistryDelete.h"
#include "system/ToolsFiles.h"

void AddFileFinding(TItemScan& scan, const std::string& fullPath, std::string fileName,
                    const char* kind, int64_t size, const std::string& walkRoot) {
  if (!AddResultNode(scan.Tree, fullPath, true, walkRoot, scan.Item, -1, kind, std::string(), std::move(fileName)))
    return;
  ++scan.Count;
  if (size > 0) scan.Size += size;
}

void AddValueFinding(TItemScan& scan, const std::string& rootName, const std::string& keyPath,
                     const std::string& valueName, const std::string& data) {
  std::string caption = rootName + "\\" + keyPath + "\\" + valueName;
  if (!data.empty()) caption += ":" + data;
  const std::string name = valueName.empty() ? std::string(kDefaultValueName) : valueName;
  if (AddRegistryFinding(scan.Tree, caption, keyPath, false, scan.Item, rootName, -1, std::string(),
                         std::string(), name))
    ++scan.Count;
}

void AddDatabaseFinding(TItemScan& scan, const std::string& database, const std::string& pathField,
                        const std::string& table, const char* kind, const std::string& condition) {
  if (AddResultNode(scan.Tree, database, true, condition, scan.Item, -1, kind, table, pathField)) ++scan.Count;
}

bool EntryDone(TItemScan& scan) { return scan.KeepResponsive && scan.KeepResponsive(); }

bool AddLiveFile(TItemScan& scan, const std::string& path, bool withSize) {
  if (!IsLiveFile(path)) return false;
  AddFileFinding(scan, path, core::ExtractFileName(path), kKindFile, withSize ? GetFileSize64(path) : 0);
  return true;
}

void AddWholeKeyFinding(TItemScan& scan, const std::string& key) {
  if (AddRegistryFinding(scan.Tree, "HKEY_CURRENT_USER\\" + key, key, false, scan.Item, "HKEY_CURRENT_USER", -1,
                         std::string(), std::string(), std::string()))
    ++scan.Count;
}

void AddApplicationFinding(TItemScan& scan, const std::string& caption, const std::string& file,
                           const std::string& tag, const std::string& root) {
  if (AddResultNode(scan.Tree, caption, true, root, scan.Item, -1, kKindApplication, tag, file)) ++scan.Count;
}

TRemovers TraceRemovers() {
  TRemovers removers = FileRemovers({kKindFile, kKindShortcut, ""});
  for (auto& registry : RegistryRemovers()) removers.insert(registry);
  return removers;
}

TItemHandler TraceHandler(std::function<void(TItemScan&)> scan, const char* unit, std::vector<std::string> guards) {
  TItemHandler handler;
  handler.Cleaner.Removers = TraceRemovers();
  handler.Scan = std::move(scan);
  handler.UnitWord = unit;
  handler.GuardExecutables = std::move(guards);
  return handler;
}

TItemHandler ApplicationHandler(std::function<void(TItemScan&)> scan, const char* unit, std::vector<std::string> guards,
                                TRewrite rewrite) {
  TItemHandler handler = TraceHandler(std::move(scan), unit, std::move(guards));
  handler.Cleaner.Removers[{false, kKindApplication}] = [rewrite](TRemoval& removal) {
    for (const Column4TreeData* f : removal.Findings) removal.Outcomes.push_back(TRemoveOutcome::Of(rewrite(*f)));
  };
  return handler;
}

TItemHandler FileRegistryHandler(std::function<void(TItemScan& registry, TItemScan& files)> scan,
                                 std::vector<std::string> guards) {
  struct TCounts {
    int32_t Files = 0, Registry = 0;
    int64_t Size = 0;
  };
  auto counts = std::make_shared<TCounts>();
  TItemHandler handler = TraceHandler(
      [counts, scan](TItemScan& s) {
        // Sub-scans that count into totals of their own (the invalid-file finder does):
        // the driver adds the item's sum once.
        TScanTotals own;
        TItemScan registry = s, files = s;
        registry.Count = files.Count = 0;
        registry.Size = files.Size = 0;
        registry.Totals = files.Totals = &own;
        scan(registry, files);
        *counts = TCounts{files.Count, registry.Count, files.Size};
        s.Count = files.Count + registry.Count;
        s.Size = files.Size;
        s.Skipped = registry.Skipped || files.Skipped;
      },
      kUnitFiles, std::move(guards));
  handler.Summary = [counts](const TItemScan&) {
    return FormatFileRegistrySummary(counts->Files, counts->Registry, counts->Size);
  };
  return handler;
}
