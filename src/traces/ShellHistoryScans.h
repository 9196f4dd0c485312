// The Windows shell histories that need no shared list scan: program-start counters,
// notification-area icon streams, search-assistant lists, the recycle bin, the clipboard.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "items/ItemHandlers.h"

// The two program-start counter keys, scanned in this order.
extern const char* const kUserAssistKeys[2];

void ScanUserAssistKey(const std::string& key, TItemScan& scan);

// "IconStreams" and "PastIconsStream" of the TrayNotify key of this Windows version.
void ScanTrayIconStreams(int majorVersion, TItemScan& scan);

// How a search-assistant finding is captioned: with its key ("查找计算机") or the text alone.
enum class TSearchCaption { WithKey, TextOnly };
// One finding per named string value of the list; true when the item's scan ends here: the
// user asked to stop, or a value could not be read (a list that is not there is no error).
bool ScanSearchAssistantKey(const std::string& key, TSearchCaption caption, TItemScan& scan);

// The recycle bin's item count and size; one finding "回收站中的数据" when it holds anything.
void QueryRecycleBin(int majorVersion, int minorVersion, TItemScan& scan, int32_t& count, int64_t& size);
// Empties the recycle bin of all drives, without asking; false when shell32 lacks the call
// or the shell refused.
bool EmptyRecycleBin(HWND owner);

bool IsClipboardEmpty();
// Empties the clipboard for owner; false when it could not be opened or emptied.
bool ClearClipboard(HWND owner);
// One finding "剪贴板内容" when the clipboard holds data.
void ScanClipboard(TItemScan& scan);
