// Listing and emptying folders for the scanners and the clean driver.
#pragma once
#include <string>
#include <vector>

// Replaces list with the plain sub-folders of folder ("folder\name", no trailing
// backslash): only those whose attributes are exactly "directory" or "directory, not
// content indexed", so hidden, system, read-only, compressed folders and links are left
// out. An empty folder text gives an empty list.
void ListSubDirs(const std::string& folder, std::vector<std::string>& list);

// Appends every sub-folder at every depth whose name does not begin with "."; a folder's
// direct sub-folders come together, before any of their own. Junctions, symbolic links
// and other reparse points are neither listed nor entered: profiles hold junctions that
// loop back or lead out of the scanned tree.
void ListSubDirsRecursive(const std::string& folder, std::vector<std::string>& list);

// Deletes every file directly in the folder, read-only ones included; sub-folders and
// files that cannot be deleted are left alone.
void DeleteFilesInDir(const std::string& folder);
