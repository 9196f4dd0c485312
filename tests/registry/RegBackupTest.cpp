// The backup file against the registry editor's own export, the round trip through a
// restore, the order in which backups are restored, and backups that cannot be written.
#include "registry/RegBackup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "helpers/AtExit.h"
#include "helpers/RegistrySecurity.h"
#include "helpers/TestContext.h"
#include "items/ResultRows.h"
#include "items/TreeModel.h"
#include "helpers/RegistryTree.h"
#include "registry/RegistryTestKey.h"
#include "system/FolderValues.h"
#include "system/ToolsViews.h"
#include "system/WideText.h"

namespace {

// A folder of the test's own, with RegBak and RegRestore set to folders in it.
struct TBackupBench {
  TTestContext context;
  std::string folder;
  TBackupBench() {
    FillFolderValues(context.Ctx);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "PvxBackup-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    context.Ctx.RegBakDir = folder + "\\RegBak";
    context.Ctx.RegRestoreDir = folder + "\\RegRestore";
  }
  ~TBackupBench() {
    for (const std::string& dir : {context.Ctx.RegBakDir, context.Ctx.RegRestoreDir, folder}) {
      WIN32_FIND_DATAA data;
      HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &data);
      if (find != INVALID_HANDLE_VALUE) {
        do DeleteFileA((dir + "\\" + data.cFileName).c_str());
        while (FindNextFileA(find, &data));
        FindClose(find);
      }
      RemoveDirectoryA(dir.c_str());
    }
  }
  std::vector<std::string> Files(const std::string& dir) const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dir + "\\*.reg").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do names.push_back(data.cFileName);
      while (FindNextFileA(find, &data));
      FindClose(find);
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};

REGSAM View(bool native) { return native ? KEY_WOW64_64KEY : KEY_WOW64_32KEY; }

void SetValue(const TRegistryTestKey& key, const std::string& rel, bool native, const wchar_t* name, DWORD type,
              const void* data, DWORD size) {
  key.Set(rel, native);
  HKEY h;
  if (RegOpenKeyExA(key.Root(), key.Path(rel).c_str(), 0, KEY_SET_VALUE | View(native), &h) != ERROR_SUCCESS) return;
  RegSetValueExW(h, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(h);
}

void SetText(const TRegistryTestKey& key, const std::string& rel, bool native, const wchar_t* name, const std::wstring& text,
             DWORD type = REG_SZ) {
  SetValue(key, rel, native, name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// Values of every type and shape, in a key with sub-keys.
void Seed(const TRegistryTestKey& key, bool native) {
  const DWORD all = 0xFFFFFFFF;
  const unsigned long long quad = 0x0123456789ABCDEFull;
  std::string bytes300(300, '\0');
  for (size_t i = 0; i < bytes300.size(); ++i) bytes300[i] = static_cast<char>(i);
  SetText(key, "", native, L"", L"默认值");
  SetText(key, "", native, L"empty", L"");
  SetText(key, "", native, L"long", std::wstring(2000, L'x'));
  SetText(key, "", native, L"quotes\\and \"slashes\"", L"C:\\Program Files\\\"App\"\\a.exe");
  SetText(key, "", native, L"expand", L"%SystemRoot%\\system32", REG_EXPAND_SZ);
  SetValue(key, "", native, L"dword", REG_DWORD, &all, sizeof all);
  SetValue(key, "", native, L"binary0", REG_BINARY, "", 0);
  SetValue(key, "", native, L"binary1", REG_BINARY, "\x7f", 1);
  SetValue(key, "", native, L"binary300", REG_BINARY, bytes300.data(), 300);
  SetValue(key, "", native, L"multi", REG_MULTI_SZ, L"one\0two\0", 9 * sizeof(wchar_t));
  SetValue(key, "", native, L"qword", REG_QWORD, &quad, sizeof quad);
  SetValue(key, "", native, L"none", REG_NONE, "", 0);
  SetText(key, "", native, L"中文名称", L"中文内容");
  SetText(key, "子键\\deeper", native, L"v", L"nested");
  SetText(key, "second", native, L"", native ? L"64" : L"32");
}

std::wstring ReadUtf16File(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::wstring();
  std::wstring text(GetFileSize(file, nullptr) / 2, L'\0');
  DWORD got = 0;
  ReadFile(file, &text[0], static_cast<DWORD>(text.size() * 2), &got, nullptr);
  CloseHandle(file);
  if (!text.empty() && text[0] == 0xFEFF) text.erase(0, 1);
  return text;
}

// Key header (lower-cased) -> value lines, continuation lines joined, hexadecimal digits
// lower-cased: the two writers differ in the case of those digits and in where they wrap.
std::map<std::wstring, std::set<std::wstring>> Normalised(const std::wstring& text) {
  std::map<std::wstring, std::set<std::wstring>> keys;
  std::wstring current, pending;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    start = end + 2;
    if (!pending.empty()) line = pending + line.substr(line.find_first_not_of(L' '));
    pending.clear();
    if (!line.empty() && line.back() == L'\\' && line.find(L"=hex") != std::wstring::npos) {
      pending = line.substr(0, line.size() - 1);
      continue;
    }
    if (line.empty() || line.compare(0, 7, L"Windows") == 0) continue;
    if (line[0] == L'[') {
      current = line;
      std::transform(current.begin(), current.end(), current.begin(), towlower);
      keys[current];
      continue;
    }
    const size_t eq = line.find(L"=hex");
    const size_t dw = line.find(L"=dword:");
    const size_t from = eq != std::wstring::npos ? eq : dw;
    if (from != std::wstring::npos && line.rfind(L"\"") < from)
      std::transform(line.begin() + from, line.end(), line.begin() + from, towlower);
    keys[current].insert(line);
  }
  return keys;
}

// The registry editor the restore uses: on 64-bit Windows the 64-bit one, which a 32-bit
// process reaches only with file-system redirection off (the Windows folder's
// regedit.exe is redirected to the 32-bit one, which reads through Wow6432Node).
bool RunEditor(const std::wstring& arguments) {
  TFsRedirectionGuard noRedirection;
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  std::wstring commandLine = std::wstring(windows) + L"\\regedit.exe " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  const bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return ended;
}

// Every value below the key, by path, name, type and bytes.
void ReadTree(HKEY root, const std::wstring& path, bool native, std::map<std::wstring, std::string>& out) {
  HKEY key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | View(native), &key) != ERROR_SUCCESS) return;
  wchar_t name[512];
  for (DWORD i = 0;; ++i) {
    DWORD length = 512, type = 0, size = 0;
    if (RegEnumValueW(key, i, name, &length, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    std::string data(size, '\0');
    DWORD got = size;
    RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]), &got);
    out[path + L"\\@" + name] = std::to_string(type) + ":" + data;
  }
  std::vector<std::wstring> children;
  for (DWORD i = 0;; ++i) {
    DWORD length = 512;
    if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    children.push_back(name);
  }
  RegCloseKey(key);
  out[path + L"\\"] = "key";
  for (const std::wstring& child : children) ReadTree(root, path + L"\\" + child, native, out);
}

