#include "items/ItemCatalogue.h"

const char kRecommendedWord[] = "推荐";
const char kOptionalWord[] = "可选";
const char kJunkGroupCaption[] = "垃圾文件清理";

namespace {
const bool R = true;   // 推荐
const bool O = false;  // 可选
const TShownWhen A = TShownWhen::Always;
}  // namespace

const std::vector<TCatalogueGroup>& ItemCatalogue() {
  static const std::vector<TCatalogueGroup> kGroups = {
      {"上网历史痕迹", 39, A, {
           {"Internet Explorer/腾讯TT浏览器 历史记录", R, 9, A},
           {"Internet Explorer 地址栏网址历史", O, 9, A},
           {"FireFox 清理", R, 35, A},
           {"Opera 清理", R, 37, A},
           {"Opera 地址栏网址历史", R, 37, A},
           {"谷歌 Chrome 清理", R, 38, A},
           {"腾讯TT浏览器清理", R, 68, A},
           {"谷歌工具栏搜索记录", R, 69, A},
           {"搜搜工具条搜索记录", R, 70, A},
           {"百度工具条搜索记录", R, 71, A},
           {"Windows Live工具条搜索记录", R, 73, A},
       }},
      {"保存的网页表单和密码", 39, A, {
           {"Internet Explorer 自动保存的表单(清理时有效)", O, 9, A},
           {"Internet Explorer 自动保存的密码(清理时有效)", O, 9, A},
           {"FireFox 自动保存的表单和搜索历史", O, 35, A},
           {"FireFox 自动保存的密码", O, 35, A},
           {"Google Chrome 自动保存的表单", O, 38, A},
           {"Google Chrome 自动保存的密码", O, 38, A},
       }},
      {"系统历史痕迹和临时文件", 0, A, {
           {"桌面和菜单中无效的快捷方式", R, 48, TShownWhen::Not64Bit},
           {"运行(开始菜单中，重启后生效)", R, 1, A},
           {"最近运行的程序历史记录", R, 2, A},
           {"文件打开与保存历史记录", R, 3, A},
           {"窗口位置与大小历史记录", R, 4, A},
           {"查找计算机", R, 5, A},
           {"最近打开的文件", R, 6, A},
           {"Windows 7 跳转列表（用户锁定项目也会删除，请慎用）", R, 6, TShownWhen::Windows7},
           {"文件扩展名历史记录", R, 7, A},
           {"最近打开的程序历史记录", R, 2, A},
           {"通知区域图标历史记录(重启后生效)", O, 8, TShownWhen::NotificationArea},
           {"Windows系统日志", R, 27, TShownWhen::NTFamily5},
           {"清空回收站", R, 46, A},
           {"Windows搜索历史", R, 62, A},
           {"网络驱动器映射历史", R, 63, A},
           {"剪贴板内容", R, 64, A},
       }},
      {"应用程序历史记录", 11, A, {
           {"Windows画图", R, 12, A},
           {"Windows写字板", R, 13, A},
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
           {"MyIE2浏览器", R, 29, A},
           {"酷狗", R, 31, A},
           {"傲游(Maxthon)浏览器", R, 32, A},
           {"Marvolent漏洞修复留下的补丁", O, 56, A},
           {"KMPlayer播放器", R, 33, A},
           {"Windows Live Messenger", R, 59, A},
           {"微软 Office Picture Manager", R, 58, A},
           {"Acrobat Reader阅读器", R, 50, A},
           {"Symantec AntiVirus", R, 49, A},
           {"QQ影音", R, 72, A},
           {"7ZIP（压缩/解压缩工具）历史记录", R, 75, A},
           {"迅雷搜索历史记录", R, 76, A},
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
      {"注册表", 19, TShownWhen::NotServer, {
           {"冗余动态链接库", R, 41, A},
           {"无效的软件", R, 4, A},
           {"无效的安装程序", R, 11, A},
           {"无效的反安装程序", R, 11, A},
           {"无效的帮助", R, 54, A},
           {"无效的开始菜单", R, 8, A},
           {"无效的右键菜单", R, 8, A},
           {"错误的ActiveX信息", R, 55, A},
           {"错误的文件关联", R, 55, A},
           {"错误的类信息", R, 55, A},
           {"无效的Windows防火墙设置", R, 60, A},
           {"无效的MUI缓存", R, 41, A},
           {"无效的启动项目", R, 1, A},
           {"无效的应用程序路径", R, 3, A},
           {"无效的字体", R, 61, A},
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
