// Browsers built on Internet Explorer's engine that keep histories of their own: Tencent
// Traveler, MyIE2 and Maxthon 1 and 2.
#pragma once
#include <string>

#include "items/ItemHandlers.h"

void ScanTencentTraveler(TItemScan& scan);
// Erases the history sections of TT's configuration file; false when it could not be
// rewritten (it is then left as it was).
bool CleanTencentTravelerConfig();

void ScanMyIE2(TItemScan& scan);
bool CleanMyIE2Config(const std::string& path);
// The group's rewrite of its browsers' settings files, by tag ("ttraveler", "MyIE2");
// false for another tag.
bool RewriteBrowserConfigFinding(const Column4TreeData& finding);

void ScanMaxthon2(TItemScan& scan);
void ScanMaxthon1(TItemScan& scan);

void RegisterIEBrowserHandlers(THandlerTable& table);
