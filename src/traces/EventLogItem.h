// The item "Windows系统日志": one finding per event log with more than two records.
#pragma once
#include "items/ItemHandlers.h"
#include "system/SysEvent.h"

// Kind tag of a log's finding (Name the log's registry name).
inline const char* const kKindEventLog = "EventLog";

// The item's handler: logs counted through api, each finding with its file's size; a
// finding's clean clears its log through api.
TItemHandler EventLogHandler(TEventLogApi& api = SystemEventLogs());
