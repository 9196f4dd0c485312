// A saved selection for the black-box tests: the settings file beside the program copy
// with every group and item unchecked but those the test names.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "items/ItemCatalogue.h"
#include "junk/SysSweeperWrapper.h"

// checked(group caption, item caption) tells which items stay checked, the junk engine's
// categories included (group "垃圾文件清理"); groups are saved unchecked (the tree takes
// their state from their items).
inline void SaveSelection(const std::string& settings,
                          const std::function<bool(const std::string&, const std::string&)>& checked) {
  DeleteFileA(settings.c_str());
  auto write = [&](const std::string& caption, bool on) {
    WritePrivateProfileStringA("TraceScanOption", caption.c_str(), on ? "1" : "0", settings.c_str());
  };
  for (const TCatalogueGroup& group : ItemCatalogue()) {
    write(group.Caption, false);
    for (const TCatalogueItem& item : group.Items) write(item.Caption, checked(group.Caption, item.Caption));
  }
  write(kJunkGroupCaption, false);
  TCleanWrapper engine;
  for (TRubbishItem c = engine.GetFirstCategory(); c != 0 && c != static_cast<TRubbishItem>(-1);
       c = engine.GetNextItem(c))
    write(engine.GetItemName(c), checked(kJunkGroupCaption, engine.GetItemName(c)));
}
