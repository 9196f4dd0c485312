#include "traces/EventLogItem.h"

#include <cstdio>

#include "items/ItemSummary.h"
#include "items/ResultRows.h"

TItemHandler EventLogHandler(TEventLogApi& api) {
  TItemHandler handler;
  handler.UnitWord = kUnitFiles;
  handler.Scan = [&api](TItemScan& scan) {
    const TEventLogManager logs(api);
    for (const std::string& name : logs.Names()) {
      const int32_t records = logs.GetRecordCount(name);
      if (records <= 2) continue;  // a freshly cleared log holds a record or two of its own
      const std::string display = logs.GetDisplayName(name);
      char count[48];
      std::snprintf(count, sizeof count, "(共有%d条日志记录)", records);
      AddResultNode(scan.Tree, display + count, true, std::string(), scan.Item, 0, kKindEventLog, name, display);
      // The item's size takes the low 32 bits of the file's size, as every file finding's.
      const int32_t size = static_cast<int32_t>(static_cast<uint32_t>(logs.GetFileSize(name)));
      ++scan.Count;
      if (size > 0) scan.Size += size;
    }
  };
  // A log that refused to be cleared was not cleaned.
  handler.Cleaner.Removers[{false, kKindEventLog}] = [&api](TRemoval& removal) {
    for (const Column4TreeData* f : removal.Findings) {
      int64_t freed = 0;
      removal.Outcomes.push_back(ClearNamedEventLog(f->Name, freed, api) ? TRemoveOutcome::Gone(freed)
                                                                          : TRemoveOutcome::Fail());
    }
  };
  return handler;
}
