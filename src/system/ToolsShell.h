// Questions answered by the shell: special folders, long paths, shortcut targets.
#pragma once
#include <string>

// Not a CSIDL: the "LocalLow" folder of Vista and later.
constexpr int kSpecialFolderLocalLow = 0x801C;

// The path of a special folder (CSIDL value or kSpecialFolderLocalLow); empty when the
// shell does not know it. The owner window is the process context's desktop window.
std::string GetSpecialFolder(int id);
std::string GetSpecialFolder(int id, void* ownerWindow);

// The full long path of a (possibly relative or short) path as the shell namespace
// resolves it; empty when it cannot.
std::string GetShellLongPath(const std::string& path);

// Text ResolveShortcut gives for a shortcut without a usable file target.
constexpr const char kNoShortcutTarget[] = "orv";

// The target path of a ".lnk" file; "orv" when the target is shorter than 4 characters
// (empty, "C:\", a shell object), when the file cannot be read and when the shell link
// object cannot be created.
std::string ResolveShortcut(const std::string& path);
