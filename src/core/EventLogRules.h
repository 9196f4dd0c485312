// Event logs as the cleaner shows and reads them: the display names, the log file's path,
// and the records in a buffer filled by the event-log reading function.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace core {

// "应用程序", "系统", "安全" for Application, System and Security (any letter case), else
// the log's own name.
std::string EventLogDisplayName(const std::string& logName);

// The registry's "File" value as a path: lower-cased, every "%systemroot%" replaced by the
// Windows folder; no other variable is expanded.
std::string EventLogFilePath(const std::string& fileValue, const std::string& windowsDir);

struct TEventRecord {
  uint32_t EventId = 0;
  std::string TypeWord;  // "错误", "警告" or "信息"
  std::string Source;
};

// The whole records at the start of buffer (an EVENTLOGRECORD each: its length in its first
// four bytes, the event id at 20, the type at 24, the source name from 56); appended to
// records. A length that is too short or runs past the end stops the walk: a damaged
// buffer gives the records before it, never a read outside it.
void ParseEventRecords(const unsigned char* buffer, size_t bytes, std::vector<TEventRecord>& records);
// How many whole records the buffer holds, walked as ParseEventRecords walks it.
size_t CountEventRecords(const unsigned char* buffer, size_t bytes);

}  // namespace core
