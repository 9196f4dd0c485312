// Saving the checked registry findings to a dated .reg file before a clean removes them.
#pragma once

class TTreeModel;
class TTreeNode;

// Called by the clean driver before it removes anything. The registry categories and the
// backup writer come with their own parts of the program; until then there are no
// registry findings to save and this returns at once.
void BackupBeforeClean(const TTreeModel& tree, const TTreeNode* registryGroup);
