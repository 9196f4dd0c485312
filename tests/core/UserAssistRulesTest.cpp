#include "core/UserAssistRules.h"

#include <gtest/gtest.h>

using namespace core;

TEST(Rot13, LettersOnlyAndItsOwnInverse) {
  EXPECT_EQ(Rot13("UEZR_EHACNGU:P:\\Cebtenz Svyrf\\n.rkr"), "HRME_RUNPATH:C:\\Program Files\\a.exe");
  EXPECT_EQ(Rot13(Rot13("Any Text 123 {}\\:")), "Any Text 123 {}\\:");
  EXPECT_EQ(Rot13("程序\\a"), "程序\\n") << "double-byte characters stay";
  EXPECT_EQ(Rot13("\x81\x41"), "\x81\x41") << "a trail byte that looks like a letter stays";
}

TEST(DecodeUserAssistName, PrefixEncodingAndTheSkipRules) {
  TUserAssistName path = DecodeUserAssistName(Rot13("UEME_RUNPATH:C:\\tools\\app.exe"));
  EXPECT_FALSE(path.Skip);
  EXPECT_TRUE(path.DrivePath);
  EXPECT_EQ(path.Decoded, "C:\\tools\\app.exe");
  TUserAssistName session = DecodeUserAssistName(Rot13("UEME_UISESSION"));
  EXPECT_FALSE(session.DrivePath) << "no drive: always a finding";
  EXPECT_EQ(session.Decoded, "UEME_UISESSION");
  EXPECT_TRUE(DecodeUserAssistName(Rot13("UEME_RUNPATH:C:\\a?b.exe")).Skip);
  EXPECT_TRUE(DecodeUserAssistName("HRAutoCAD:C:\\x.exe").Skip) << "the stored name is tested";
  EXPECT_TRUE(DecodeUserAssistName("{5E6AB780-7743-11CF-A12B-00AA004AE837}").Skip);
  EXPECT_EQ(DecodeUserAssistName("ab").Decoded, "");
  EXPECT_EQ(DecodeUserAssistName("plain:D:\\x.txt").Decoded, "D:\\x.txt") << "names without HR are taken as stored";
}

TEST(HasThreeLetterExtension, FourthCharacterFromTheEnd) {
  EXPECT_TRUE(HasThreeLetterExtension("C:\\a.exe"));
  EXPECT_FALSE(HasThreeLetterExtension("C:\\a.html"));
  EXPECT_FALSE(HasThreeLetterExtension("C:\\"));
}
