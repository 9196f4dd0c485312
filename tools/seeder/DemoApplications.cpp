#include "DemoApplications.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>

#include "SeedWriters.h"

using namespace seed;

namespace {

const char kProgramFiles[] = "C:\\Program Files\\";
const char kEmEditorClass[] = "CLSID\\{DFA0CC7F-D36B-47D1-8EF5-415C1DA53F57}";
const char kQQLiveUser[] = "0123456789abcdef0123456789abcdef";

// Keys under the current user that hold nothing but the demo's traces.
const char* const kUserKeys[] = {
    "Software\\WinRAR\\ArcHistory", "Software\\7-Zip", "Software\\Microsoft\\Office\\12.0\\Word\\File MRU",
    "Software\\Microsoft\\Office\\12.0\\Excel\\File MRU", "Software\\Nico Mak Computing", "Software\\Kingsoft",
    "Software\\WinImage", "Software\\Headlight", "Software\\ES-Computing", "Software\\Adobe\\Acrobat Reader",
    "Software\\EmSoft", "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList", "Software\\RealNetworks",
    "Software\\Storm", "Software\\KuGoo6", "Software\\KMPlayer", "Software\\Gabest",
};

// The class as the 32-bit program sees it: in the 32-bit view on 64-bit Windows.
void RegisterEmEditorClass(const std::string& server) {
  HKEY h = nullptr;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, (std::string(kEmEditorClass) + "\\InprocServer32").c_str(), 0, nullptr, 0,
                      KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &h, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(h, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(server.c_str()), static_cast<DWORD>(server.size() + 1));
  RegCloseKey(h);
}

void RemoveEmEditorClass() {
  RegDeleteKeyExA(HKEY_CLASSES_ROOT, (std::string(kEmEditorClass) + "\\InprocServer32").c_str(), KEY_WOW64_32KEY, 0);
  RegDeleteKeyExA(HKEY_CLASSES_ROOT, kEmEditorClass, KEY_WOW64_32KEY, 0);
}

void SeedOfficeAndTools(const std::string& roaming, const std::string& local) {
  Value(HKEY_CURRENT_USER, "Software\\WinRAR\\ArcHistory", "0", "C:\\users\\Public\\Documents\\photos.rar");
  Value(HKEY_CURRENT_USER, "Software\\7-Zip\\FM", "PanelPath0", "C:\\users\\Public\\Documents\\");
  Value(HKEY_CURRENT_USER, "Software\\7-Zip\\Compression\\ArcHistory", "0", "C:\\backup.7z");
  Value(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\12.0\\Word\\File MRU", "Item 1", "[F00000000][T01CA0000][O00000000]*C:\\年终总结.docx");
  Value(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\12.0\\Excel\\File MRU", "Item 1", "[F00000000][T01CA0000][O00000000]*C:\\budget.xlsx");
  Value(HKEY_CURRENT_USER, "Software\\Nico Mak Computing\\WinZip\\filemenu", "filemenu1", "C:\\tools.zip");
  Value(HKEY_CURRENT_USER, "Software\\Kingsoft\\Office\\6.0\\wps\\RecentFiles\\files\\1", "path", "C:\\notes.wps");
  Value(HKEY_CURRENT_USER, "Software\\WinImage", "File1", "C:\\floppy.ima");
  Value(HKEY_CURRENT_USER, "Software\\Headlight\\GetRight\\TypedURLs", "0", "http://dl.example.com/big.iso");
  Value(HKEY_CURRENT_USER, "Software\\ES-Computing\\EditPlus 3\\Recent File List", "File1", "C:\\site\\index.html");
  Dirs(roaming + "\\EditPlus 3");
  File(roaming + "\\EditPlus 3\\combobox_u.ini", "[Find]\r\n0=TODO\r\n");
  Value(HKEY_CURRENT_USER, "Software\\Adobe\\Acrobat Reader\\9.0\\AVGeneral\\cRecentFiles\\c1", "tDIText", "/C/manual.pdf");
  Dirs(local + "\\Adobe\\Acrobat\\9.0\\Cache\\Search90");
  File(local + "\\Adobe\\Acrobat\\9.0\\Cache\\Search90\\manual.idx", std::string(2048, 'i'));
  Dirs(roaming + "\\IDMComp\\UltraEdit");
  File(roaming + "\\IDMComp\\UltraEdit\\Uedit32.ini",
       "[Settings]\r\nTheme=1\r\n[Recent File List]\r\nFile1=C:\\site\\style.css\r\nFile2=C:\\site\\app.js\r\n"
       "[Find History]\r\nFind1=password\r\n");
  const std::string emeditor = std::string(kProgramFiles) + "EmEditor";
  Dirs(emeditor);
  File(emeditor + "\\emeditor.dll", "MZ");
  File(emeditor + "\\eeCommon.ini", "[Recent File List]\r\nFile0=C:\\log\\server.log\r\n[Config]\r\nWrap=1\r\n");
  RegisterEmEditorClass(emeditor + "\\emeditor.dll");
  Value(HKEY_CURRENT_USER, "Software\\EmSoft\\EmEditor v3\\Recent Folder List", "Folder0", "C:\\log");
}

void SeedPlayers(const std::string& roaming, const std::string& local, const std::string& common) {
  Value(HKEY_CURRENT_USER, "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList", "File0", "C:\\users\\Public\\Music\\song.mp3");
  Value(HKEY_CURRENT_USER, "Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\MostRecentClips1", "", "C:\\clip.rm");
  Value(HKEY_CURRENT_USER, "Software\\KMPlayer\\LastViewFile", "0", "C:\\movie.mkv");
  Value(HKEY_CURRENT_USER, "Software\\Gabest\\Media Player Classic\\Recent File List", "File1", "C:\\show.avi");
  const std::string storm = std::string(kProgramFiles) + "Storm";
  Dirs(storm);
  File(storm + "\\Storm.exe", "MZ");
  File(storm + "\\playlist.smpl", "C:\\show.avi\r\n");
  Value(HKEY_CURRENT_USER, "Software\\Storm", "exepath", storm + "\\Storm.exe");
  const std::string history = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<config><skin name=\"default\"/>"
                              "<localplayhist><item path=\"C:\\show.avi\" pos=\"120\"/></localplayhist></config>\r\n";
  // The shared history on 64-bit Windows, and where 32-bit Windows puts it instead.
  Dirs(common + "\\Storm");
  File(common + "\\Storm\\config.xml", history);
  Dirs(local + "\\VirtualStore\\ProgramData\\Storm");
  File(local + "\\VirtualStore\\ProgramData\\Storm\\config.xml", history);
  const std::string kugoo = std::string(kProgramFiles) + "KuGoo";
  Dirs(kugoo);
  File(kugoo + "\\KuGoo.exe", "MZ");
  Value(HKEY_CURRENT_USER, "Software\\KuGoo6", "AppFilename", kugoo + "\\KuGoo.exe");
  Database(kugoo + "\\KGLibrary.db", "CREATE TABLE PlayLists (id INTEGER PRIMARY KEY, name TEXT);"
                                     "CREATE TABLE PlayListItems (id INTEGER PRIMARY KEY, list INTEGER, path TEXT);"
                                     "INSERT INTO PlayLists (name) VALUES ('Default');"
                                     "INSERT INTO PlayListItems (list, path) VALUES (1, 'C:\\song.mp3');");
  File(kugoo + "\\kugoo.xml", "<?xml version=\"1.0\"?>\r\n<Kugoo><General SearchHistory=\"jay chou|sunny day\" Volume=\"60\"/></Kugoo>\r\n");
  Dirs(roaming + "\\Tencent\\QQPlayer");
  File(roaming + "\\Tencent\\QQPlayer\\default.qpl",
       "<?xml version=\"1.0\"?>\r\n<playlist><index current=\"0\"/><item file=\"C:\\movie.mkv\"/></playlist>\r\n");
  const std::string xmp = common + "\\Thunder Network\\XMP";
  Dirs(xmp);
  File(xmp + "\\default.xpl", "<?xml version=\"1.0\"?>\r\n<playlist><item url=\"C:\\trailer.rmvb\"/></playlist>\r\n");
  File(xmp + "\\XmpPlaylists.xml", "<?xml version=\"1.0\"?>\r\n<lists><list name=\"Default\" path=\"" + xmp + "\\default.xpl\"/></lists>\r\n");
  const std::string qqlive = roaming + "\\Tencent\\QQLive\\" + kQQLiveUser + "\\xml";
  Dirs(qqlive);
  File(qqlive + "\\history.xml", "<history><video id=\"1\"/></history>");
}

}  // namespace

void SeedApplications() {
  const std::string roaming = SpecialFolder(CSIDL_APPDATA), local = SpecialFolder(CSIDL_LOCAL_APPDATA);
  SeedOfficeAndTools(roaming, local);
  SeedPlayers(roaming, local, SpecialFolder(CSIDL_COMMON_APPDATA));
}

void RemoveApplications() {
  const std::string roaming = SpecialFolder(CSIDL_APPDATA), local = SpecialFolder(CSIDL_LOCAL_APPDATA);
  const std::string common = SpecialFolder(CSIDL_COMMON_APPDATA), programs = kProgramFiles;
  for (const std::string& folder :
       {roaming + "\\EditPlus 3", local + "\\Adobe\\Acrobat\\9.0\\Cache\\Search90", roaming + "\\IDMComp\\UltraEdit",
        programs + "EmEditor", programs + "Storm", programs + "KuGoo", common + "\\Storm",
        local + "\\VirtualStore\\ProgramData\\Storm", roaming + "\\Tencent\\QQPlayer", common + "\\Thunder Network\\XMP",
        roaming + "\\Tencent\\QQLive\\" + kQQLiveUser})
    RemoveFolder(folder);
  for (const char* key : kUserKeys) SHDeleteKeyA(HKEY_CURRENT_USER, key);
  RemoveEmEditorClass();
}
