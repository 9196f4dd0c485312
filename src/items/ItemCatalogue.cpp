#include "items/ItemCatalogue.h"

const char kRecommendedWord[] = "推荐";
const char kOptionalWord[] = "可选";
const char kJunkGroupCaption[] = "垃圾文件清理";
const char kRegistryGroupCaption[] = "注册表";

// The captions other code names (handler registrations, the drivers), each written once.
const char kItemIEHistory[] = "Internet Explorer/腾讯TT浏览器 历史记录";
const char kItemEventLogs[] = "Windows系统日志";
const char kItemChrome[] = "谷歌 Chrome 清理";
const char kItemFirefox[] = "FireFox 清理";
const char kItemFirefoxForms[] = "FireFox 自动保存的表单和搜索历史";
const char kItemFirefoxPasswords[] = "FireFox 自动保存的密码";
const char kItemChromeForms[] = "Google Chrome 自动保存的表单";
const char kItemChromePasswords[] = "Google Chrome 自动保存的密码";
const char kItemBrokenShortcuts[] = "桌面和菜单中无效的快捷方式";
const char kItemIETypedUrls[] = "Internet Explorer 地址栏网址历史";
const char kItemTencentTraveler[] = "腾讯TT浏览器清理";
const char kItemMyIE2[] = "MyIE2浏览器";
const char kItemMaxthon[] = "傲游(Maxthon)浏览器";
const char kItemOperaCaches[] = "Opera 清理";
const char kItemOperaHistory[] = "Opera 地址栏网址历史";
const char kItemGoogleToolbar[] = "谷歌工具栏搜索记录";
const char kItemQQToolbar[] = "搜搜工具条搜索记录";
const char kItemBaiduToolbar[] = "百度工具条搜索记录";
const char kItemLiveSearchBox[] = "Windows Live工具条搜索记录";
const char kItemThunderSearch[] = "迅雷搜索历史记录";
const char kItemIEForms[] = "Internet Explorer 自动保存的表单(清理时有效)";
const char kItemIEPasswords[] = "Internet Explorer 自动保存的密码(清理时有效)";
const char kItemRunMru[] = "运行(开始菜单中，重启后生效)";
const char kItemRecentPrograms[] = "最近运行的程序历史记录";
const char kItemOpenSaveHistory[] = "文件打开与保存历史记录";
const char kItemWindowPositions[] = "窗口位置与大小历史记录";
const char kItemFindComputer[] = "查找计算机";
const char kItemRecentDocuments[] = "最近打开的文件";
const char kItemJumpLists[] = "Windows 7 跳转列表（用户锁定项目也会删除，请慎用）";
const char kItemFileExtHistory[] = "文件扩展名历史记录";
const char kItemUserAssist[] = "最近打开的程序历史记录";
const char kItemTrayIcons[] = "通知区域图标历史记录(重启后生效)";
const char kItemRecycleBin[] = "清空回收站";
const char kItemWindowsSearch[] = "Windows搜索历史";
const char kItemNetworkDrives[] = "网络驱动器映射历史";
const char kItemClipboard[] = "剪贴板内容";
const char kItemPaint[] = "Windows画图";
const char kItemWordPad[] = "Windows写字板";
const char kItemSharedDlls[] = "冗余动态链接库";
const char kItemSoftware[] = "无效的软件";
const char kItemInstallers[] = "无效的安装程序";
const char kItemUninstallers[] = "无效的反安装程序";
const char kItemHelpFiles[] = "无效的帮助";
const char kItemStartMenu[] = "无效的开始菜单";
const char kItemContextMenu[] = "无效的右键菜单";
const char kItemActiveX[] = "错误的ActiveX信息";
const char kItemFileAssociations[] = "错误的文件关联";
const char kItemClassInfo[] = "错误的类信息";
const char kItemFirewall[] = "无效的Windows防火墙设置";
const char kItemMuiCache[] = "无效的MUI缓存";
const char kItemRunEntries[] = "无效的启动项目";
const char kItemAppPaths[] = "无效的应用程序路径";
const char kItemFonts[] = "无效的字体";

namespace {
const bool R = true;   // 推荐
const bool O = false;  // 可选
const TShownWhen A = TShownWhen::Always;
}  // namespace

