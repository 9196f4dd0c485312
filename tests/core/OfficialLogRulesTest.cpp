// The news file's keys.
#include <gtest/gtest.h>

#include "core/OfficialLogRules.h"

using namespace core;

TEST(OfficialLogRules, EntryTitlesColoursAndNoteLines) {
  EXPECT_EQ(SplitLogEntryKey("新版本|clRed").Title, "新版本");
  EXPECT_EQ(SplitLogEntryKey("新版本|clRed").Colour, "clRed");
  EXPECT_EQ(SplitLogEntryKey("a|b|clBlue").Colour, "b|clBlue") << "the title loses everything after its first bar";
  EXPECT_EQ(SplitLogEntryKey("plain").Colour, "");
  EXPECT_EQ(LogEntryColour(""), 0x008000);
  EXPECT_EQ(LogEntryColour("clRed"), 0x0000FF);
  EXPECT_EQ(LogEntryColour("clNavy"), 0x800000);
  EXPECT_EQ(LogEntryColour("clLime"), 0x00FF00);
  EXPECT_EQ(LogEntryColour("clYellow"), -1) << "the tree's own colour";
  std::string text;
  EXPECT_TRUE(NoteLineOfKey("Cleaner|第一行", text));
  EXPECT_EQ(text, "第一行");
  EXPECT_FALSE(NoteLineOfKey("Cleaner", text)) << "no bar";
  EXPECT_FALSE(NoteLineOfKey("CleanerX|x", text));
  EXPECT_FALSE(NoteLineOfKey("cleaner|x", text)) << "exactly Cleaner";
}
