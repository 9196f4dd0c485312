// Media players that keep their history inside their own files: Storm's local play
// history (XML), Kugoo's search lists (INI, XML) and library (SQLite), QQPlayer's and the
// Thunder player's playlists (XML). Their findings are rewritten, not deleted.
#pragma once
#include <string>

#include "items/Column4TreeData.h"
#include "items/ItemHandlers.h"

void ScanStorm(TItemScan& scan);
void ScanKugoo2007(TItemScan& scan);
void ScanKugoo2010(TItemScan& scan);
// One table of Kugoo's library beside appFile, when it has rows.
void ScanKugooTable(TItemScan& scan, const std::string& appFile, const std::string& table);
void ScanQQPlayer(TItemScan& scan);
// The playlist that the index file in base names listName, when it holds entries.
void ScanXmpPlaylist(TItemScan& scan, const std::string& base, const std::string& listName);

// The rewrites of their findings (Path the file). A file that is gone holds nothing any
// more (true); a file that cannot be loaded or saved is left as it was (false).
bool CleanStormHistory(const Column4TreeData& finding);
bool CleanKugoo2007Search(const Column4TreeData& finding);
bool CleanKugoo2010Search(const Column4TreeData& finding);
// QQPlayer's and the Thunder player's playlists: every entry of the list goes.
bool CleanPlaylist(const Column4TreeData& finding);
// The group's rewrite of its players' files, by tag ("Storm", "qqplayer", "xmp",
// "kugoo2007", "kugoo2010"); false for another tag.
bool RewritePlayerFinding(const Column4TreeData& finding);

void RegisterPlaylistHandlers(THandlerTable& table);