std::map<std::wstring, std::string> Snapshot(const TRegistryTestKey& user, const TRegistryTestKey& machine) {
  std::map<std::wstring, std::string> all;
  ReadTree(user.Root(), WideFromGbk(user.Path()), false, all);
  for (bool native : {false, true}) {
    std::map<std::wstring, std::string> view;
    ReadTree(machine.Root(), WideFromGbk(machine.Path()), native, view);
    for (auto& [k, v] : view) all[(native ? L"64:" : L"32:") + k] = v;
  }
  return all;
}

}  // namespace

TEST(TRegistryItem, TheWholeKeyTakesThePlaceOfItsValuesAndNamesAreKeptOnce) {
  TRegistryItem item;
  item.AddValueName("b");
  item.AddValueName("A");
  item.AddValueName("a");
  EXPECT_EQ(item.ValueNames(), (std::vector<std::string>{"A", "b"}));
  item.AddValueName("");
  item.AddValueName("c");
  EXPECT_EQ(item.ValueNames(), std::vector<std::string>{""});
}

// Key blocks come in the locale's order: symbols before letters, a hyphen weighing only
// after the letters ("ac" before "a-c", both after "abc"), where bytes would put "a-c" first
// and "~tmp" last.
TEST(TRegistryBackup, KeyBlocksInTheLocalesOrderOneBlockPerKey) {
  TRegistryTestKey key(HKEY_CURRENT_USER, "order");
  for (const char* sub : {"abc", "~tmp", "a-c", "ac"}) key.SetText(sub, false, "v", sub);
  TRegistryBackup backup;
  for (const char* sub : {"abc", "~tmp", "a-c", "ac"})
    backup.AddEntry("HKEY_CURRENT_USER", key.Path() + "\\" + sub, false, "v");
  std::wstring text;
  ASSERT_TRUE(backup.WriteBackup([&text](const std::wstring& piece) {
    text += piece;
    return true;
  }));
  std::vector<std::string> order;
  for (size_t at = text.find(L"\\" + WideFromGbk(key.Path()) + L"\\"); at != std::wstring::npos;
       at = text.find(L"\\" + WideFromGbk(key.Path()) + L"\\", at + 1)) {
    const size_t from = at + key.Path().size() + 2;
    order.push_back(GbkFromWide(text.substr(from, text.find(L']', from) - from)));
  }
  EXPECT_EQ(order, (std::vector<std::string>{"~tmp", "abc", "ac", "a-c"}));
}

