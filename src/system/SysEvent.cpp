#include "system/SysEvent.h"

#include <algorithm>

#include "core/GbkText.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/ToolsFiles.h"

namespace {

const char kEventlogKey[] = "SYSTEM\\CurrentControlSet\\Services\\Eventlog";

class TSystemEventLogs : public TEventLogApi {
 public:
  HANDLE Open(const std::string& logName) override { return OpenEventLogA(nullptr, logName.c_str()); }
  DWORD Read(HANDLE log, void* buffer, DWORD size, DWORD* read, DWORD* needed) override {
    *read = *needed = 0;
    if (ReadEventLogA(log, EVENTLOG_SEQUENTIAL_READ | EVENTLOG_FORWARDS_READ, 0, buffer, size, read, needed))
      return ERROR_SUCCESS;
    const DWORD error = GetLastError();
    return error == ERROR_SUCCESS ? ERROR_HANDLE_EOF : error;
  }
  bool Clear(HANDLE log) override { return ClearEventLogA(log, nullptr) != FALSE; }
  bool Identify(HANDLE log, DWORD* oldest, DWORD* count) override {
    return GetOldestEventLogRecord(log, oldest) && GetNumberOfEventLogRecords(log, count);
  }
  void Close(HANDLE log) override { CloseEventLog(log); }
};

const char kApplicationLog[] = "Application";

// The log opened for name is the named one: Application by its name; any other when it
// answers differently from the Application log (oldest record or count). A log that cannot
// say is not taken for the named one.
bool ProvenLog(TEventLogApi& api, HANDLE log, const std::string& name) {
  if (core::SameTextGbk(name, kApplicationLog)) return true;
  DWORD oldest = 0, count = 0;
  if (!api.Identify(log, &oldest, &count)) return false;
  HANDLE application = api.Open(kApplicationLog);
  if (!application) return true;
  DWORD applicationOldest = 0, applicationCount = 0;
  const bool same = api.Identify(application, &applicationOldest, &applicationCount) &&
                    applicationOldest == oldest && applicationCount == count;
  api.Close(application);
  return !same;
}

}  // namespace

TEventLogApi& SystemEventLogs() {
  static TSystemEventLogs api;
  return api;
}

TEventLogOper::TEventLogOper(const std::string& logName, TEventLogApi& api)
    : api_(api), log_(api.Open(logName)), name_(logName) {
  if (log_ && !ProvenLog(api_, log_, name_)) {
    api_.Close(log_);
    log_ = nullptr;
  }
  char windows[260] = {};
  GetWindowsDirectoryA(windows, 259);
  windowsDir_ = windows;
}

TEventLogOper::~TEventLogOper() {
  if (log_) api_.Close(log_);
}

std::vector<core::TEventRecord> TEventLogOper::ReadRecords() {
  std::vector<core::TEventRecord> records;
  ReadLog([&records](const unsigned char* bytes, size_t size) { core::ParseEventRecords(bytes, size, records); });
  return records;
}

int64_t TEventLogOper::CountRecords() {
  int64_t count = 0;
  ReadLog([&count](const unsigned char* bytes, size_t size) {
    count += static_cast<int64_t>(core::CountEventRecords(bytes, size));
  });
  return count;
}

void TEventLogOper::ReadLog(const std::function<void(const unsigned char* bytes, size_t size)>& take) {
  if (!log_) return;
  std::vector<unsigned char> buffer(4096);
  for (int refusals = 0; refusals < 4;) {
    DWORD read = 0, needed = 0;
    const DWORD result = api_.Read(log_, buffer.data(), static_cast<DWORD>(buffer.size()), &read, &needed);
    if (result == ERROR_SUCCESS) {
      take(buffer.data(), std::min<size_t>(read, buffer.size()));
      refusals = 0;
      continue;
    }
    // A record larger than the buffer is read again at its size; anything else ends the log.
    if (result != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size() || needed > (64u << 20)) break;
    buffer.resize(needed);
    ++refusals;
  }
}

bool TEventLogOper::Clear() { return log_ && api_.Clear(log_); }

int64_t TEventLogOper::GetLogFileSize() const {
  TRegistryKey key(HKEY_LOCAL_MACHINE, std::string(kEventlogKey) + "\\" + name_, false, KEY_READ);
  const TValueText file = ReadValueText(key.Handle(), "File");
  if (!file.IsText() || file.Text.empty()) return 0;
  return GetFileSize64(core::EventLogFilePath(file.Text, windowsDir_));
}

TEventLogManager::TEventLogManager(TEventLogApi& api) {
  const std::vector<std::string> names = TRegistryKey(HKEY_LOCAL_MACHINE, kEventlogKey, false, KEY_READ).SubKeyNames();
  // Walked from the last to the first, as the names are read; kept in the registry's order.
  std::vector<bool> kept(names.size(), false);
  for (size_t i = names.size(); i-- > 0;) {
    TEventLogOper log(names[i], api);
    // Counted, not kept: a log can hold millions of records.
    const int64_t count = std::min<int64_t>(log.CountRecords(), INT32_MAX);
    if (count == 0) continue;
    kept[i] = true;
    data_.push_back({names[i], core::EventLogDisplayName(names[i]), static_cast<int32_t>(count), log.GetLogFileSize()});
  }
  for (size_t i = 0; i < names.size(); ++i)
    if (kept[i]) names_.push_back(names[i]);
}

const TEVENTLOGMANAGERDATA* TEventLogManager::Find(const std::string& logName) const {
  for (const TEVENTLOGMANAGERDATA& d : data_)
    if (d.LogName == logName) return &d;
  return nullptr;
}

std::string TEventLogManager::GetDisplayName(const std::string& logName) const {
  const TEVENTLOGMANAGERDATA* d = Find(logName);
  return d ? d->DisplayName : std::string();
}

int64_t TEventLogManager::GetFileSize(const std::string& logName) const {
  const TEVENTLOGMANAGERDATA* d = Find(logName);
  return d ? d->FileSize : 0;
}

int32_t TEventLogManager::GetRecordCount(const std::string& logName) const {
  const TEVENTLOGMANAGERDATA* d = Find(logName);
  return d ? d->RecordCount : 0;
}

bool ClearNamedEventLog(const std::string& logName, int64_t& freed, TEventLogApi& api) {
  TEventLogOper log(logName, api);
  const int64_t before = log.GetLogFileSize();
  const bool cleared = log.Clear();
  freed = cleared ? before - log.GetLogFileSize() : 0;
  return cleared;
}
