// Event-log names, file paths, and record buffers, including damaged ones.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "core/EventLogRules.h"

using namespace core;

TEST(EventLogRules, DisplayNamesAndFilePaths) {
  EXPECT_EQ(EventLogDisplayName("Application"), "应用程序");
  EXPECT_EQ(EventLogDisplayName("SYSTEM"), "系统");
  EXPECT_EQ(EventLogDisplayName("security"), "安全");
  EXPECT_EQ(EventLogDisplayName("Internet Explorer"), "Internet Explorer");
  EXPECT_EQ(EventLogFilePath("%SystemRoot%\\System32\\Config\\AppEvent.Evt", "C:\\Windows"),
            "C:\\Windows\\system32\\config\\appevent.evt");
  EXPECT_EQ(EventLogFilePath("%windir%\\x.evt", "C:\\Windows"), "%windir%\\x.evt") << "no other variable";
}

TEST(EventLogRules, RecordsAreWalkedByTheirLengthsAndADamagedLengthEndsTheWalk) {
  unsigned char buffer[300] = {};
  auto put = [&](size_t at, uint32_t length, uint32_t id, uint16_t type, const char* source) {
    memcpy(buffer + at, &length, 4);
    memcpy(buffer + at + 20, &id, 4);
    memcpy(buffer + at + 24, &type, 2);
    memcpy(buffer + at + 56, source, strlen(source));
  };
  put(0, 80, 1, 1, "One");
  put(80, 64, 2, 4, "Two");
  put(144, 0, 3, 2, "Zero");  // a length of 0 would walk on the spot for ever
  std::vector<TEventRecord> records;
  ParseEventRecords(buffer, sizeof buffer, records);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].Source, "One");
  EXPECT_EQ(records[0].TypeWord, "错误");
  EXPECT_EQ(records[1].TypeWord, "信息");
  records.clear();
  put(144, 1000, 3, 2, "Long");  // runs past the buffer
  ParseEventRecords(buffer, sizeof buffer, records);
  EXPECT_EQ(records.size(), 2u);
  EXPECT_EQ(CountEventRecords(buffer, sizeof buffer), 2u) << "counted as walked";
  records.clear();
  ParseEventRecords(buffer, 60, records);  // the first record is cut short
  EXPECT_TRUE(records.empty());
  EXPECT_EQ(CountEventRecords(buffer, 60), 0u);
}

TEST(EventLogRules, RandomBuffersNeverReadOutside) {
  std::mt19937 random(63);
  for (int i = 0; i < 20000; ++i) {
    std::vector<unsigned char> buffer(random() % 400);
    for (unsigned char& b : buffer) b = static_cast<unsigned char>(random() % 4 == 0 ? random() % 120 : random());
    std::vector<TEventRecord> records;
    ParseEventRecords(buffer.data(), buffer.size(), records);
    ASSERT_LE(records.size() * 56, buffer.size());
  }
}