TEST(TRegistryBackup, AgreesWithTheRegistryEditorAndRestoresEveryValueOfBothViews) {
  TBackupBench b;
  TRegistryTestKey user(HKEY_CURRENT_USER, "backup"), machine(HKEY_LOCAL_MACHINE, "backup");
  Seed(user, false);
  Seed(machine, false);
  Seed(machine, true);
  const auto before = Snapshot(user, machine);
  ASSERT_GT(before.size(), 30u);

  TRegistryBackup backup;
  backup.AddEntry("HKEY_CURRENT_USER", user.Path(), false, "");
  backup.AddEntry("HKEY_LOCAL_MACHINE", machine.Path(), true, "");
  backup.AddEntry("HKEY_LOCAL_MACHINE", machine.Path(), false, "");
  const std::string ours = b.folder + "\\ours.reg";
  ASSERT_TRUE(backup.WriteBackupFile(ours));
  EXPECT_TRUE(backup.Empty());
  const std::wstring ourText = ReadUtf16File(ours);
  ASSERT_EQ(ourText.compare(0, 36, L"Windows Registry Editor Version 5.00"), 0);

  // The editor's export of the same three keys, one call each.
  const bool wow64 = b.context.Ctx.IsWow64();
  const std::wstring machine32 = WideFromGbk(wow64 ? "SOFTWARE\\Wow6432Node" + machine.Path().substr(8) : machine.Path());
  std::wstring theirs;
  int part = 0;
  for (const std::wstring& key : {L"HKEY_CURRENT_USER\\" + WideFromGbk(user.Path()),
                                  L"HKEY_LOCAL_MACHINE\\" + WideFromGbk(machine.Path()), L"HKEY_LOCAL_MACHINE\\" + machine32}) {
    const std::string file = b.folder + "\\theirs" + std::to_string(part++) + ".reg";
    ASSERT_TRUE(RunEditor(L"/e \"" + WideFromGbk(file) + L"\" \"" + key + L"\""));
    theirs += ReadUtf16File(file);
    DeleteFileA(file.c_str());
  }
  EXPECT_EQ(Normalised(ourText), Normalised(theirs));

  // Round trip: the keys removed, the backup restored.
  RemoveRegistryTree(user.Root(), user.Path(), false);
  RemoveRegistryTree(machine.Root(), machine.Path(), false);
  RemoveRegistryTree(machine.Root(), machine.Path(), true);
  ASSERT_TRUE(Snapshot(user, machine).empty());
  ASSERT_TRUE(RestoreFromFile(ours));
  EXPECT_EQ(Snapshot(user, machine), before) << "every value back, with its type and bytes, in its view";
  EXPECT_EQ(b.Files(b.context.Ctx.RegRestoreDir), std::vector<std::string>{"ours.reg"});
}

namespace {

// A backup file that sets the value "v" of the key to text, written at the given time.
void WriteBackup(const std::string& path, const std::string& key, const char* text, int minutesAgo) {
  const std::wstring body = L"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\" +
                            WideFromGbk(key) + L"]\r\n\"v\"=\"" + WideFromGbk(text) + L"\"\r\n";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD done = 0;
  WriteFile(file, body.data(), static_cast<DWORD>(body.size() * 2), &done, nullptr);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER t;
  t.LowPart = now.dwLowDateTime;
  t.HighPart = now.dwHighDateTime;
  t.QuadPart -= static_cast<ULONGLONG>(minutesAgo) * 60 * 10000000;
  now.dwLowDateTime = t.LowPart;
  now.dwHighDateTime = t.HighPart;
  SetFileTime(file, nullptr, nullptr, &now);
  CloseHandle(file);
}

}  // namespace

