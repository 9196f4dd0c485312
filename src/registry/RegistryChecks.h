// The checks of the fifteen registry categories. Each runs in one registry view (the run
// says which), adds one finding per invalid entry through the run and never shows a
// message: keys that do not open count as absent, values that cannot be read as text read
// as empty unless a check says otherwise, and a target whose absence cannot be decided
// counts as present (system/TargetPresence.h).
#pragma once
#include <string>
#include <vector>

#include "registry/RegistryRun.h"

// Shared libraries, installer folders, help files, the Start menu's order cache.
void CheckSharedDlls(TRegistryRun& run);
void CheckInstallerFolders(TRegistryRun& run);
void CheckHelpFiles(TRegistryRun& run);
void CheckStartMenuOrder(TRegistryRun& run);

// Empty vendor keys and stale "ARPCache" entries; uninstall entries and their products.
void CheckSoftwareKeys(TRegistryRun& run);
void CheckUninstallers(TRegistryRun& run);

// Context-menu handlers, file classes, extensions, COM classes and interfaces.
void CheckContextMenuHandlers(TRegistryRun& run);
void CheckShellClasses(TRegistryRun& run);
void CheckFileAssociations(TRegistryRun& run);
void CheckClassInfo(TRegistryRun& run);

// Firewall programs, MUI cache, start-up entries, application paths, fonts.
void CheckFirewallApps(TRegistryRun& run);
void CheckMuiCache(TRegistryRun& run);
void CheckRunEntries(TRegistryRun& run);
void CheckAppPaths(TRegistryRun& run);
void CheckFonts(TRegistryRun& run);

// The Start menu's folder list: appends the sub-folders of folder + relativePath at every
// depth, a top-level folder as its bare name, a deeper one as "\Top\Deeper". A path
// already in the list (any letter case) is neither added again nor entered.
void ListStartMenuFolders(const std::string& folder, const std::string& relativePath,
                          std::vector<std::string>& list);
// The sub-keys of HKEY_CURRENT_USER baseKey + relativePath at every depth (as deep as the
// registry nests keys), in the same form; duplicates kept. Registry links are listed,
// not entered.
void ListMenuOrderKeys(const std::string& baseKey, const std::string& relativePath,
                       std::vector<std::string>& list, bool native, int depth = 0);