const std::vector<TCatalogueGroup>& ItemCatalogue() {
  static const std::vector<TCatalogueGroup> kGroups = {
      {"上网历史痕迹", 39, A, {
           {kItemIEHistory, R, 9, A},
           {kItemIETypedUrls, O, 9, A},
           {kItemFirefox, R, 35, A},
           {kItemOperaCaches, R, 37, A},
           {kItemOperaHistory, R, 37, A},
           {kItemChrome, R, 38, A},
           {kItemTencentTraveler, R, 68, A},
           {kItemGoogleToolbar, R, 69, A},
           {kItemQQToolbar, R, 70, A},
           {kItemBaiduToolbar, R, 71, A},
           {kItemLiveSearchBox, R, 73, A},
       }},
      {"保存的网页表单和密码", 39, A, {
           {kItemIEForms, O, 9, A},
           {kItemIEPasswords, O, 9, A},
           {kItemFirefoxForms, O, 35, A},
           {kItemFirefoxPasswords, O, 35, A},
           {kItemChromeForms, O, 38, A},
           {kItemChromePasswords, O, 38, A},
       }},
      {"系统历史痕迹和临时文件", 0, A, {
           {kItemBrokenShortcuts, R, 48, TShownWhen::Not64Bit},
           {kItemRunMru, R, 1, A},
           {kItemRecentPrograms, R, 2, A},
           {kItemOpenSaveHistory, R, 3, A},
           {kItemWindowPositions, R, 4, A},
           {kItemFindComputer, R, 5, A},
           {kItemRecentDocuments, R, 6, A},
           {kItemJumpLists, R, 6, TShownWhen::Windows7},
           {kItemFileExtHistory, R, 7, A},
           {kItemUserAssist, R, 2, A},
           {kItemTrayIcons, O, 8, TShownWhen::NotificationArea},
           {kItemEventLogs, R, 27, TShownWhen::NTFamily5},
           {kItemRecycleBin, R, 46, A},
           {kItemWindowsSearch, R, 62, A},
           {kItemNetworkDrives, R, 63, A},
           {kItemClipboard, R, 64, A},
       }},
      {"应用程序历史记录", 11, A, {
           {kItemPaint, R, 12, A},
           {kItemWordPad, R, 13, A},
           {"Windows Defender", R, 52, A},
           {"UltraEdit编辑软件", R, 25, A},
           {"EditPlus编辑软件", R, 24, A},
           {"Windows媒体播放器", R, 14, A},
           {"RealPlayer/RealOne播放器", R, 22, A},
           {"暴风影音", R, 30, A},
           {"WPS文字历史记录", R, 65, A},
           {"WPS表格历史记录", R, 66, A},
           {"WPS演示历史记录", R, 67, A},
           {"微软 Office", R, 51, A},
           {"微软 Word", R, 21, A},
           {"微软 FrontPage", R, 15, A},
           {"微软 PowerPoint", R, 16, A},
           {"微软 Excel", R, 17, A},
           {"WinZip压缩软件", R, 26, A},
           {"WinRAR压缩软件", R, 18, A},
           {kItemMyIE2, R, 29, A},
           {"酷狗", R, 31, A},
           {kItemMaxthon, R, 32, A},
           {"Marvolent漏洞修复留下的补丁", O, 56, A},
           {"KMPlayer播放器", R, 33, A},
           {"Windows Live Messenger", R, 59, A},
           {"微软 Office Picture Manager", R, 58, A},
           {"Acrobat Reader阅读器", R, 50, A},
           {"Symantec AntiVirus", R, 49, A},
           {"QQ影音", R, 72, A},
           {"7ZIP（压缩/解压缩工具）历史记录", R, 75, A},
           {kItemThunderSearch, R, 76, A},
           {"淘宝旺旺登录名信息", R, 77, A},
           {"WinImage打开文件的历史记录", R, 78, A},
           {"HyperSnap打开与保存文件的历史记录", R, 79, A},
           {"Download Accelerator Plus 历史记录", R, 80, A},
           {"GetRight 历史记录", R, 81, A},
           {"EmEditor 历史记录", R, 82, A},
           {"Media Player Classic 历史记录", R, 83, A},
           {"迅雷看看播放器", R, 74, A},
           {"QQLive 历史记录", R, 85, A},
           {"SnagIt 历史记录", R, 86, A},
       }},
      {kRegistryGroupCaption, 19, TShownWhen::NotServer, {
           {kItemSharedDlls, R, 41, A},
           {kItemSoftware, R, 4, A},
           {kItemInstallers, R, 11, A},
           {kItemUninstallers, R, 11, A},
           {kItemHelpFiles, R, 54, A},
           {kItemStartMenu, R, 8, A},
           {kItemContextMenu, R, 8, A},
           {kItemActiveX, R, 55, A},
           {kItemFileAssociations, R, 55, A},
           {kItemClassInfo, R, 55, A},
           {kItemFirewall, R, 60, A},
           {kItemMuiCache, R, 41, A},
           {kItemRunEntries, R, 1, A},
           {kItemAppPaths, R, 3, A},
           {kItemFonts, R, 61, A},
       }},
  };
  return kGroups;
}

bool IsShown(TShownWhen when, const TCatalogueSystem& s) {
  switch (when) {
    case TShownWhen::Always:
      return true;
    case TShownWhen::Not64Bit:
      return !s.IsWow64;
    case TShownWhen::Windows7:
      return s.MajorVersion > 5 && s.MinorVersion == 1;
    case TShownWhen::NotificationArea:
      return s.MajorVersion > 4 && s.OSName != "2000";
    case TShownWhen::NTFamily5:
      return s.MajorVersion > 4;
    case TShownWhen::NotServer:
      return !s.IsServer;
  }
  return false;
}
