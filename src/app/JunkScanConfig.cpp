#include "app/JunkScanConfig.h"

#include "app/Settings.h"

void WriteShow2Days(bool show2Days) { TSettingsFile::Program().WriteBool("config", "show2days", show2Days); }
