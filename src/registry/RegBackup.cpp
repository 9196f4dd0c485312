#include "registry/RegBackup.h"

void BackupBeforeClean(const TTreeModel& tree, const TTreeNode* registryGroup) {
  (void)tree;
  (void)registryGroup;
}
