#include "traces/ShellHistoryScans.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <windows.h>

#include <shlwapi.h>

#include "core/UserAssistRules.h"
#include "helpers/Clipboard.h"
#include "helpers/TempFolder.h"
#include "registry/RegistryDelete.h"
#include "system/WideText.h"
#include "items/ItemCatalogue.h"
#include "traces/ShellHistoryItems.h"

namespace {

// An item node of a tree of its own, with the scan record a handler gets.
struct ItemBench {
  TTreeModel Tree;
  TScanTotals Totals;
  TItemScan Scan;
  ItemBench() {
    TTreeNode* group = Tree.AddChild(nullptr, Column4TreeData(), TCheckType::TriState, TCheckState::Checked);
    Scan.Tree = &Tree;
    Scan.Item = Tree.AddChild(group, Column4TreeData(), TCheckType::TriState, TCheckState::Checked);
    Scan.Totals = &Totals;
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> out;
    for (TTreeNode* f = Scan.Item->FirstChild(); f; f = f->NextSibling()) out.push_back(f->Data.Caption);
    return out;
  }
};

// A fresh key of the test's own below HKEY_CURRENT_USER\Software\PurvexTest, which goes
// with it afterwards.
struct TestKey {
  std::string Path;
  HKEY Key = nullptr;
  explicit TestKey(const std::string& path) : Path(path) {
    SHDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
    RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &Key, nullptr);
  }
  ~TestKey() {
    RegCloseKey(Key);
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\PurvexTest");
  }
  void SetString(const std::string& name, const std::string& text) {
    RegSetValueExA(Key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
  }
  void SetBinary(const std::string& name) {
    BYTE data[16] = {1, 2, 3};
    RegSetValueExA(Key, name.c_str(), 0, REG_BINARY, data, sizeof data);
  }
};

}  // namespace

TEST(ScanUserAssistKey, MissingFilesOnFixedDrivesAndEntriesWithoutAPath) {
  TestKey key("Software\\PurvexTest\\UserAssist\\Count");
  const std::string missing = core::Rot13("UEME_RUNPATH:C:\\purvex-missing\\gone.exe");
  const std::string present = core::Rot13("UEME_RUNPATH:C:\\windows\\system32\\notepad.exe");
  const std::string session = core::Rot13("UEME_UISESSION");
  const std::string odd = core::Rot13("UEME_RUNPATH:C:\\a?b.exe");
  const std::string page = core::Rot13("UEME_RUNPATH:C:\\purvex-missing\\page.html");  // not a three-letter type
  for (const std::string& name :
       {missing, present, session, odd, page, std::string("{5E6AB780-7743-11CF-A12B-00AA004AE837}")})
    key.SetBinary(name);
  ItemBench b;
  ScanUserAssistKey(key.Path, b.Scan);
  const std::string prefix = "HKEY_CURRENT_USER\\" + key.Path + "\\";
  std::vector<std::string> captions = b.Captions();
  std::sort(captions.begin(), captions.end());
  std::vector<std::string> expected = {prefix + missing, prefix + session};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(captions, expected);
  EXPECT_EQ(b.Scan.Count, 2);
  TTreeNode* first = b.Scan.Item->FirstChild();
  EXPECT_EQ(first->Data.Root, "HKEY_CURRENT_USER");
  EXPECT_EQ(first->Data.Path, key.Path);
}

TEST(ScanUserAssistKey, AnUnnamedCounterIsRemovedAloneNotWithItsKey) {
  TestKey key("Software\\PurvexTest\\UserAssist3\\Count");
  key.SetBinary("");
  const std::string present = core::Rot13("UEME_RUNPATH:C:\\windows\\system32\\notepad.exe");
  key.SetBinary(present);
  ItemBench b;
  ScanUserAssistKey(key.Path, b.Scan);
  ASSERT_EQ(b.Scan.Count, 1);
  const Column4TreeData& f = b.Scan.Item->FirstChild()->Data;
  EXPECT_EQ(f.Name, "@D_e_f_a_u_l_t");
  ASSERT_TRUE(DeleteRegistryFinding(f.Root, f.Path, f.Kind, f.Name));
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(key.Key, present.c_str(), nullptr, nullptr, nullptr, &size), ERROR_SUCCESS)
      << "the counter of the program that exists stays";
}

TEST(ScanUserAssistKey, StopsWhenAskedAndMissingKeysFindNothing) {
  TestKey key("Software\\PurvexTest\\UserAssist2\\Count");
  for (int i = 0; i < 5; ++i) key.SetBinary(core::Rot13("UEME_UISESSION" + std::to_string(i)));
  ItemBench b;
  int calls = 0;
  b.Scan.KeepResponsive = [&] { return ++calls >= 2; };
  ScanUserAssistKey(key.Path, b.Scan);
  EXPECT_EQ(b.Scan.Count, 1) << "the stop is seen before the second entry";
  ItemBench none;
  ScanUserAssistKey("Software\\PurvexTest\\NoSuchKey", none.Scan);
  EXPECT_EQ(none.Scan.Count, 0);
}

