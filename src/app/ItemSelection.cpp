#include "app/ItemSelection.h"

#include "app/Settings.h"
#include "items/TreeModel.h"

namespace {
const char kSection[] = "TraceScanOption";
}  // namespace

bool ReadItemChecked(const std::string& caption, bool recommended) {
  return TSettingsFile::Program().ReadBool(kSection, caption, recommended);
}

void WriteItemChecked(const std::string& caption, bool checked) {
  TSettingsFile::Program().WriteBool(kSection, caption, checked);
}

void WriteIETraceCleanMode() { TSettingsFile::Program().WriteInteger(kSection, "IETraceCleanMode", 0); }

void DeleteOldIECacheKeys() {
  static const char* const kOldKeys[] = {"全部IE缓存", "IE缓存(不包括IE Cookie)",
                                         "IE缓存(不包括IE Cookie和IE历史记录)"};
  TSettingsFile file = TSettingsFile::Program();
  for (const char* key : kOldKeys) file.DeleteKey(kSection, key);
}

void SaveItemSelection(const TTreeModel& tree) {
  if (!tree.GetFirst()) return;
  DeleteOldIECacheKeys();
  for (TTreeNode* group = tree.GetFirst(); group; group = group->NextSibling()) {
    // A mixed group is saved as 0; its items decide its state on the next start.
    WriteItemChecked(group->Data.Kind, IsChecked(group->CheckState()));
    WriteIETraceCleanMode();
    // A mixed item (some findings unticked) stays selected.
    for (TTreeNode* item = group->FirstChild(); item; item = item->NextSibling())
      WriteItemChecked(item->Data.Kind, IsCheckedOrMixed(item->CheckState()));
  }
}
