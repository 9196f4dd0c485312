// The removers of file and folder findings, shared by every group whose scans report
// files (the junk group's among them).
#pragma once
#include <string>
#include <vector>

#include "items/ItemClean.h"

// Each file goes with its size as it was just before (a locked one is scheduled for the
// next restart, reported to the services, and counts as removed); a file already gone, or
// an empty folder in its place, counts as removed without a size. A file whose way from its
// walk's root (Root; none: its own folder) now passes a link stays and is not cleaned.
void RemoveFileFindings(TRemoval& removal);

// Each folder's files go, then the folder; a folder that is a link goes as itself, the
// files it leads to stay. A folder that is not there is already gone.
void RemoveFolderFindings(TRemoval& removal);

// The file remover for each of fileKinds (kKindFile among them where the group uses it)
// and the folder remover for kKindFolder.
TRemovers FileRemovers(const std::vector<std::string>& fileKinds);