TEST(RestoreNewestBackup, NewestFirstThenTheNextOlderUntilNoneIsLeft) {
  TBackupBench b;
  TRegistryTestKey key(HKEY_CURRENT_USER, "restore");
  CreateDirectoryA(b.context.Ctx.RegBakDir.c_str(), nullptr);
  // Names and times disagree on purpose: the time decides.
  WriteBackup(b.context.Ctx.RegBakDir + "\\20200101000000.reg", key.Path(), "newest", 1);
  WriteBackup(b.context.Ctx.RegBakDir + "\\20250101000000.reg", key.Path(), "middle", 10);
  WriteBackup(b.context.Ctx.RegBakDir + "\\20100101000000.reg", key.Path(), "oldest", 20);
  EXPECT_EQ(RestoreNewestBackup(), TRestoreResult::Restored);
  EXPECT_EQ(key.Value("", false, "v"), std::string("newest", 7));
  EXPECT_EQ(b.Files(b.context.Ctx.RegRestoreDir), std::vector<std::string>{"20200101000000.reg"});
  EXPECT_EQ(RestoreNewestBackup(), TRestoreResult::Restored);
  EXPECT_EQ(key.Value("", false, "v"), std::string("middle", 7));
  EXPECT_EQ(RestoreNewestBackup(), TRestoreResult::Restored);
  EXPECT_EQ(key.Value("", false, "v"), std::string("oldest", 7));
  EXPECT_EQ(RestoreNewestBackup(), TRestoreResult::NoBackup);
  EXPECT_EQ(b.Files(b.context.Ctx.RegRestoreDir).size(), 3u);
}

// The editor says nothing of how its import went: a restore is done when every key of the
// file is there afterwards. A file it cannot import stays, to be restored again.
TEST(RestoreFromFile, AFileTheEditorCannotImportIsNoRestoreAndStays) {
  TBackupBench b;
  TRegistryTestKey key(HKEY_CURRENT_USER, "broken");
  const std::string file = b.folder + "\\broken.reg";
  WriteBackup(file, key.Path(), "x", 0);
  HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  DWORD done = 0;
  WriteFile(h, "\xFF\xFEn\0o\0 \0r\0e\0g\0", 14, &done, nullptr);  // the header replaced
  CloseHandle(h);
  EXPECT_FALSE(RestoreFromFile(file));
  EXPECT_FALSE(key.Exists("", false));
  EXPECT_NE(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << "the file stays";
  EXPECT_TRUE(b.Files(b.context.Ctx.RegRestoreDir).empty());
}

TEST(RestoreFromFile, TheRegistryToolsPolicyIsSuspendedOnlyForTheImport) {
  TBackupBench b;
  TRegistryTestKey key(HKEY_CURRENT_USER, "policy");
  const char* policy = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
  HKEY h;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, policy, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr), ERROR_SUCCESS);
  TAtExit removePolicy([h] {
    RegDeleteValueA(h, "DisableRegistryTools");
    RegCloseKey(h);
  });
  for (DWORD setting : {2u, 1u}) {
    RegSetValueExA(h, "DisableRegistryTools", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&setting), sizeof setting);
    const std::string file = b.folder + "\\policy.reg";
    WriteBackup(file, key.Path(), setting == 2 ? "two" : "one", 0);
    EXPECT_TRUE(RestoreFromFile(file));
    EXPECT_EQ(key.Value("", false, "v"), setting == 2 ? std::string("two", 4) : std::string("one", 4));
    DWORD after = 0, size = sizeof after;
    RegQueryValueExA(h, "DisableRegistryTools", nullptr, nullptr, reinterpret_cast<BYTE*>(&after), &size);
    EXPECT_EQ(after, setting) << "the policy is as it was";
  }
}

namespace {
// The rows a clean removes: the checked (or checked-pressed) findings of the category.
std::vector<const TTreeNode*> CheckedRows(const TTreeNode* category) {
  std::vector<const TTreeNode*> rows;
  for (const TTreeNode* f = category->FirstChild(); f; f = f->NextSibling())
    if (IsChecked(f->CheckState())) rows.push_back(f);
  return rows;
}
}  // namespace

