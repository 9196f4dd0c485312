#include "app/ItemHandlerTable.h"

#include "items/ItemCatalogue.h"
#include "items/JunkProgress.h"
#include "registry/RegistryCategories.h"
#include "traces/AppFileScans.h"
#include "traces/AppHistoryItems.h"
#include "traces/BrowserItems.h"
#include "traces/EventLogItem.h"
#include "traces/IEBrowsers.h"
#include "traces/IEItems.h"
#include "traces/IniKeyScans.h"
#include "traces/OperaScans.h"
#include "traces/PlayerScans.h"
#include "traces/PlaylistScans.h"
#include "traces/ShellHistoryItems.h"
#include "traces/ToolbarScans.h"


TGroupStates RegisterItemHandlers(THandlerTable& table, TInvalidFilesSlot& invalidFiles, const TGroupCleanCalls& calls) {
  TGroupStates states;
  states.IE = RegisterIEHandlers(table, calls.IE);
  RegisterIEBrowserHandlers(table);
  RegisterRegistryCategories(table);
  states.RecycleBin = RegisterShellHistoryHandlers(table, calls.Shell);
  table.Register(kItemEventLogs, EventLogHandler());
  states.Browsers = RegisterBrowserHandlers(table);
  RegisterToolbarHandlers(table);
  RegisterOperaHandlers(table);
  RegisterInvalidFileHandlers(table, invalidFiles);
  RegisterAppHistoryHandlers(table, invalidFiles);
  RegisterAppFileHandlers(table, invalidFiles);
  RegisterIniKeyHandlers(table);
  RegisterPlayerHandlers(table);
  RegisterPlaylistHandlers(table);
  RegisterJunkGroupCleaner(table);
  return states;
}
