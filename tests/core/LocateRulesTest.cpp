#include "core/LocateRules.h"

#include <gtest/gtest.h>

using namespace core;

TEST(LocateCommandsFor, FindingsOnlyAndByTheirKind) {
  auto file = LocateCommandsFor(2, "C:\\a.txt", "文件", "");
  EXPECT_TRUE(file.File);
  EXPECT_FALSE(file.Registry);
  auto reg = LocateCommandsFor(2, "HKEY_CURRENT_USER\\Software\\X", "", "HKEY_CURRENT_USER");
  EXPECT_FALSE(reg.File);
  EXPECT_TRUE(reg.Registry);
  for (auto none : {LocateCommandsFor(1, "FireFox 清理", "FireFox 清理", ""),
                    LocateCommandsFor(2, "应用程序", "EventLog", ""), LocateCommandsFor(2, "剪贴板内容", "", ""),
                    LocateCommandsFor(2, "回收站中的数据", "", ""),
                    LocateCommandsFor(2, "Visited: user@http://x.test/", "", "")}) {
    EXPECT_FALSE(none.File);
    EXPECT_FALSE(none.Registry);
  }
}

TEST(LocateFilePath, CutsSectionsAndTablesButNotTheDrive) {
  EXPECT_EQ(LocateFilePath("C:\\Program Files\\App\\app.ini:Recent", "other"), "C:\\Program Files\\App\\app.ini");
  EXPECT_EQ(LocateFilePath("C:\\x\\places.sqlite:moz_places:more", "FireFox"), "C:\\x\\places.sqlite");
  EXPECT_EQ(LocateFilePath("C:\\x\\file.txt", "文件"), "C:\\x\\file.txt");
  EXPECT_EQ(LocateFilePath("Visited: user@http://x.test/", ""), "");
  EXPECT_EQ(LocateFilePath("System", "EventLog"), "");
  EXPECT_EQ(LocateFilePath("剪贴板内容", ""), "");
}

TEST(ExplorerLocateParameters, DownloadedControlsOnVistaShowTheFolder) {
  EXPECT_EQ(ExplorerLocateParameters("C:\\Windows\\Downloaded Program Files\\x.inf", 6, 0, "C:\\Windows"),
            " /root,C:\\Windows\\Downloaded Program Files");
  EXPECT_EQ(ExplorerLocateParameters("c:\\windows\\downloaded program files\\x.inf", 6, 0, "C:\\Windows"),
            " /root,C:\\Windows\\Downloaded Program Files");
  EXPECT_EQ(ExplorerLocateParameters("C:\\Windows\\Downloaded Program Files\\x.inf", 6, 1, "C:\\Windows"),
            " /select,C:\\Windows\\Downloaded Program Files\\x.inf");
  EXPECT_EQ(ExplorerLocateParameters("D:\\a b\\c.txt", 5, 1, "C:\\Windows"), " /select,D:\\a b\\c.txt");
  EXPECT_EQ(ExplorerLocateParameters("C:\\Windows\\Downloaded Program Files2\\x.inf", 6, 0, "C:\\Windows"),
            " /select,C:\\Windows\\Downloaded Program Files2\\x.inf")
      << "a sibling folder whose name starts alike is not inside";
}