TEST(ScanSearchAssistantKey, NamedStringValuesWithOrWithoutTheKey) {
  TestKey key("Software\\PurvexTest\\ACMru\\5647");
  key.SetString("a", "OFFICE-PC");
  key.SetString(" ", "blank name");
  key.SetBinary("b");
  key.SetString("c", "LATER");
  // The text is read under the trimmed name, where nothing is stored: an empty text, and
  // the list goes on (before, it ended there). (Windows lists values in the order written,
  // Wine by name: "zz" comes last either way.)
  key.SetString("z ", "stored under the untrimmed name");
  key.SetString("zz", "after it");
  // Last, a text whose trimmed name holds no text: a read error, which ends the item (the
  // next list is not read).
  key.SetString("zzz ", "unreadable");
  key.SetBinary("zzz");
  ItemBench withKey;
  EXPECT_TRUE(ScanSearchAssistantKey(key.Path, TSearchCaption::WithKey, withKey.Scan));
  ItemBench missing;
  EXPECT_FALSE(ScanSearchAssistantKey("Software\\PurvexTest\\NoSuchList", TSearchCaption::TextOnly, missing.Scan));
  EXPECT_EQ(withKey.Captions(), (std::vector<std::string>{"HKEY_CURRENT_USER\\" + key.Path + "\\OFFICE-PC",
                                                          "HKEY_CURRENT_USER\\" + key.Path + "\\LATER",
                                                          "HKEY_CURRENT_USER\\" + key.Path + "\\",
                                                          "HKEY_CURRENT_USER\\" + key.Path + "\\after it"}));
  ItemBench textOnly;
  ScanSearchAssistantKey(key.Path, TSearchCaption::TextOnly, textOnly.Scan);
  // Shown as its text alone, an empty text makes no row.
  EXPECT_EQ(textOnly.Captions(), (std::vector<std::string>{"OFFICE-PC", "LATER", "after it"}));
  EXPECT_EQ(textOnly.Scan.Item->FirstChild()->Data.Name, "a");
}

TEST(ClipboardScan, TextIsAFindingAndEmptyIsNone) {
  ASSERT_TRUE(SetClipboardText("hello"));
  ItemBench full;
  ScanClipboard(full.Scan);
  EXPECT_EQ(full.Captions(), std::vector<std::string>{"剪贴板内容"});
  EXPECT_EQ(full.Scan.Count, 1);
  ASSERT_TRUE(OpenClipboardWithin(3000));
  CloseClipboard();
  EXPECT_TRUE(ClearClipboard(nullptr));
  EXPECT_TRUE(IsClipboardEmpty());
  ItemBench empty;
  ScanClipboard(empty.Scan);
  EXPECT_EQ(empty.Scan.Count, 0);
}

TEST(RecycleBin, CountsWhatIsInItAndEmptiesIt) {
  // The bench's recycle bin is the trash folder inside build/wine, never a real one.
  SHQUERYRBINFO probe = {};
  probe.cbSize = sizeof probe;
  ASSERT_HRESULT_SUCCEEDED(SHQueryRecycleBinW(nullptr, &probe)) << "the bench's trash folders are missing";
  EmptyRecycleBin(nullptr);  // whatever an earlier test left
  TTempFolder dir;
  std::wstring file = dir.File(L"to-the-bin.txt");
  HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written;
  WriteFile(h, "0123456789", 10, &written, nullptr);
  CloseHandle(h);
  std::wstring from = file + L'\0';
  SHFILEOPSTRUCTW op = {};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  ASSERT_EQ(SHFileOperationW(&op), 0);
  ItemBench b;
  int32_t count = 0;
  int64_t size = 0;
  QueryRecycleBin(6, 1, b.Scan, count, size);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(size, 10);
  EXPECT_EQ(b.Scan.Count, 1);
  EXPECT_EQ(b.Captions(), std::vector<std::string>{"回收站中的数据"});
  // The item keeps what its scan found for the clean, until a scan starts.
  THandlerTable table;
  const std::shared_ptr<TRecycleBinScan> bin = RegisterShellHistoryHandlers(table);
  ItemBench viaItem;
  table.Find(kItemRecycleBin)->Scan(viaItem.Scan);
  EXPECT_EQ(bin->Count, 1);
  EXPECT_EQ(bin->Size, 10);
  table.ScanStarting();
  EXPECT_EQ(bin->Count, 0) << "a new scan forgets the last one's bin";
  EXPECT_TRUE(EmptyRecycleBin(nullptr));
  ItemBench after;
  QueryRecycleBin(6, 1, after.Scan, count, size);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(size, 0);
  EXPECT_EQ(after.Scan.Item->ChildCount(), 0u);
}
