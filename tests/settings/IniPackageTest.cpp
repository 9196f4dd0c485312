#include "app/IniPackage.h"

#include <gtest/gtest.h>

#include <cstring>

#include "system/FileStream.h"
#include "settings/SettingsFolder.h"

namespace {

// A stream whose reads fail after the first chunk.
class TBrokenStream final : public core::TStream {
 public:
  long long Seek(long long offset, core::TSeekOrigin) override { return offset == 0 ? 0 : -1; }
  int Read(void* buffer, int count) override {
    if (reads_++ > 0) return -1;
    static const char kStart[] = "[x]\r\na=1\r\n";
    int n = count < 10 ? count : 10;
    std::memcpy(buffer, kStart, n);
    return n;
  }
  int Write(const void*, int) override { return -1; }

 private:
  int reads_ = 0;
};

typedef std::vector<std::string> Names;

}  // namespace

TEST(StreamIniFile, LoadsFromTheStartOfAFileStream) {
  TSettingsFolder folder;
  std::string path = folder.Dir() + "Log.dat";
  ASSERT_TRUE(WriteFileBytes(path, "[Purvex]\r\n新版本|clRed=http://a\r\n[Note]\r\nCleaner|说明=http://b\r\n"));
  TFileStream stream(path, TFileStream::OpenRead);
  ASSERT_TRUE(stream.IsOpen());
  ASSERT_EQ(stream.Seek(0, core::SeekEnd), 64);
  TStreamIniFile ini(path);
  ASSERT_TRUE(ini.LoadFromStream(&stream));
  EXPECT_EQ(ini.ReadSections(), (Names{"Purvex", "Note"}));
  EXPECT_EQ(ini.ReadSection("purvex"), (Names{"新版本|clRed"}));
  EXPECT_EQ(ini.ReadString("NOTE", "Cleaner|说明", ""), "http://b");
  EXPECT_EQ(ini.FileName(), path);
}

TEST(StreamIniFile, AFailedReadKeepsTheContent) {
  TStreamIniFile ini;
  ini.WriteString("kept", "k", "v");
  TBrokenStream broken;
  EXPECT_FALSE(ini.LoadFromStream(&broken));
  EXPECT_FALSE(ini.SaveToStream(&broken));
  EXPECT_FALSE(ini.LoadFromStream(nullptr));
  EXPECT_EQ(ini.ReadSections(), (Names{"kept"}));
}

TEST(StreamIniFile, SavesToFilesAndUpdatesOnlyAnExistingOne) {
  TSettingsFolder folder;
  std::string path = folder.Dir() + "news.ini";
  TStreamIniFile ini(path);
  ini.WriteString("节", "键", "值");
  EXPECT_FALSE(UpdateIniFile(ini));
  EXPECT_EQ(ReadFileBytes(path), "<missing>");
  ASSERT_TRUE(WriteFileBytes(path, "old text that is longer than the new content\r\n"));
  EXPECT_TRUE(UpdateIniFile(ini));
  EXPECT_EQ(ReadFileBytes(path), "[节]\r\n键=值\r\n\r\n");
  EXPECT_TRUE(SaveIniToFile(ini, folder.Dir() + "copy.ini"));
  EXPECT_EQ(ReadFileBytes(folder.Dir() + "copy.ini"), "[节]\r\n键=值\r\n\r\n");
  EXPECT_FALSE(SaveIniToFile(ini, folder.Dir() + "no such folder\\x.ini"));
  TStreamIniFile aFolder(folder.Dir());
  EXPECT_FALSE(UpdateIniFile(aFolder));  // a folder is no file
}
