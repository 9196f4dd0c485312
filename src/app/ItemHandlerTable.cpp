#include "app/ItemHandlerTable.h"

#include "items/ItemCatalogue.h"
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


void RegisterItemHandlers(THandlerTable& table, TRunState& state, TInvalidFilesSlot& invalidFiles) {
  RegisterIEHandlers(table, state);
  RegisterIEBrowserHandlers(table);
  RegisterRegistryCategories(table);
  RegisterShellHistoryHandlers(table, state);
  table.Register(kItemEventLogs, EventLogHandler());
  RegisterBrowserHandlers(table, state);
  RegisterToolbarHandlers(table);
  RegisterOperaHandlers(table);
  RegisterInvalidFileHandlers(table, invalidFiles);
  RegisterAppHistoryHandlers(table, invalidFiles);
  RegisterAppFileHandlers(table, invalidFiles);
  RegisterIniKeyHandlers(table);
  RegisterPlayerHandlers(table);
  RegisterPlaylistHandlers(table);
}
