// The event-log item against a recording stand-in for the event-log functions (the
// prefix's are stubs), with logs registered in the prefix's registry as Windows registers
// them; one smoke test calls the real functions.
#include "traces/EventLogItem.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <psapi.h>

#include <cstring>
#include <map>
#include <set>

#include "helpers/AtExit.h"
#include "helpers/RecordingDriverView.h"
#include "helpers/RegistryTree.h"
#include "helpers/TestContext.h"
#include "items/CleanDriver.h"
#include "items/ResultRows.h"
#include "items/TreeModel.h"

namespace {

const std::string kEventlog = "SYSTEM\\CurrentControlSet\\Services\\Eventlog\\";

// An EVENTLOGRECORD of the given length (at least 64 bytes) with its source name.
std::string Record(size_t length, uint32_t id, uint16_t type, const char* source) {
  std::string r(length, '\0');
  const uint32_t len = static_cast<uint32_t>(length);
  memcpy(&r[0], &len, 4);
  memcpy(&r[20], &id, 4);
  memcpy(&r[24], &type, 2);
  memcpy(&r[56], source, std::min(strlen(source), length - 57));
  return r;
}

// Logs by name, read as the system reads them: whole records per call, the next record's
// size when it does not fit, the end of the log after the last.
class TFakeEventLogs : public TEventLogApi {
 public:
  std::map<std::string, std::vector<std::string>> Logs;
  std::set<std::string> Refusing;  // logs whose clear fails
  std::vector<std::string> Cleared;
  std::map<std::string, std::string> Files;  // log -> its file, shrunk by a clear
  int Opened = 0, Closed = 0;
  // As Windows does: a name that is no log opens the Application log.
  bool FallsBackToApplication = false;

  HANDLE Open(const std::string& name) override {
    const bool known = Logs.count(name) != 0;
    if (!known && !(FallsBackToApplication && Logs.count("Application"))) return nullptr;
    ++Opened;
    cursors_.push_back({known ? name : "Application", 0});
    return reinterpret_cast<HANDLE>(cursors_.size());
  }
  DWORD Read(HANDLE log, void* buffer, DWORD size, DWORD* read, DWORD* needed) override {
    TCursor& c = cursors_[reinterpret_cast<size_t>(log) - 1];
    const std::vector<std::string>& records = Logs[c.Name];
    *read = *needed = 0;
    if (c.Next >= records.size()) return ERROR_HANDLE_EOF;
    if (records[c.Next].size() > size) {
      *needed = static_cast<DWORD>(records[c.Next].size());
      return ERROR_INSUFFICIENT_BUFFER;
    }
    while (c.Next < records.size() && *read + records[c.Next].size() <= size) {
      memcpy(static_cast<char*>(buffer) + *read, records[c.Next].data(), records[c.Next].size());
      *read += static_cast<DWORD>(records[c.Next].size());
      ++c.Next;
    }
    return ERROR_SUCCESS;
  }
  bool Clear(HANDLE log) override {
    const std::string& name = cursors_[reinterpret_cast<size_t>(log) - 1].Name;
    if (Refusing.count(name)) return false;
    Cleared.push_back(name);
    Logs[name].clear();
    if (Files.count(name)) WriteFile(Files[name], 1000);
    return true;
  }
  void Close(HANDLE) override { ++Closed; }
  bool Identify(HANDLE log, DWORD* oldest, DWORD* count) override {
    const std::string& name = cursors_[reinterpret_cast<size_t>(log) - 1].Name;
    *oldest = static_cast<DWORD>(std::hash<std::string>()(name) % 100000 + 1);
    *count = static_cast<DWORD>(Logs[name].size());
    return true;
  }

  static void WriteFile(const std::string& path, size_t bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    std::string data(bytes, 'e');
    DWORD done = 0;
    ::WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &done, nullptr);
    CloseHandle(file);
  }

 private:
  struct TCursor {
    std::string Name;
    size_t Next;
  };
  std::vector<TCursor> cursors_;
};

std::vector<std::string> Records(size_t count, size_t length = 100) {
  return std::vector<std::string>(count, Record(length, 7, 1, "Source"));
}

// Logs registered for the test (removed afterwards), with a "File" value.
class TRegisteredLogs {
 public:
  ~TRegisteredLogs() {
    for (const std::string& name : created_) RemoveRegistryTree(HKEY_LOCAL_MACHINE, kEventlog + name, true);
  }
  void Add(const std::string& name, const std::string& file = std::string()) {
    HKEY key;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, (kEventlog + name).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        &disposition) != ERROR_SUCCESS)
      return;
    if (disposition == REG_CREATED_NEW_KEY) created_.push_back(name);
    if (!file.empty())
      RegSetValueExA(key, "File", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(file.c_str()),
                     static_cast<DWORD>(file.size() + 1));
    RegCloseKey(key);
  }

 private:
  std::vector<std::string> created_;
};

std::string WindowsFile(const std::string& name) {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  return std::string(windows) + "\\" + name;
}

}  // namespace

