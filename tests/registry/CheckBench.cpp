#include "registry/CheckBench.h"

#include <gtest/gtest.h>

#include "items/ItemHandlers.h"
#include "items/TreeModel.h"
#include "registry/RegistryCaches.h"
#include "system/FolderValues.h"

TCheckBench::TCheckBench() {
  FillFolderValues(context.Ctx);
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  folder_ = std::string(temp) + Tag() + "-files";
  CreateDirectoryA(folder_.c_str(), nullptr);
}

TCheckBench::~TCheckBench() {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder_ + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string path = folder_ + "\\" + data.cFileName;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveDirectoryA(path.c_str());
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(folder_.c_str());
}

std::string TCheckBench::File(const std::string& name) {
  const std::string path = folder_ + "\\" + name;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return path;
}

std::vector<Column4TreeData> TCheckBench::Run(void (*check)(TRegistryRun&), bool native, const std::string& mark,
                                              bool sameScan) {
  TTreeModel tree;
  TTreeNode* item = tree.AddChild(nullptr, Column4TreeData{"item", "", "", "item", "", 1});
  TItemScan scan;
  scan.Tree = &tree;
  scan.Item = item;
  scan.Totals = nullptr;
  // Each run is a scan of its own: the class lists are read afresh.
  if (!sameScan) ClearRegistryScanLists();
  TRegistryRun run(scan, native);
  check(run);
  std::vector<Column4TreeData> found;
  int children = 0;
  for (TTreeNode* node = item->FirstChild(); node; node = node->NextSibling(), ++children)
    if (node->Data.Caption.find(mark.empty() ? Tag() : mark) != std::string::npos) found.push_back(node->Data);
  EXPECT_EQ(scan.Count, children) << "one count per finding";
  return found;
}

std::vector<Column4TreeData> TCheckBench::RunBoth(void (*check)(TRegistryRun&), const std::string& mark) {
  std::vector<Column4TreeData> found = Run(check, false, mark);
  if (Wow64())
    for (const Column4TreeData& d : Run(check, true, mark)) found.push_back(d);
  return found;
}

std::vector<std::string> Captions(const std::vector<Column4TreeData>& findings) {
  std::vector<std::string> captions;
  for (const Column4TreeData& d : findings) captions.push_back(d.Caption);
  return captions;
}
