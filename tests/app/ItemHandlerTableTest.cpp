// Every item the cleaning tree offers, on every supported Windows, has its handler in the
// table the drivers dispatch through. An item whose caption was mistyped in a registration
// would otherwise sit in the tree and silently find nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/ItemHandlerTable.h"
#include "helpers/TreeFixtures.h"
#include "items/ItemCatalogue.h"
#include "system/WideText.h"

namespace {

bool Built(const THandlerTable& table, const std::string& caption) {
  const TItemHandler* handler = table.Find(caption);
  return handler && handler->Scan;
}

// The caption in UTF-8, the test log's encoding.
std::string Readable(const std::string& gbk) {
  const std::wstring wide = WideFromGbk(gbk);
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(n > 0 ? n : 0, '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), &utf8[0], n, nullptr, nullptr);
  return utf8;
}


}  // namespace

TEST(ItemHandlerTable, EveryOfferedItemHasItsHandler) {
  THandlerTable table;
  TInvalidFilesSlot invalidFiles;
  RegisterItemHandlers(table, invalidFiles);
  const TCatalogueSystem systems[] = {
      CatalogueSystem(5, 0, "2000"),          CatalogueSystem(5, 1, "XP"),    CatalogueSystem(5, 2, "2003", false, true),
      CatalogueSystem(6, 0, "Vista"),         CatalogueSystem(6, 1, "7"),     CatalogueSystem(6, 1, "7", true),
      CatalogueSystem(6, 1, "2008 R2", true, true), CatalogueSystem(6, 2, "8", true),
  };
  size_t offered = 0;
  for (const TCatalogueSystem& system : systems) {
    for (const TCatalogueGroup& group : ItemCatalogue()) {
      if (!IsShown(group.ShownWhen, system)) continue;
      for (const TCatalogueItem& item : group.Items) {
        if (!IsShown(item.ShownWhen, system)) continue;
        ++offered;
        EXPECT_TRUE(Built(table, item.Caption)) << Readable(item.Caption) << " (Windows " << system.OSName << ") has no handler";
      }
    }
  }
  EXPECT_GT(offered, 100u);
}