TEST(TEventLogOper, ReadsEveryRecordAndRereadsOneLargerThanTheBuffer) {
  TFakeEventLogs api;
  api.Logs["Big"] = Records(50, 300);
  api.Logs["Big"].insert(api.Logs["Big"].begin() + 20, Record(10000, 9, 2, "Large"));
  std::vector<core::TEventRecord> records = TEventLogOper("Big", api).ReadRecords();
  ASSERT_EQ(records.size(), 51u) << "the large record is read again at its size, and the rest after it";
  EXPECT_EQ(records[20].EventId, 9u);
  EXPECT_EQ(records[20].TypeWord, "警告");
  EXPECT_EQ(records[20].Source, "Large");
  EXPECT_EQ(records[0].TypeWord, "错误");
  EXPECT_TRUE(TEventLogOper("Unknown", api).ReadRecords().empty()) << "a log that does not open is empty";
  EXPECT_EQ(api.Opened, api.Closed);
}

TEST(EventLogHandler, LogsWithMoreThanTwoRecordsUnderTheirChineseNamesWithTheirFileSize) {
  TTestContext context;
  TRegisteredLogs registered;
  const std::string tag = "PvxLog" + std::to_string(GetCurrentProcessId());
  const std::string file = WindowsFile(tag + ".evt");
  TFakeEventLogs::WriteFile(file, 70000);
  TAtExit removeFile([file] { DeleteFileA(file.c_str()); });
  registered.Add("Application", "%SystemRoot%\\" + tag + ".evt");  // capitals: still found
  registered.Add("System", "%windir%\\" + tag + ".evt");           // another variable: size 0
  registered.Add("Security");
  for (const char* suffix : {"Zero", "Two", "Three"}) registered.Add(tag + suffix);
  TFakeEventLogs api;
  api.Logs["Application"] = Records(3);
  api.Logs["System"] = Records(500);
  api.Logs["Security"] = Records(4);
  api.Logs[tag + "Zero"] = {};
  api.Logs[tag + "Two"] = Records(2);
  api.Logs[tag + "Three"] = Records(3);

  TTreeModel tree;
  TTreeNode* item = tree.AddChild(nullptr, Column4TreeData{"Windows系统日志", "", "", "Windows系统日志", "", 1});
  TScanTotals totals;
  TItemScan scan;
  scan.Tree = &tree;
  scan.Item = item;
  scan.Totals = &totals;
  TItemHandler handler = EventLogHandler(api);
  EXPECT_EQ(handler.UnitWord, "文件");
  handler.Scan(scan);
  std::map<std::string, Column4TreeData> found;
  for (TTreeNode* f = item->FirstChild(); f; f = f->NextSibling()) found[f->Data.Name] = f->Data;
  ASSERT_EQ(found.size(), 4u) << "empty logs and the log of two records are left out";
  EXPECT_EQ(found["Application"].Caption, "应用程序(共有3条日志记录)");
  EXPECT_EQ(found["Application"].Path, "应用程序");
  EXPECT_EQ(found["Application"].Kind, "EventLog");
  EXPECT_EQ(found["System"].Caption, "系统(共有500条日志记录)");
  EXPECT_EQ(found["Security"].Caption, "安全(共有4条日志记录)");
  EXPECT_EQ(found[tag + "Three"].Caption, tag + "Three(共有3条日志记录)");
  EXPECT_EQ(scan.Count, 4);
  EXPECT_EQ(scan.Size, 70000) << "only the file named through %systemroot%";
  EXPECT_EQ(api.Opened, api.Closed) << "every log closed";
}

TEST(ClearNamedEventLog, TheShrinkOfTheFileIsFreedAndARefusedClearIsNoClean) {
  TTestContext context;
  TRegisteredLogs registered;
  const std::string tag = "PvxClear" + std::to_string(GetCurrentProcessId());
  const std::string file = WindowsFile(tag + ".evt");
  TFakeEventLogs::WriteFile(file, 50000);
  TAtExit removeFile([file] { DeleteFileA(file.c_str()); });
  registered.Add(tag, "%systemroot%\\" + tag + ".evt");
  registered.Add(tag + "Locked");
  TFakeEventLogs api;
  api.Logs[tag] = Records(10);
  api.Logs[tag + "Locked"] = Records(10);
  api.Refusing.insert(tag + "Locked");
  api.Files[tag] = file;
  int64_t freed = -1;
  EXPECT_TRUE(ClearNamedEventLog(tag, freed, api));
  EXPECT_EQ(freed, 49000);
  EXPECT_FALSE(ClearNamedEventLog(tag + "Locked", freed, api));
  EXPECT_EQ(freed, 0);

  // In the clean driver a refused clear is taken off the count.
  TTreeModel tree;
  TTreeNode* group = tree.AddChild(nullptr, Column4TreeData{"g", "", "", "g", "", 1}, TCheckType::TriState);
  TTreeNode* item = tree.AddChild(group, Column4TreeData{"Windows系统日志", "", "", "Windows系统日志", "", 1},
                                  TCheckType::TriState);
  AddResultNode(&tree, "a", true, "", item, 0, "EventLog", tag, "a");
  AddResultNode(&tree, "b", true, "", item, 0, "EventLog", tag + "Locked", "b");
  tree.SetCheckState(group, TCheckState::Checked);
  api.Logs[tag] = Records(10);
  TFakeEventLogs::WriteFile(file, 50000);
  TRunState state;
  THandlerTable handlers;
  handlers.Register("Windows系统日志", EventLogHandler(api));
  TRecordingDriverView view;
  TScanDriver scan(tree, state, view, handlers);
  TCleanDriver clean(tree, state, view, scan, TCleanPhases());
  clean.CleanItems(false);
  EXPECT_EQ(clean.CleanCount(), 1);
}

