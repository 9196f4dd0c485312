// Media players whose traces are registry lists and files: Windows Media Player,
// RealPlayer, KMPlayer, Media Player Classic and QQLive.
#pragma once
#include <string>
#include <vector>

#include "items/ItemHandlers.h"

// The preference sub-keys (names given) whose name contains preference, as whole keys.
void ScanRealPlayerKeys(TItemScan& registry, const std::vector<std::string>& subKeys, const std::string& preference);
// The four preference lists into registry; the history folders and two files into files.
void ScanRealPlayer(TItemScan& registry, TItemScan& files);
void ScanKMPlayer(TItemScan& scan);
void ScanMediaPlayerClassic(TItemScan& scan);
void ScanQQLive(TItemScan& scan);

void RegisterPlayerHandlers(THandlerTable& table);
