// The Windows event logs: counting their records and clearing them. The event-log
// functions are reached through TEventLogApi, so that tests can stand in for them (some
// systems only pretend to keep logs).
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/EventLogRules.h"

class TEventLogApi {
 public:
  virtual ~TEventLogApi() = default;
  // OpenEventLogA on this computer; null when the log cannot be opened.
  virtual HANDLE Open(const std::string& logName) = 0;
  // ReadEventLogA, sequentially forwards: ERROR_SUCCESS with *read bytes of whole records,
  // or the error (ERROR_INSUFFICIENT_BUFFER with *needed the next record's size,
  // ERROR_HANDLE_EOF at the end).
  virtual DWORD Read(HANDLE log, void* buffer, DWORD size, DWORD* read, DWORD* needed) = 0;
  // ClearEventLogA without a backup file.
  virtual bool Clear(HANDLE log) = 0;
  // GetOldestEventLogRecord and GetNumberOfEventLogRecords; false when either fails.
  virtual bool Identify(HANDLE log, DWORD* oldest, DWORD* count) = 0;
  virtual void Close(HANDLE log) = 0;
};

// The system's own event-log functions.
TEventLogApi& SystemEventLogs();

// One open event log. The system opens the Application log for a name it does not know (a
// sub-key of the service's key that is no log, a log registered since the last start): a
// log other than Application is kept open only when it proves not to be that one.
class TEventLogOper {
 public:
  explicit TEventLogOper(const std::string& logName, TEventLogApi& api = SystemEventLogs());
  ~TEventLogOper();
  TEventLogOper(const TEventLogOper&) = delete;
  TEventLogOper& operator=(const TEventLogOper&) = delete;

  // Every record, read through a 4096-byte buffer that grows for a larger record; nothing
  // when the log is not open.
  std::vector<core::TEventRecord> ReadRecords();
  // How many records ReadRecords would give, without keeping them: memory stays that of
  // one buffer however large the log.
  int64_t CountRecords();
  // True when the log was open and cleared.
  bool Clear();
  // Size of the log's file as the registry names it ("%systemroot%" only); 0 when unknown.
  int64_t GetLogFileSize() const;

 private:
  // Reads the log through, handing each buffer's bytes to take.
  void ReadLog(const std::function<void(const unsigned char* bytes, size_t size)>& take);
  TEventLogApi& api_;
  HANDLE log_;
  std::string name_;
  std::string windowsDir_;
};

struct TEVENTLOGMANAGERDATA {
  std::string LogName;
  std::string DisplayName;
  int32_t RecordCount = 0;
  int64_t FileSize = 0;
};

// Every registered log that holds records, with its count and file size.
class TEventLogManager {
 public:
  explicit TEventLogManager(TEventLogApi& api = SystemEventLogs());
  // Names of the logs with records, in the registry's order.
  const std::vector<std::string>& Names() const { return names_; }
  std::string GetDisplayName(const std::string& logName) const;
  int64_t GetFileSize(const std::string& logName) const;
  int32_t GetRecordCount(const std::string& logName) const;

 private:
  const TEVENTLOGMANAGERDATA* Find(const std::string& logName) const;
  std::vector<std::string> names_;
  std::vector<TEVENTLOGMANAGERDATA> data_;
};

// Clears one log; freed is the shrink of its file. False when the log could not be cleared.
bool ClearNamedEventLog(const std::string& logName, int64_t& freed, TEventLogApi& api = SystemEventLogs());