// A sub-key that is no log (Parameters on Vista and later, a log registered since the
// start on XP) opens the Application log: it is never a finding and never cleared.
TEST(EventLogHandler, ANameTheSystemOpensAsTheApplicationLogIsNoLog) {
  TTestContext context;
  TRegisteredLogs registered;
  const std::string tag = "PvxNew" + std::to_string(GetCurrentProcessId());
  for (const std::string& name : {std::string("Application"), std::string("Parameters"), tag}) registered.Add(name);
  TFakeEventLogs api;
  api.FallsBackToApplication = true;
  api.Logs["Application"] = Records(5);
  TTreeModel tree;
  TTreeNode* item = tree.AddChild(nullptr, Column4TreeData{"Windows系统日志", "", "", "Windows系统日志", "", 1});
  TScanTotals totals;
  TItemScan scan{&tree, item, 0, 0, &totals, nullptr, nullptr, false};
  EventLogHandler(api).Scan(scan);
  std::set<std::string> found;
  for (TTreeNode* f = item->FirstChild(); f; f = f->NextSibling()) found.insert(f->Data.Name);
  EXPECT_EQ(found, std::set<std::string>{"Application"});
  int64_t freed = 0;
  for (const std::string& name : {std::string("Parameters"), tag}) EXPECT_FALSE(ClearNamedEventLog(name, freed, api)) << name;
  EXPECT_TRUE(api.Cleared.empty()) << "the Application log was not cleared in their name";
  EXPECT_EQ(api.Opened, api.Closed);
}

TEST(SystemEventLogs, TheRealFunctionsAreCalledWithoutHarm) {
  TTestContext context;
  TEventLogManager logs;
  for (const std::string& name : logs.Names()) EXPECT_GT(logs.GetRecordCount(name), 0) << name;
  TEventLogOper application("Application");
  application.ReadRecords();
  EXPECT_GE(application.GetLogFileSize(), 0);
}

namespace {

// One log of count copies of one record; notes the process's working set at its end.
class TLargeLog : public TEventLogApi {
 public:
  explicit TLargeLog(size_t count) : count_(count), record_(Record(96, 7, 1, "Source")) {}
  size_t WorkingSetAtEnd = 0;

  HANDLE Open(const std::string& name) override { return name == "Large" ? reinterpret_cast<HANDLE>(1) : nullptr; }
  DWORD Read(HANDLE, void* buffer, DWORD size, DWORD* read, DWORD* needed) override {
    *read = *needed = 0;
    if (next_ >= count_) {
      WorkingSetAtEnd = WorkingSet();
      return ERROR_HANDLE_EOF;
    }
    for (; next_ < count_ && *read + record_.size() <= size; ++next_, *read += static_cast<DWORD>(record_.size()))
      memcpy(static_cast<char*>(buffer) + *read, record_.data(), record_.size());
    return ERROR_SUCCESS;
  }
  bool Clear(HANDLE) override { return false; }
  void Close(HANDLE) override {}
  bool Identify(HANDLE, DWORD* oldest, DWORD* count) override {
    *oldest = 1;
    *count = static_cast<DWORD>(count_);
    return true;
  }
  static size_t WorkingSet() {
    typedef BOOL(WINAPI * TMemoryInfo)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD);
    auto info = reinterpret_cast<TMemoryInfo>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "K32GetProcessMemoryInfo")));
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    return info && info(GetCurrentProcess(), &counters, sizeof counters) ? counters.WorkingSetSize : 0;
  }

 private:
  size_t count_, next_ = 0;
  std::string record_;
};

}  // namespace

// A log of a million records is counted; what the count holds is one read buffer, not the
// records (before, each was kept with its texts until the log was through).
TEST(TEventLogManager, CountsAMillionRecordsWithoutKeepingThem) {
  TTestContext context;
  TRegisteredLogs registered;
  registered.Add("Large");
  TLargeLog api(1000000);
  const size_t before = TLargeLog::WorkingSet();
  ASSERT_GT(before, 0u);
  TEventLogManager logs(api);
  EXPECT_EQ(logs.GetRecordCount("Large"), 1000000);
  ASSERT_GT(api.WorkingSetAtEnd, 0u);
  EXPECT_LT(api.WorkingSetAtEnd, before + (16u << 20)) << "grew by " << (api.WorkingSetAtEnd - before) / 1024 << " KiB";
}
