// The handlers of the Windows shell history items, registered by their captions.
#pragma once
#include "items/ItemHandlers.h"
#include "items/RunState.h"

// The recycle-bin item keeps its count and size in the run state for the clean statistics.
void RegisterShellHistoryHandlers(THandlerTable& table, TRunState& state);
