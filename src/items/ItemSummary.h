// The texts appended to an item's caption after a scan or a clean. Sizes are the shell's
// short byte-size text, so this part calls Windows and lives apart from the tree model.
#pragma once
#include <cstdint>
#include <string>

// Unit words of the summaries; each item names its own.
inline const char* const kUnitItems = "项目";
inline const char* const kUnitFiles = "文件";
inline const char* const kUnitRecords = "记录";

// State texts the drivers append instead of a summary.
inline const char* const kSuffixRunning = "(正在运行，跳过)";
inline const char* const kSuffixCanClean = "(可以清理)";
inline const char* const kSuffixAlreadyCleaned = "(已清理过)";
inline const char* const kSuffixCleaned = "(清理完成)";
inline const char* const kSuffixCleanedAfterRestart = "(清理完成，重启后生效)";

// "(<count>个<unit>，共<size text>)" when size is above 0, else "(<count>个<unit>)".
std::string FormatSummary(int32_t count, const std::string& unitWord, int64_t size);

// Items with file and registry findings: "(<files>个文件，<entries>项注册表，共<size text>)".
std::string FormatFileRegistrySummary(int32_t files, int32_t registryEntries, int64_t size);

// Items that show their size even when it is 0: "(<files>个文件，共<size text>)".
std::string FormatFileSizeSummary(int32_t files, int64_t size);
