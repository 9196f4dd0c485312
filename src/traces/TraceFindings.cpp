#include "traces/TraceFindings.h"

#include "items/ResultRows.h"

void AddFileFinding(TItemScan& scan, const std::string& fullPath, const std::string& fileName,
                    const char* kind, int64_t size) {
  if (!AddResultNode(scan.Tree, fullPath, true, std::string(), scan.Item, -1, kind, std::string(), fileName))
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
