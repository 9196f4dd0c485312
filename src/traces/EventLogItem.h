// The item "Windows系统日志": one finding per event log with more than two records.
#pragma once
#include "items/ItemHandlers.h"
#include "system/SysEvent.h"

// The item's handler: logs counted through api, each finding with its file's size.
TItemHandler EventLogHandler(TEventLogApi& api = SystemEventLogs());
