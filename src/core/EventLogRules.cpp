#include "core/EventLogRules.h"

#include <cstring>

#include "core/GbkText.h"

namespace core {

namespace {

const size_t kRecordHeader = 56;  // sizeof(EVENTLOGRECORD)

uint32_t Dword(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

std::string EventLogDisplayName(const std::string& logName) {
  const std::string upper = UpperGbk(logName);
  if (upper == "APPLICATION") return "应用程序";
  if (upper == "SYSTEM") return "系统";
  if (upper == "SECURITY") return "安全";
  return logName;
}

std::string EventLogFilePath(const std::string& fileValue, const std::string& windowsDir) {
  std::string path = LowerGbk(fileValue);
  const std::string variable = "%systemroot%";
  for (size_t at = FindGbk(path, variable); at != std::string::npos; at = FindGbk(path, variable, at + windowsDir.size()))
    path.replace(at, variable.size(), windowsDir);
  return path;
}

namespace {

// visit(record, length) for each whole record, in order; a damaged length ends the walk.
template <typename Visit>
void WalkEventRecords(const unsigned char* buffer, size_t bytes, Visit visit) {
  size_t at = 0;
  while (bytes - at >= kRecordHeader) {
    const size_t length = Dword(buffer + at);
    if (length < kRecordHeader || length > bytes - at) return;
    visit(buffer + at, length);
    at += length;
  }
}

}  // namespace

size_t CountEventRecords(const unsigned char* buffer, size_t bytes) {
  size_t count = 0;
  WalkEventRecords(buffer, bytes, [&count](const unsigned char*, size_t) { ++count; });
  return count;
}

void ParseEventRecords(const unsigned char* buffer, size_t bytes, std::vector<TEventRecord>& records) {
  WalkEventRecords(buffer, bytes, [&records](const unsigned char* record, size_t length) {
    TEventRecord r;
    r.EventId = Dword(record + 20);
    const unsigned type = static_cast<unsigned>(record[24]) | (static_cast<unsigned>(record[25]) << 8);
    r.TypeWord = type == 1 ? "错误" : type == 2 ? "警告" : "信息";  // EVENTLOG_ERROR_TYPE, _WARNING_TYPE
    const char* source = reinterpret_cast<const char*>(record + kRecordHeader);
    r.Source.assign(source, strnlen(source, length - kRecordHeader));
    records.push_back(std::move(r));
  });
}

}  // namespace core
