// The one file delete of the program: the clean's file findings and the emptying of a
// folder go through it.
#pragma once
#include <string>

#include "system/RemoveOutcome.h"

// Deletes one file; when that fails on a read-only file, clears the read-only mark and
// tries again (a file that still cannot go gets its mark back).
// Removed; AlreadyGone when the file or its folder is not there; Failed with the Win32
// code of the last attempt otherwise.
TRemoveOutcome DeleteOneFile(const std::string& path);

// The error of a file refused because a folder on its way is no longer a plain folder.
const unsigned long kErrorFolderNowLink = 1920;  // ERROR_CANT_ACCESS_FILE

// Whether base and every folder below it on the way to path are still plain folders: a
// folder swapped for a junction since the scan would lead a delete elsewhere. A base that
// path does not lie below stands for path's own folder. Gone when one of them is not there;
// Link for a link, a file in a folder's place, or a path that names no drive.
enum class TFolderWay { Plain, Gone, Link };
TFolderWay CheckFolderWay(const std::string& base, const std::string& path);

// DeleteOneFile for a file a walk from base reported, refused (Failed, kErrorFolderNowLink)
// when the folders on its way no longer check out. Where the system can name the file a
// handle is open on (Vista and later), the file is opened first, its final path compared
// with the confirmed one, and it is deleted through that handle, so no swap after the
// check can redirect it; Windows 2000 and XP delete by path right after the check.
TRemoveOutcome DeleteFileBelow(const std::string& base, const std::string& path);
