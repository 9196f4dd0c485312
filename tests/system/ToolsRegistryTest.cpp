#include "system/ToolsRegistry.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <algorithm>

#include "helpers/AtExit.h"
#include "helpers/RegistrySecurity.h"
#include "helpers/TestContext.h"
#include "system/RegistryKey.h"
#include "system/ToolsViews.h"

namespace {

std::string TestKeyName(const char* tag) {
  char name[96];
  wsprintfA(name, "Software\\PurvexTest-Tools-%lu-%s", GetCurrentProcessId(), tag);
  return name;
}

// view: 0 for the process's own view, or KEY_WOW64_32KEY / KEY_WOW64_64KEY.
void SetString(HKEY root, const std::string& key, const char* value, REGSAM view = 0) {
  HKEY h;
  ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE | view, nullptr, &h, nullptr),
            ERROR_SUCCESS)
      << key;
  if (value) RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), lstrlenA(value) + 1);
  RegCloseKey(h);
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return s;
}

}  // namespace

TEST(RegGetKeyNames, ListsSubKeysAndNeverCreatesTheKey) {
  std::string key = TestKeyName("names");
  TAtExit removed([&key] { SHDeleteKeyA(HKEY_CURRENT_USER, key.c_str()); });
  SetString(HKEY_CURRENT_USER, key + "\\alpha", nullptr);
  SetString(HKEY_CURRENT_USER, key + "\\Beta", nullptr);
  SetString(HKEY_CURRENT_USER, key + "\\软件", nullptr);

  std::vector<std::string> names = RegGetKeyNames(HKEY_CURRENT_USER, key, KEY_READ);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Beta", "alpha", "软件"}));
  EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, key + "\\Beta", KEY_READ));
  EXPECT_TRUE(RegGetKeyNames(HKEY_CURRENT_USER, key + "\\alpha", KEY_READ).empty());

  std::string missing = key + "\\missing";
  EXPECT_TRUE(RegGetKeyNames(HKEY_CURRENT_USER, missing, KEY_ALL_ACCESS).empty());
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, missing, KEY_ALL_ACCESS));
  // neither call created it
  EXPECT_EQ(RegGetKeyNames(HKEY_CURRENT_USER, key, KEY_READ).size(), 3u);
}

// On 64-bit Windows (the win64 and x64 prefixes) a key of the 32-bit view shows in the
// 64-bit view under its Wow6432Node path only; in the win32 prefix there is one view.
// Both views are named explicitly, so a 32-bit and a 64-bit build open the same keys.
TEST(RegistryViews, AccessMaskAndWow32PathFindTheSameKey) {
  TTestContext context;
  bool wow64 = context.Ctx.IsWow64();
  EXPECT_EQ(Wow64KeyAccess(KEY_READ, true), wow64 ? (KEY_READ | KEY_WOW64_64KEY) : KEY_READ);
  EXPECT_EQ(Wow64KeyAccess(KEY_READ, false), wow64 ? (KEY_READ | KEY_WOW64_32KEY) : KEY_READ);
  // A mask that already names its view keeps it.
  EXPECT_EQ(Wow64KeyAccess(KEY_READ | KEY_WOW64_64KEY, false), static_cast<REGSAM>(KEY_READ | KEY_WOW64_64KEY));
  EXPECT_EQ(Wow64KeyAccess(KEY_READ | KEY_WOW64_32KEY, true), static_cast<REGSAM>(KEY_READ | KEY_WOW64_32KEY));
  REGSAM native = Wow64KeyAccess(KEY_READ, true);

  std::string key32 = TestKeyName("view32");
  std::string mapped = MapToWow32Path("HKEY_LOCAL_MACHINE", key32, false);
  TAtExit removed([&mapped] { SHDeleteKeyA(HKEY_LOCAL_MACHINE, mapped.c_str()); });
  SetString(HKEY_LOCAL_MACHINE, key32, nullptr, KEY_WOW64_32KEY);
  EXPECT_EQ(mapped, wow64 ? "SOFTWARE\\Wow6432Node\\" + key32.substr(9) : key32);
  EXPECT_EQ(MapToWow32Path("HKEY_LOCAL_MACHINE", key32, true), key32);
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, mapped, native));
  EXPECT_EQ(RegKeyExists(HKEY_LOCAL_MACHINE, key32, native), !wow64);
  EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, key32, Wow64KeyAccess(KEY_READ, false)));
}

