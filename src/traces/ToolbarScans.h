// The search histories of the Google, Soso (QQ), Baidu and Windows Live toolbars and of
// Thunder's search box: registry values and small files under the current user.
#pragma once
#include <string>

#include "items/ItemHandlers.h"

void ScanGoogleToolbar(TItemScan& scan);
void ScanQQToolbarKey(TItemScan& scan, const std::string& key);
void ScanBaiduToolbarKey(TItemScan& scan, const std::string& key);
void ScanLiveSearchBox(TItemScan& scan);
void ScanThunderSearch(TItemScan& scan);

void RegisterToolbarHandlers(THandlerTable& table);
