// Every handler group of the program registered in one table: the scan driver and the
// clean driver dispatch through it by the item's caption.
#pragma once
#include <memory>

#include "items/ItemHandlers.h"
#include "traces/BrowserItems.h"
#include "traces/IEItems.h"
#include "traces/InvalidFiles.h"
#include "traces/ShellActionItems.h"

// The platform calls of the groups' cleans, where a test gives fakes.
struct TGroupCleanCalls {
  TShellCleanCalls Shell = TShellCleanCalls::System();
  TIECleanCalls IE = TIECleanCalls::System();
};

// What the groups keep between a scan and its clean, for tests to look at.
struct TGroupStates {
  std::shared_ptr<TIEState> IE;
  std::shared_ptr<TBrowserMarks> Browsers;
  std::shared_ptr<TRecycleBinScan> RecycleBin;
};

TGroupStates RegisterItemHandlers(THandlerTable& table, TInvalidFilesSlot& invalidFiles,
                                  const TGroupCleanCalls& calls = TGroupCleanCalls());
