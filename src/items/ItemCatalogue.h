// The catalogue of cleaning groups and items, in tree order, with the systems on which
// each is offered. The tree builder turns it into nodes; captions are item identities
// (settings keys, special-item recognition), so they are the program's texts verbatim.
#pragma once
#include <string>
#include <vector>

// The facts about the running Windows that decide which items exist.
struct TCatalogueSystem {
  int MajorVersion = 0;
  int MinorVersion = 0;
  std::string OSName;
  bool IsWow64 = false;
  bool IsServer = false;
};

enum class TShownWhen {
  Always,
  Not64Bit,          // IsWow64 false
  Windows7,          // major above 5, minor 1
  NotificationArea,  // major above 4 and not Windows 2000
  NTFamily5,         // major above 4
  NotServer,         // IsServer false
};

struct TCatalogueItem {
  const char* Caption;
  bool Recommended;  // "推荐", else "可选"
  int ImageIndex;
  TShownWhen ShownWhen;
};

struct TCatalogueGroup {
  const char* Caption;
  int ImageIndex;
  TShownWhen ShownWhen;
  std::vector<TCatalogueItem> Items;
};

// Groups G1 to G5 (the junk group comes from the engine).
const std::vector<TCatalogueGroup>& ItemCatalogue();

bool IsShown(TShownWhen when, const TCatalogueSystem& system);

extern const char kRecommendedWord[];  // "推荐"
extern const char kOptionalWord[];     // "可选"
extern const char kJunkGroupCaption[];  // "垃圾文件清理"
extern const char kRegistryGroupCaption[];  // "注册表"

// Item captions that other code names: an item's caption is its identity (settings key,
// handler key), so it is written once, beside its catalogue row.
extern const char kItemIEHistory[];
extern const char kItemEventLogs[];  // "Windows系统日志"
extern const char kItemChrome[];
extern const char kItemFirefox[];
extern const char kItemFirefoxForms[];
extern const char kItemFirefoxPasswords[];
extern const char kItemChromeForms[];
extern const char kItemChromePasswords[];
extern const char kItemIETypedUrls[];
extern const char kItemTencentTraveler[];
extern const char kItemMyIE2[];
extern const char kItemMaxthon[];
extern const char kItemOperaCaches[];
extern const char kItemOperaHistory[];
extern const char kItemGoogleToolbar[];
extern const char kItemQQToolbar[];
extern const char kItemBaiduToolbar[];
extern const char kItemLiveSearchBox[];
extern const char kItemThunderSearch[];
extern const char kItemIEForms[];
extern const char kItemIEPasswords[];
extern const char kItemBrokenShortcuts[];
extern const char kItemRunMru[];
extern const char kItemRecentPrograms[];
extern const char kItemOpenSaveHistory[];
extern const char kItemWindowPositions[];
extern const char kItemFindComputer[];
extern const char kItemRecentDocuments[];
extern const char kItemJumpLists[];
extern const char kItemFileExtHistory[];
extern const char kItemUserAssist[];
extern const char kItemTrayIcons[];
extern const char kItemRecycleBin[];
extern const char kItemWindowsSearch[];
extern const char kItemNetworkDrives[];
extern const char kItemClipboard[];
extern const char kItemPaint[];
extern const char kItemWordPad[];
extern const char kItemSharedDlls[];
extern const char kItemSoftware[];
extern const char kItemInstallers[];
extern const char kItemUninstallers[];
extern const char kItemHelpFiles[];
extern const char kItemStartMenu[];
extern const char kItemContextMenu[];
extern const char kItemActiveX[];
extern const char kItemFileAssociations[];
extern const char kItemClassInfo[];
extern const char kItemFirewall[];
extern const char kItemMuiCache[];
extern const char kItemRunEntries[];
extern const char kItemAppPaths[];
extern const char kItemFonts[];
const int kJunkGroupImage = 46;
