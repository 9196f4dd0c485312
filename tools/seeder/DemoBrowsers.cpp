#include "DemoBrowsers.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "BrowserSchemas.h"
#include "SeedWriters.h"

using namespace seed;

namespace {

void SeedFirefox(const std::string& roaming, const std::string& local) {
  Value(HKEY_LOCAL_MACHINE, "SOFTWARE\\Mozilla\\Mozilla Firefox", "CurrentVersion", "3.6 (zh-CN)");
  const std::string profile = roaming + "\\Mozilla\\Firefox\\Profiles\\demo1234.default";
  Dirs(profile);
  Database(profile + "\\places.sqlite",
           std::string(browserschema::kPlaces) +
               "INSERT INTO moz_places (id, url, title) VALUES (1, 'http://news.example.com/', 'News'),"
               " (2, 'http://shop.example.com/', 'Shop');"
               "INSERT INTO moz_historyvisits (place_id, visit_date) VALUES (1, 1260000000000000), (2, 1260000001000000);"
               "INSERT INTO moz_bookmarks (type, fk, parent, title) VALUES (1, 1, 2, 'News');");
  Database(profile + "\\formhistory.sqlite",
           std::string(browserschema::kFormHistory) + "INSERT INTO moz_formhistory (fieldname, value) VALUES ('q', 'weather');");
  Database(profile + "\\signons.sqlite",
           std::string(browserschema::kSignons) +
               "INSERT INTO moz_logins (hostname, usernameField, passwordField, encryptedUsername, encryptedPassword)"
               " VALUES ('http://mail.example.com', 'user', 'pass', 'MDIEEPgAAAAA', 'MDIEEPgAAAAB');");
  const std::string cache = local + "\\Mozilla\\Firefox\\Profiles\\demo1234.default\\Cache";
  Dirs(cache);
  File(cache + "\\0A1B2C3D01", std::string(2048, 'c'));
  File(cache + "\\_CACHE_MAP_", std::string(1024, 'm'));
}

void SeedChrome(const std::string& local) {
  const std::string profile = local + "\\Google\\Chrome\\User Data\\Default";
  Dirs(profile + "\\Cache");
  Database(profile + "\\History",
           std::string(browserschema::kChromeHistory) +
               "INSERT INTO urls (url, title, last_visit_time) VALUES ('http://video.example.com/', 'Video', 1);"
               "INSERT INTO visits (url, visit_time) VALUES (1, 1);"
               "INSERT INTO downloads (full_path, url, start_time, received_bytes, total_bytes, state)"
               " VALUES ('C:\\\\setup.exe', 'http://dl.example.com/setup.exe', 1, 10, 10, 1);");
  Database(profile + "\\Web Data", std::string(browserschema::kWebData) +
                                       "INSERT INTO autofill (name, value, value_lower) VALUES ('q', 'Maps', 'maps');"
                                       "INSERT INTO autofill_dates VALUES (1, 1);");
  File(profile + "\\History Index 2009-12", std::string(4096, 'h'));
  File(profile + "\\Visited Links", std::string(1024, 'v'));
  File(profile + "\\Cache\\data_0", std::string(8192, 'd'));
}

void SeedOpera(const std::string& roaming, const std::string& local) {
  const std::string install = "C:\\Program Files\\Opera";
  Dirs(install);
  File(install + "\\opera.exe", "MZ");
  Value(HKEY_CURRENT_USER, "SOFTWARE\\Opera SoftWare", "Last Directory", install);
  const std::string profile = roaming + "\\Opera\\Opera";
  Dirs(profile + "\\sessions");
  File(profile + "\\global_history.dat", "Example\nhttp://forum.example.com/\n1260000000\n-1\n");
  File(profile + "\\typed_history.xml", "<?xml version=\"1.0\"?><typed_history><typed_history_item content=\"forum.example.com\"/></typed_history>\n");
  File(profile + "\\sessions\\autosave.win", "Opera Preferences version 2.1\r\n\r\n[session]\r\nversion=7000\r\nwindow count=2\r\n"
                                             "[1]\r\ntype=0\r\n[1history url]\r\ncount=1\r\n1=opera:speeddial\r\n"
                                             "[2]\r\ntype=0\r\n[2history url]\r\ncount=1\r\n1=http://forum.example.com/\r\n");
  Dirs(local + "\\Opera\\Opera\\cache4");
  File(local + "\\Opera\\Opera\\cache4\\opr00001.tmp", std::string(3000, 'o'));
}

void SeedToolbarsAndIE(const std::string& roaming) {
  Value(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\TypedURLs", "url1", "http://www.example.com/");
  Value(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\TypedURLs", "url2", "http://bank.example.com/");
  Value(HKEY_CURRENT_USER, "Software\\baidu\\BaiduToolbar\\History", "0", "天气预报");
  Number("Software\\baidu\\BaiduToolbar\\History", "Count", 1);
  Value(HKEY_CURRENT_USER, "Software\\Tencent\\QQToolbar\\History", "History1", "火车票");
  Number("Software\\Tencent\\QQToolbar\\History", "Count", 1);
  Value(HKEY_CURRENT_USER, "Software\\Microsoft\\MSN Apps\\SearchBox", "History", "maps");
  Dirs(roaming + "\\Google\\Local Search History");
  File(roaming + "\\Google\\Local Search History\\google.web.w", "weather\nnews\n");
  const std::string thunder = SpecialFolder(CSIDL_COMMON_APPDATA) + "\\Thunder Network\\ThunderGougouSearch";
  Dirs(thunder);
  File(thunder + "\\SearchHistory.xml", "<?xml version=\"1.0\"?><history><item key=\"movie\"/></history>\n");
  const std::string tt = roaming + "\\Tencent\\TencentTraveler\\100";
  Dirs(tt);
  Database(tt + "\\navinfo.db", "CREATE TABLE histable (url TEXT, title TEXT, visittime INTEGER);"
                                "INSERT INTO histable VALUES ('http://qq.example.com/', 'QQ', 1);");
  File(tt + "\\TtConf.dat", "[Main]\r\nskin=default\r\n[strNameSpace_Mbrowser]\r\nlast=http://qq.example.com/\r\n");
  const std::string maxthon = roaming + "\\Maxthon2";
  Value(HKEY_CURRENT_USER, "Software\\Maxthon2", "Folder", maxthon);
  Dirs(maxthon + "\\SharedAccount\\Data");
  File(maxthon + "\\SharedAccount\\Data\\history2.dat", std::string(600, 'x'));
}

}  // namespace

void RemoveBrowsers() {
  const std::string roaming = SpecialFolder(CSIDL_APPDATA), local = SpecialFolder(CSIDL_LOCAL_APPDATA);
  for (const std::string& folder :
       {roaming + "\\Mozilla\\Firefox\\Profiles\\demo1234.default", local + "\\Mozilla\\Firefox\\Profiles\\demo1234.default",
        local + "\\Google\\Chrome\\User Data\\Default", roaming + "\\Opera\\Opera", local + "\\Opera\\Opera",
        std::string("C:\\Program Files\\Opera"), roaming + "\\Google\\Local Search History",
        SpecialFolder(CSIDL_COMMON_APPDATA) + "\\Thunder Network\\ThunderGougouSearch",
        roaming + "\\Tencent\\TencentTraveler\\100", roaming + "\\Maxthon2"}) {
    RemoveFolder(folder);
  }
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Mozilla\\Mozilla Firefox");
  for (const char* key : {"SOFTWARE\\Opera SoftWare", "Software\\baidu\\BaiduToolbar\\History",
                          "Software\\Tencent\\QQToolbar\\History", "Software\\Microsoft\\MSN Apps\\SearchBox",
                          "Software\\Maxthon2"})
    RegDeleteKeyA(HKEY_CURRENT_USER, key);
  HKEY typed = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\TypedURLs", 0, KEY_SET_VALUE, &typed) ==
      ERROR_SUCCESS) {
    RegDeleteValueA(typed, "url1");
    RegDeleteValueA(typed, "url2");
    RegCloseKey(typed);
  }
}

void SeedBrowsers() {
  const std::string roaming = SpecialFolder(CSIDL_APPDATA), local = SpecialFolder(CSIDL_LOCAL_APPDATA);
  SeedFirefox(roaming, local);
  SeedChrome(local);
  SeedOpera(roaming, local);
  SeedToolbarsAndIE(roaming);
}