TEST(BackupBeforeClean, TheRowsTheCleanRemovesOneHeaderPerKeyAndNoFileWhenNothingIsChecked) {
  TBackupBench b;
  TRegistryTestKey key(HKEY_CURRENT_USER, "rows");
  key.SetText("", false, "a", "1");
  key.SetText("", false, "b", "2");
  key.SetText("", false, "c", "3");
  key.SetText("", false, "", "default");
  TTreeModel tree;
  TTreeNode* group = tree.AddChild(nullptr, Column4TreeData{"注册表", "", "", "注册表", "", 1}, TCheckType::TriState);
  TTreeNode* category = tree.AddChild(group, Column4TreeData{"c", "", "", "c", "", 1}, TCheckType::TriState);
  auto row = [&](const char* name) {
    return AddRegistryFinding(&tree, name, key.Path(), false, category, "HKEY_CURRENT_USER", -1, "", "", name);
  };
  TTreeNode* a = row("a");
  TTreeNode* b2 = row("b");
  TTreeNode* c = row("c");
  row("@D_e_f_a_u_l_t");
  tree.SetCheckState(group, TCheckState::Checked);
  tree.SetCheckState(c, TCheckState::Unchecked);
  tree.SetCheckState(b2, TCheckState::CheckedPressed);
  const TBackupGate gate = BackupBeforeClean(CheckedRows(category), group);
  EXPECT_TRUE(gate.Saved);
  EXPECT_EQ(gate.Covered.size(), 3u);
  EXPECT_TRUE(std::find(gate.Covered.begin(), gate.Covered.end(), a) != gate.Covered.end());
  const std::vector<std::string> files = b.Files(b.context.Ctx.RegBakDir);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].size(), 18u) << "yyyymmddhhnnss.reg";
  const std::wstring text = ReadUtf16File(b.context.Ctx.RegBakDir + "\\" + files[0]);
  EXPECT_EQ(text, L"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\" + WideFromGbk(key.Path()) +
                      L"]\r\n@=\"default\"\r\n\"a\"=\"1\"\r\n\"b\"=\"2\"\r\n")
      << "the default value and the checked values, pressed or not (names sorted), not the unchecked row";
  DeleteFileA((b.context.Ctx.RegBakDir + "\\" + files[0]).c_str());

  tree.SetCheckState(group, TCheckState::Unchecked);
  const TBackupGate none = BackupBeforeClean(CheckedRows(category), group);
  EXPECT_TRUE(none.Saved && none.Covered.empty());
  EXPECT_TRUE(b.Files(b.context.Ctx.RegBakDir).empty());
}

