// The cleaning statistics in the settings file: recorded after every clean, shown on the
// home page at start-up and after every clean.
#pragma once
#include <cstdint>

#include "core/CleanStatisticsRules.h"

// "PreviousCleanDate" := today 00:00:00, "PreviousCleanDate2" := now, then flushes.
void RecordCleanTime();

// The latest clean's count and bytes, the running totals (the size in single-precision
// KiB), then flushes.
void RecordCleanStatistics(int32_t count, int64_t bytes);

// The three home-page labels from the settings file, and whether the computer counts as
// recently cleaned. justCleaned: right after a clean rather than at start-up.
core::TCleanStatisticsLabels ShowCleanStatistics(bool justCleaned);
