// The handlers of the Windows shell history items, registered by their captions.
#pragma once
#include <memory>

#include "items/ItemHandlers.h"
#include "traces/ShellActionItems.h"

// Registers them; the recycle bin's scan is returned for tests to look at.
std::shared_ptr<TRecycleBinScan> RegisterShellHistoryHandlers(THandlerTable& table,
                                                              const TShellCleanCalls& calls = TShellCleanCalls::System());
