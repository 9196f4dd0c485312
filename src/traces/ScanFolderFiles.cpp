#include "traces/ScanFolderFiles.h"

#include <shlobj.h>

#include "core/PathText.h"
#include "core/TraceScanRules.h"
#include "system/FindFile.h"
#include "system/ToolsFiles.h"
#include "system/ToolsShell.h"
#include "system/ToolsViews.h"
#include "traces/TraceFindings.h"

bool ScanFolderFiles(TItemScan& scan, const std::string& folder, const std::string& mask) {
  if (!core::IsFullPath(folder)) return false;
  const std::string dir = core::ExcludeTrailingBackslash(folder);
  if (IsLinkPath(dir) || !DirExistsAnyView(dir)) return false;
  const bool shortcuts = mask != "*.*";
  // Where every shortcut counts, none needs resolving.
  const bool takeUnresolved = shortcuts && core::TakesUnresolvedShortcuts(dir, GetSpecialFolder(CSIDL_RECENT));
  // One path buffer for every entry of the folder.
  std::string path = dir + "\\";
  const size_t base = path.size();
  for (TFindFile f(dir + (shortcuts ? "\\*.lnk" : "\\*.*")); f.Found(); f.Next()) {
    if (f.IsDir()) continue;
    const char* name = f.Data().cFileName;
    path.resize(base);
    path += name;
    if (IsListedFileLive(path) &&
        (!shortcuts || takeUnresolved || ResolveShortcut(path) != kNoShortcutTarget))
      AddFileFinding(scan, path, name, shortcuts ? kKindShortcut : kKindFile, f.Size(), dir);
    if (EntryDone(scan)) return true;
  }
  return false;
}
