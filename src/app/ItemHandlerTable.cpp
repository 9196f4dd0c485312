#include "app/ItemHandlerTable.h"

#include "items/ItemCatalogue.h"
#include "registry/RegistryCategories.h"
#include "traces/BrowserItems.h"
#include "traces/EventLogItem.h"
#include "traces/OperaScans.h"
#include "traces/ShellHistoryItems.h"
#include "traces/ToolbarScans.h"

namespace {

// Items that act at clean time, before their group registers its scans.
TItemHandler CleanOnly(TCleanAction action) {
  TItemHandler handler;
  handler.Clean = action;
  return handler;
}

}  // namespace

void RegisterItemHandlers(THandlerTable& table, TRunState& state) {
  table.Register(kItemIEHistory, CleanOnly(TCleanAction::IEHistory));
  table.Register(kItemIEForms, CleanOnly(TCleanAction::ClearIEForms));
  table.Register(kItemIEPasswords, CleanOnly(TCleanAction::ClearIEPasswords));
  RegisterRegistryCategories(table);
  RegisterShellHistoryHandlers(table, state);
  table.Register(kItemEventLogs, EventLogHandler());
  RegisterBrowserHandlers(table, state);
  RegisterToolbarHandlers(table);
  RegisterOperaHandlers(table);
}
