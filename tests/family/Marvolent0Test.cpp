#include <gtest/gtest.h>

#include "core/IniStream.h"
#include "app/SettingsLibrary.h"
#include "family/Marvolent0Api.h"
#include "settings/SettingsFolder.h"
#include "system/LibraryHandle.h"

namespace {

typedef std::vector<std::string> Names;

const char kLogText[] =
    "; 官方日志\r\n"
    "[Purvex]\r\n"
    "新版本发布|clRed=http://purvex.marvolent.com/news\r\n"
    "使用技巧=不是网址的文字\r\n"
    "[Note]\r\n"
    "Cleaner|第一行说明=http://a\r\n"
    "Other|忽略=x\r\n"
    "Cleaner|第二行说明=http://b\r\n"
    "[软件\x95\x5c设置]\r\n"  // a name whose second byte is a backslash
    "键=值\r\n";

class Marvolent0 : public testing::Test {
 protected:
  // From the test program's folder, where the build puts the library.
  TLibrary library_{"Marvolent0.dll"};
  TGetMemIniFile getMemIniFile_ = library_.Proc<TGetMemIniFile>("GetMemIniFile");
  TSettingsFolder folder_;
};

}  // namespace

TEST_F(Marvolent0, ReadsAPlainIniFileIntoTheCallersObject) {
  ASSERT_TRUE(getMemIniFile_);
  std::string path = folder_.Dir() + "Log.dat";
  ASSERT_TRUE(WriteFileBytes(path, kLogText));
  TStreamIniFile object;
  object.WriteString("replaced", "k", "v");
  TStreamIniFile* ini = &object;
  EXPECT_TRUE(getMemIniFile_(path.c_str(), &ini));
  EXPECT_EQ(ini->ReadSections(), (Names{"Purvex", "Note", "软件\x95\x5c设置"}));
  EXPECT_EQ(ini->ReadSection("Purvex"), (Names{"新版本发布|clRed", "使用技巧"}));
  EXPECT_EQ(ini->ReadString("Purvex", "新版本发布|clRed", ""), "http://purvex.marvolent.com/news");
  EXPECT_EQ(ini->ReadSection("note"), (Names{"Cleaner|第一行说明", "Other|忽略", "Cleaner|第二行说明"}));
  EXPECT_EQ(ini->ReadString("软件\x95\x5c设置", "键", ""), "值");
}

TEST_F(Marvolent0, FalseForWhatItCannotRead) {
  ASSERT_TRUE(getMemIniFile_);
  TStreamIniFile object;
  TStreamIniFile* ini = &object;
  EXPECT_FALSE(getMemIniFile_((folder_.Dir() + "missing.dat").c_str(), &ini));
  EXPECT_FALSE(getMemIniFile_(folder_.Dir().c_str(), &ini));  // a folder
  EXPECT_FALSE(getMemIniFile_(nullptr, &ini));
  EXPECT_FALSE(getMemIniFile_((folder_.Dir() + "x").c_str(), nullptr));
  TStreamIniFile* none = nullptr;
  EXPECT_FALSE(getMemIniFile_((folder_.Dir() + "x").c_str(), &none));
  EXPECT_EQ(ini, &object);
  // An empty file is an empty INI.
  std::string empty = folder_.Dir() + "empty.dat";
  ASSERT_TRUE(WriteFileBytes(empty, ""));
  EXPECT_TRUE(getMemIniFile_(empty.c_str(), &ini));
  EXPECT_TRUE(object.ReadSections().empty());
}

// The program's own call goes to the library beside the program.
TEST_F(Marvolent0, ProgramCallsTheLibraryBesideIt) {
  std::string path = folder_.Dir() + "Log.dat";
  ASSERT_TRUE(WriteFileBytes(path, kLogText));
  TStreamIniFile ini(path);
  TAppContext here;  // the program folder is the test program's own
  TAppContext* previous = SetAppContext(&here);
  EXPECT_TRUE(LoadMemIniFile(path, ini));
  SetAppContext(previous);
  EXPECT_EQ(ini.ReadString("Note", "Cleaner|第二行说明", ""), "http://b");
  // Without the library beside the program, nothing is read.
  EXPECT_FALSE(LoadMemIniFile(path, ini));  // the settings folder holds no library
}
