#include "app/ItemSelection.h"

#include "app/Settings.h"

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
