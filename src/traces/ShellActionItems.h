// The shell items whose clean is more than the removal of their findings: the recycle
// bin and the clipboard (emptied as a whole), the extension history (its keys go again
// after the class-information category was cleaned) and the notification-area icons
// (they go for good once Explorer restarts).
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "items/ItemHandlers.h"

// The platform calls of these items' clean; tests give recording fakes.
struct TShellCleanCalls {
  std::function<bool(HWND owner)> EmptyRecycleBin;
  std::function<bool(HWND owner)> EmptyClipboard;
  std::function<void(const std::vector<std::string>& checkedKeys)> DeleteFileExtHistory;
  // The system's own.
  static TShellCleanCalls System();
};

// What the recycle-bin item's scan found, for its clean; forgotten when a scan starts and
// when the item is left out of a clean.
struct TRecycleBinScan {
  int32_t Count = 0;
  int64_t Size = 0;
};

TItemHandler RecycleBinHandler(std::shared_ptr<TRecycleBinScan> bin, std::function<bool(HWND)> empty);
TItemHandler ClipboardHandler(std::function<bool(HWND)> empty);
TItemHandler FileExtHistoryHandler(std::function<void(const std::vector<std::string>&)> deleteKeys);
TItemHandler TrayIconsHandler();
// The rule of the notification-area icons: a removed "IconStreams" or "PastIconsStream" of
// a TrayNotify key takes full effect once Explorer restarts; marks those outcomes.
void MarkExplorerRestart(TRemoval& removal);
