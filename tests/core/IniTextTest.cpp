#include "core/IniText.h"

#include <gtest/gtest.h>

#include <random>

#include "core/Stream.h"

using namespace core;

namespace {
typedef std::vector<std::string> Names;

// Sections and keys as one comparable text.
std::string Dump(const TIniText& ini) {
  std::string out;
  for (const TIniText::TSection& s : ini.Sections()) {
    out += "[" + s.Name + "]";
    for (const TIniText::TEntry& e : s.Entries) out += " <" + e.Name + "|" + e.Value + ">";
    out += "\n";
  }
  return out;
}
}  // namespace

TEST(IniText, ParsesLinesAsTheProfileFunctionsDo) {
  TIniText ini;
  ini.SetText(
      "orphan=before any section\r\n"
      "[Purvex]\r\n"
      "  title one | clRed = http://a  \r\n"
      "; a comment\n"
      "\n"
      "no value line\r"
      "k=v=w\n"
      "[ note ]\n"
      "Cleaner|第一行=http://b\n"
      "[PURVEX]\n"
      "later=x\n");
  EXPECT_EQ(Dump(ini),
            "[Purvex] <title one | clRed|http://a> <no value line|> <k|v=w> <later|x>\n"
            "[note] <Cleaner|第一行|http://b>\n");
  EXPECT_EQ(ini.ReadSections(), (Names{"Purvex", "note"}));
  EXPECT_EQ(ini.ReadSection("purvex"), (Names{"title one | clRed", "no value line", "k", "later"}));
  EXPECT_TRUE(ini.SectionExists("NOTE"));
  EXPECT_TRUE(ini.ValueExists("Note", "cleaner|第一行"));
  EXPECT_FALSE(ini.ValueExists("Note", "Cleaner"));
  EXPECT_EQ(ini.ReadString("purvex", "K", "def"), "v=w");
  EXPECT_EQ(ini.ReadString("purvex", "missing", "def"), "def");
  EXPECT_EQ(ini.ReadString("missing", "k", "def"), "def");
}

// "\x81\x5d" is one character whose second byte is ']': it does not close a section.
TEST(IniText, DoubleByteCharactersAreNeverSplit) {
  TIniText ini;
  ini.SetText("[软件]\n[a\x81\x5d\nkey\x81\x3d=v\n[b\x81]x]\n");
  EXPECT_EQ(Dump(ini), "[软件] <[a\x81\x5d|> <key\x81|=v>\n[b\x81]x]\n");
  // A double-byte character whose second byte is a space keeps it when the line is trimmed.
  ini.SetText("[s]\nk=v\x81 \n");
  EXPECT_EQ(ini.ReadString("s", "k", ""), "v\x81 ");
}

TEST(IniText, WritesReadsAndDeletes) {
  TIniText ini;
  ini.WriteString("配置", "a", "1");
  ini.WriteString("配置", "B", "2");
  ini.WriteString("other", "x", "y");
  ini.WriteString("配置", "A", "3");  // same key, other case
  EXPECT_EQ(ini.Text(), "[配置]\r\na=3\r\nB=2\r\n\r\n[other]\r\nx=y\r\n\r\n");
  ini.DeleteKey("配置", "b");
  ini.EraseSection("OTHER");
  ini.WriteString("third", "k", "line\r\nbreak");
  EXPECT_EQ(ini.Text(), "[配置]\r\na=3\r\n\r\n[third]\r\nk=line  break\r\n\r\n");
  EXPECT_EQ(ini.ReadString("THIRD", "k", ""), "line\r\nbreak");
  ini.Clear();
  EXPECT_TRUE(ini.ReadSections().empty());
}

TEST(IniText, AMegabyteLineIsOneValue) {
  std::string big(1 << 20, 'x');
  TIniText ini;
  ini.SetText("[s]\nk=" + big + "\nnext=1\n");
  EXPECT_EQ(ini.ReadString("s", "k", "").size(), big.size());
  EXPECT_EQ(ini.ReadString("s", "next", ""), "1");
}

// Any bytes parse, and the written text reads back as the same sections and keys.
TEST(IniText, ArbitraryBytesParseAndRoundTrip) {
  std::mt19937 rng(3);
  const std::string alphabet("[]=;\r\n \t\x81\x5d\x5b\x3d" "\0" "abAB", 17);
  for (int i = 0; i < 20000; ++i) {
    std::string bytes(rng() % 80, '\0');
    for (char& c : bytes) c = i % 3 == 0 ? static_cast<char>(rng()) : alphabet[rng() % alphabet.size()];
    TIniText first;
    first.SetText(bytes);
    TIniText second;
    second.SetText(first.Text());
    ASSERT_EQ(Dump(second), Dump(first)) << testing::PrintToString(bytes);
  }
  // Many sections stay quick to find.
  std::string many;
  for (int i = 0; i < 100000; ++i) many += "[s" + std::to_string(i) + "]\nk=" + std::to_string(i) + "\n";
  TIniText ini;
  ini.SetText(many);
  EXPECT_EQ(ini.ReadString("S99999", "k", ""), "99999");
}

TEST(MemoryStream, SeekReadWrite) {
  TMemoryStream s("abcdef");
  char buf[8] = {};
  EXPECT_EQ(s.Seek(2, SeekBegin), 2);
  EXPECT_EQ(s.Read(buf, 3), 3);
  EXPECT_EQ(std::string(buf, 3), "cde");
  EXPECT_EQ(s.Read(buf, 8), 1);
  EXPECT_EQ(s.Read(buf, 8), 0);
  EXPECT_EQ(s.Seek(-1, SeekBegin), -1);
  EXPECT_EQ(s.Seek(-7, SeekEnd), -1);
  EXPECT_EQ(s.Seek(0, SeekCurrent), 6);  // unchanged by the refused moves
  EXPECT_EQ(s.Seek(2, SeekEnd), 8);
  EXPECT_EQ(s.Write("xy", 2), 2);
  EXPECT_EQ(s.Bytes(), std::string("abcdef\0\0xy", 10));
  EXPECT_EQ(s.Read(nullptr, 0), 0);
  EXPECT_EQ(s.Read(buf, -1), -1);
  EXPECT_EQ(s.Seek(1LL << 40, SeekBegin), -1);
  EXPECT_EQ(s.Seek(0, static_cast<TSeekOrigin>(9)), -1);
}