TEST(BackupBeforeClean, AFolderThatCannotBeWrittenOrAWriteThatFailsIsAFailureAndLeavesNoFile) {
  TBackupBench b;
  TRegistryTestKey key(HKEY_CURRENT_USER, "fail");
  for (const char* name : {"a", "b", "c", "d"}) key.SetText("", false, name, std::string(20000, 'x').c_str());
  TTreeModel tree;
  TTreeNode* group = tree.AddChild(nullptr, Column4TreeData{"注册表", "", "", "注册表", "", 1}, TCheckType::TriState);
  TTreeNode* category = tree.AddChild(group, Column4TreeData{"c", "", "", "c", "", 1}, TCheckType::TriState);
  const TTreeNode* row = AddRegistryFinding(&tree, "k", key.Path(), false, category, "HKEY_CURRENT_USER", -1, "", "", "");
  tree.SetCheckState(group, TCheckState::Checked);
  // The backup folder's place is taken by a file.
  const std::string blocker = b.folder + "\\blocker";
  CloseHandle(CreateFileA(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  TAtExit removeBlocker([blocker] { DeleteFileA(blocker.c_str()); });
  b.context.Ctx.RegBakDir = blocker + "\\RegBak";
  const TBackupGate gate = BackupBeforeClean(CheckedRows(category), group);
  EXPECT_FALSE(gate.Saved);
  EXPECT_TRUE(gate.Keeps(row)) << "the row stays for want of a backup";

  // A write that fails halfway (the text goes out in pieces): the writer says so.
  TRegistryBackup backup;
  backup.AddEntry("HKEY_CURRENT_USER", key.Path(), false, "");
  int pieces = 0;
  EXPECT_FALSE(backup.WriteBackup([&](const std::wstring&) { return ++pieces == 1; }));
  EXPECT_EQ(pieces, 2) << "nothing more is handed on after the refusal";
}

namespace {
std::string Utf16(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}
}  // namespace

// What a text line would change (line breaks, zeros inside or missing, an odd size) is
// saved as the bytes of its type; what no file can carry (a link, a name with a line
// break) is refused, so that its finding stays.
TEST(TRegistryBackup, EveryValueComesBackByteForByteAndWhatNoFileCarriesIsRefused) {
  TBackupBench b;
  TRegistryTestKey user(HKEY_CURRENT_USER, "exact"), machine(HKEY_LOCAL_MACHINE, "exact");
  const std::string nul(2, '\0');
  const struct {
    const wchar_t* Name;
    DWORD Type;
    std::string Bytes;
  } kValues[] = {
      {L"lines", REG_SZ, Utf16(L"one\r\ntwo\n[HKEY_LOCAL_MACHINE\\Software]\r\n\"x\"=\"y\"") + nul},
      {L"expand lines", REG_EXPAND_SZ, Utf16(L"%TEMP%\r\nx") + nul},
      {L"size 0", REG_SZ, ""},
      {L"zero inside", REG_SZ, Utf16(L"a") + nul + Utf16(L"b") + nul},
      {L"extra zeros", REG_SZ, Utf16(L"a") + nul + nul},
      {L"multi", REG_MULTI_SZ, Utf16(L"a") + nul + Utf16(L"b") + nul + nul},
      {L"plain", REG_SZ, Utf16(L"C:\\a \"b\"") + nul},
  };
  for (bool native : {false, true})
    for (const auto& v : kValues)
      SetValue(machine, "", native, v.Name, v.Type, v.Bytes.data(), static_cast<DWORD>(v.Bytes.size()));
  const auto before = Snapshot(user, machine);
  TRegistryBackup backup;
  for (bool native : {false, true}) backup.AddEntry("HKEY_LOCAL_MACHINE", machine.Path(), native, "");
  const std::string file = b.folder + "\\exact.reg";
  ASSERT_TRUE(backup.WriteBackupFile(file));
  EXPECT_TRUE(backup.Complete());
  EXPECT_FALSE(backup.Refused("HKEY_LOCAL_MACHINE", machine.Path(), true, ""));
  for (bool native : {false, true}) RemoveRegistryTree(machine.Root(), machine.Path(), native);
  ASSERT_TRUE(RestoreFromFile(file));
  EXPECT_EQ(Snapshot(user, machine), before) << "every value back, with its type and bytes, in its view";

  // A key whose tree holds a link, a value whose name holds a line break, and string data
  // that the editor would not set back as it is (an odd size, no terminating zero).
  TRegistryTestKey target(HKEY_CURRENT_USER, "exact-target");
  target.SetText("", false, "t", "1");
  user.SetText("linked", false, "v", "1");
  ASSERT_TRUE(MakeLink(HKEY_CURRENT_USER, user.Path("linked\\link"), CurrentUserKeyName(target.Path())));
  SetText(user, "", false, L"two\nlines", L"x");
  SetValue(user, "", false, L"odd", REG_SZ, "abc", 3);  // (Wine gives a string without its zero one)
  TRegistryBackup refusing;
  refusing.AddEntry("HKEY_CURRENT_USER", user.Path("linked"), false, "");
  for (const char* name : {"two\nlines", "odd", "@D_e_f_a_u_l_t"})
    refusing.AddEntry("HKEY_CURRENT_USER", user.Path(), false, name);
  ASSERT_TRUE(refusing.WriteBackupFile(b.folder + "\\refused.reg"));
  EXPECT_TRUE(refusing.Complete());
  EXPECT_TRUE(refusing.Refused("HKEY_CURRENT_USER", user.Path("linked"), false, ""));
  EXPECT_TRUE(refusing.Refused("HKEY_CURRENT_USER", user.Path("linked"), false, "v")) << "saved with its key";
  for (const char* name : {"two\nlines", "odd"})
    EXPECT_TRUE(refusing.Refused("HKEY_CURRENT_USER", user.Path(), false, name)) << name;
  EXPECT_FALSE(refusing.Refused("HKEY_CURRENT_USER", user.Path(), false, "@D_e_f_a_u_l_t"));
  const std::wstring text = ReadUtf16File(b.folder + "\\refused.reg");
  EXPECT_EQ(text.find(L"exact-target"), std::wstring::npos) << "nothing of the link's target";

  // A sub-key that cannot be read: the file misses it, so it is no whole copy.
  user.SetText("outer\\locked", false, "v", "1");
  TReadOnlyKey unreadable(HKEY_CURRENT_USER, user.Path("outer\\locked"), "D:(A;;WD;;;WD)");
  ASSERT_TRUE(unreadable.Ok());
  TRegistryBackup incomplete;
  incomplete.AddEntry("HKEY_CURRENT_USER", user.Path("outer"), false, "");
  ASSERT_TRUE(incomplete.WriteBackupFile(b.folder + "\\incomplete.reg"));
  EXPECT_FALSE(incomplete.Complete());
}
