// Showing a registry key, and one of its values, in the Windows registry editor.
#pragma once
#include <windows.h>

#include <string>

// Finds the registry editor's window (restoring it when minimised) or starts the editor
// (the 64-bit one on 64-bit Windows), then types its way through the key tree: left
// arrows to the root, a right arrow into each key, the key names as characters for the
// tree's incremental search; with a value name, the same in the value list. fullPath is
// the root key's name, "\" and the key path. Waits for the editor's input queue after
// each opened key; nothing is reported when a key or value is not there.
void LocateInRegistryEditor(const std::string& fullPath, const std::string& valueName);

// The first window of that class below the editor's window, at any depth (the editor of
// Windows holds its tree and list directly, others in an inner pane); null when none.
HWND FindEditorPart(HWND editor, const char* className);
