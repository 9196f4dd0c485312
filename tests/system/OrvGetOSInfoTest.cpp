#include "system/OrvGetOSInfo.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "helpers/ProcessHelpers.h"
#include "helpers/TempFolder.h"
#include "system/WideText.h"

namespace {
TOrvOSInfoData Version(int major, int minor, int productType) {
  TOrvOSInfoData d;
  d.VersionKnown = true;
  d.Major = major;
  d.Minor = minor;
  d.ProductType = productType;
  return d;
}

std::string ProgramDir() { return GbkFromWide(ModuleDir()); }

bool InWin32Prefix() {
  const char* prefix = std::getenv("PURVEX_PREFIX");
  return prefix && std::string(prefix).rfind("win32", 0) == 0;
}
}  // namespace

TEST(TOrvOSInfo, NamesAndServerFlagFromInjectedVersions) {
  struct Row {
    int major, minor, type;
    const char* name;
    bool server;
  } rows[] = {
      {5, 0, 1, "2000", false}, {5, 1, 1, "XP", false},    {5, 2, 3, "2003", true},
      {6, 0, 1, "Vista", false}, {6, 0, 3, "2008", true},  {6, 0, 2, "2008", true},
      {6, 1, 1, "7", false},     {6, 1, 3, "7", true},     {6, 2, 1, "", false},
      {4, 0, 1, "", false},      {10, 0, 1, "Invalidated", false},
  };
  for (const Row& r : rows) {
    TOrvOSInfo os(Version(r.major, r.minor, r.type));
    EXPECT_EQ(os.OSName, r.name) << r.major << "." << r.minor;
    EXPECT_EQ(os.IsServer, r.server) << r.major << "." << r.minor;
    EXPECT_EQ(os.MajorVersion, r.major);
    EXPECT_EQ(os.MinorVersion, r.minor);
  }
}

TEST(TOrvOSInfo, FailedVersionCallGivesZerosAndNoServer) {
  TOrvOSInfoData d;
  d.ProductType = 3;  // left over, must not count
  TOrvOSInfo os(d);
  EXPECT_EQ(os.MajorVersion, 0);
  EXPECT_EQ(os.OSName, "Invalidated");
  EXPECT_FALSE(os.IsServer);
}

TEST(TOrvOSInfo, IE7OrLaterComparesTheTrimmedText) {
  struct Row {
    const char* version;
    bool ie7;
  } rows[] = {{"6.00.2900.5512 (xpsp.080413-2111)", false}, {" 7.00.5730.13", true},
              {"8.00.7600.16385 (win7_rtm.090713-1255)", true}, {"9.00.8112.16421", true},
              {"10.00.9200.16384", false}, {"11.00.9600.16428", false}, {"", false}};
  for (const Row& r : rows) {
    TOrvOSInfoData d = Version(6, 1, 1);
    d.IEVersion = r.version;
    TOrvOSInfo os(d);
    EXPECT_EQ(os.IsIE7OrLater(), r.ie7) << r.version;
  }
  TOrvOSInfoData d = Version(6, 1, 1);
  d.IEVersion = "  8.0 \r\n";
  EXPECT_EQ(TOrvOSInfo(d).IEVersion, "8.0");
}

TEST(TOrvOSInfo, CreateReadsTheRunningSystem) {
  std::unique_ptr<TOrvOSInfo> os = TOrvOSInfo::Create();
  OSVERSIONINFOA v = {};
  v.dwOSVersionInfoSize = sizeof v;
  ASSERT_TRUE(GetVersionExA(&v));
  EXPECT_EQ(os->MajorVersion, static_cast<int>(v.dwMajorVersion));
  EXPECT_EQ(os->MinorVersion, static_cast<int>(v.dwMinorVersion));
  EXPECT_EQ(os->IsWow64, !InWin32Prefix());
  EXPECT_FALSE(os->ProgramFilesDir.empty());
  // A 32-bit program on 64-bit Windows reads the 32-bit Program Files folder.
  if (os->IsWow64) {
    EXPECT_NE(os->ProgramFilesDir.find("(x86)"), std::string::npos) << os->ProgramFilesDir;
  }
  std::string ie = IEExePathFor(os->ProgramFilesDir);
  EXPECT_EQ(ie, os->ProgramFilesDir + "\\Internet Explorer\\IExplore.exe");
  if (GetFileAttributesA(ie.c_str()) != INVALID_FILE_ATTRIBUTES) {
    EXPECT_FALSE(os->IEVersion.empty());
    EXPECT_EQ(os->IEVersion, GetFileVersionValue(ie, "FileVersion"));
  }
}

TEST(GetFileVersionValue, ReadsTheFirstTranslationOfTheProgram) {
  std::string exe = ProgramDir() + "\\Purvex.exe";
  EXPECT_EQ(GetFileVersionValue(exe, "FileVersion"), "1.0.0.1");
  EXPECT_EQ(GetFileVersionValue(exe, "CompanyName"), "Marvolent");
  EXPECT_EQ(GetFileVersionValue(exe, "ProductName"), "MarvolentPurvex");
  EXPECT_EQ(GetFileVersionValue(exe, "NoSuchValue"), "");
  EXPECT_EQ(GetFileVersionNumbers(exe), "1.0.0.1");
}

TEST(GetFileVersionValue, FileVersionFallsBackToTheFixedNumbers) {
  std::string probe = ProgramDir() + "\\version_probe.exe";
  EXPECT_EQ(GetFileVersionNumbers(probe), "2.3.4.5");
  EXPECT_EQ(GetFileVersionValue(probe, "FileVersion"), "2.3.4.5");
  EXPECT_EQ(GetFileVersionValue(probe, "CompanyName"), "");
}

TEST(GetFileVersionValue, EmptyForMissingFilesAndFilesWithoutResource) {
  TTempFolder dir;
  std::wstring text = dir.File(L"plain.txt");
  HANDLE h = CreateFileW(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written;
  WriteFile(h, "not a program", 13, &written, nullptr);
  CloseHandle(h);
  for (const std::string& path : {std::string(), GbkFromWide(text), GbkFromWide(dir.File(L"gone.exe"))}) {
    EXPECT_EQ(GetFileVersionValue(path, "FileVersion"), "") << path;
    EXPECT_EQ(GetFileVersionNumbers(path), "") << path;
  }
}