namespace {

const char kLocalClass[] = "{6B1F3C2A-9D7E-4C11-8F3A-2E5D7A9B0C41}";
const char kInprocClass[] = "{6B1F3C2A-9D7E-4C11-8F3A-2E5D7A9B0C42}";
const char kEmptyServerClass[] = "{6B1F3C2A-9D7E-4C11-8F3A-2E5D7A9B0C43}";
const char kLocalProgID[] = "Purvex.ToolsTest.Local";
const char kInprocProgID[] = "Purvex.ToolsTest.Inproc";
const char kEmptyProgID[] = "Purvex.ToolsTest.Empty";

// Classes registered machine-wide for one test, removed again.
class TTestClasses {
 public:
  TTestClasses() {
    Register(kLocalClass, kLocalProgID, "LocalServer32", "%SystemRoot%\\PurvexServer.EXE /Automation ");
    SetString(HKEY_LOCAL_MACHINE, Clsid(kLocalClass) + "\\InprocServer32", "C:\\not-this-one.dll");
    Register(kInprocClass, kInprocProgID, "InprocServer32", "  C:\\Dir\\Server.DLL ");
    // A server key without a value hides the next one.
    Register(kEmptyServerClass, kEmptyProgID, "LocalServer32", nullptr);
    SetString(HKEY_LOCAL_MACHINE, Clsid(kEmptyServerClass) + "\\InprocServer32", "C:\\hidden.dll");
  }
  ~TTestClasses() {
    for (const char* c : {kLocalClass, kInprocClass, kEmptyServerClass})
      SHDeleteKeyA(HKEY_LOCAL_MACHINE, Clsid(c).c_str());
    for (const char* p : {kLocalProgID, kInprocProgID, kEmptyProgID})
      SHDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string("Software\\Classes\\") + p).c_str());
  }

 private:
  static std::string Clsid(const char* clsid) { return std::string("Software\\Classes\\CLSID\\") + clsid; }
  static void Register(const char* clsid, const char* progID, const char* server, const char* value) {
    SetString(HKEY_LOCAL_MACHINE, std::string("Software\\Classes\\") + progID + "\\CLSID", clsid);
    SetString(HKEY_LOCAL_MACHINE, Clsid(clsid) + "\\" + server, value);
  }
};

std::string WindowsFolder() {
  char buf[MAX_PATH] = {};
  GetEnvironmentVariableA("SystemRoot", buf, MAX_PATH);
  return buf;
}

}  // namespace

TEST(GetServerPath, ByProgIDCleanedUpByCLSIDOnlyExpanded) {
  TTestClasses classes;
  std::string windows = WindowsFolder();
  ASSERT_FALSE(windows.empty());

  EXPECT_EQ(GetServerPathByProgID(kLocalProgID), Lower(windows) + "\\purvexserver.exe");
  EXPECT_EQ(GetServerPathByCLSID(kLocalClass), windows + "\\PurvexServer.EXE /Automation ");
  EXPECT_EQ(GetServerPathByProgID(kInprocProgID), "c:\\dir\\server.dll");
  EXPECT_EQ(GetServerPathByCLSID(kInprocClass), "  C:\\Dir\\Server.DLL ");
  EXPECT_EQ(GetServerPathByProgID(kEmptyProgID), "");
  EXPECT_EQ(GetServerPathByCLSID(kEmptyServerClass), "");

  EXPECT_EQ(GetServerPathByProgID("Purvex.ToolsTest.Missing"), "");
  EXPECT_EQ(GetServerPathByProgID(""), "");
  EXPECT_EQ(GetServerPathByCLSID("{6B1F3C2A-9D7E-4C11-8F3A-2E5D7A9B0C4F}"), "");
  EXPECT_EQ(GetServerPathByCLSID(""), "");
}

// The server text is read into a buffer of 260 bytes: a text that fills it to the last
// byte with its terminator is read whole, one byte longer is no server path at all.
TEST(GetServerPath, AServerTextThatFillsItsBufferAndOneAByteLonger) {
  const std::string fits = "{6B1F3C2A-9D7E-4C11-8F3A-2E5D7A9B0C44}", over = "{6B1F3C2A-9D7E-4C11-8F3A-2E5D7A9B0C45}";
  auto key = [](const std::string& clsid) { return "Software\\Classes\\CLSID\\" + clsid; };
  TAtExit removed([&] {
    for (const std::string& clsid : {fits, over}) SHDeleteKeyA(HKEY_LOCAL_MACHINE, key(clsid).c_str());
  });
  const std::string path = "C:\\" + std::string(252, 'f') + ".dll";
  ASSERT_EQ(path.size(), 259u);
  SetString(HKEY_LOCAL_MACHINE, key(fits) + "\\InprocServer32", path.c_str());
  SetString(HKEY_LOCAL_MACHINE, key(over) + "\\InprocServer32", (path + "x").c_str());
  EXPECT_EQ(GetServerPathByCLSID(fits), path);
  EXPECT_EQ(GetServerPathByCLSID(over), "");
}

// The key wrapper reads with reading rights only: a key that refuses writing (as
// system-owned keys do, even to an administrator) is read, not taken for an absent one.
TEST(TRegistryKey, AKeyThatRefusesWritingIsReadAndToldFromALink) {
  TTestContext context;
  const std::string path = TestKeyName("readonly");
  SetString(HKEY_CURRENT_USER, path, "x");
  TAtExit removed([&path] { SHDeleteKeyA(HKEY_CURRENT_USER, path.c_str()); });
  {
    TReadOnlyKey locked(HKEY_CURRENT_USER, path);
    ASSERT_TRUE(locked.Ok());
    HKEY writable = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &writable), ERROR_ACCESS_DENIED)
        << "the key refuses writing";
    TRegistryKey key(HKEY_CURRENT_USER, path, false);
    ASSERT_TRUE(key) << "opened with the default access: " << key.OpenResult();
    EXPECT_EQ(key.ValueCount(), 1u);
    EXPECT_EQ(key.IsLink(), TLinkAnswer::NotLink);
  }
  EXPECT_EQ(TRegistryKey().IsLink(), TLinkAnswer::CannotTell) << "a closed key is no answer";
}
