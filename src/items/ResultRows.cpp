#include "items/ResultRows.h"

TTreeNode* AddResultNode(TTreeModel* tree, std::string caption, bool isFinding,
                         const std::string& root, TTreeNode* parent, int32_t image,
                         const std::string& kind, std::string name,
                         std::string path) {
  if (!tree) return nullptr;
  Column4TreeData data;
  data.Caption = std::move(caption);
  data.Path = std::move(path);
  data.Name = std::move(name);
  data.Kind = kind;
  data.Root = root;
  data.ImageIndex = isFinding ? -1 : image;
  // The record and the box go in with the node, so a view is told about it once, filled.
  TTreeNode* node = isFinding ? tree->AddChild(parent, std::move(data), TCheckType::CheckBox,
                                               TCheckState::Checked)
                              : tree->AddChild(parent, std::move(data));
  if (!parent) tree->SetFocusedNode(node);
  return node;
}

TTreeNode* AddRegistryFinding(TTreeModel* tree, const std::string& caption,
                              const std::string& keyPath, bool is64, TTreeNode* item,
                              const std::string& rootName, int32_t /*image*/,
                              const std::string& /*categoryCaption*/,
                              const std::string& /*extraText*/, const std::string& valueName) {
  // Without an item the row would become a top-level entry that no clean ever visits.
  if (caption.empty() || keyPath.empty() || !item) return nullptr;
  if (is64)
    return AddResultNode(tree, "64位分支:" + caption, true, rootName, item, -1, kKindView64, valueName,
                         keyPath);
  return AddResultNode(tree, caption, true, rootName, item, -1, std::string(), valueName, keyPath);
}

void CountFinding(int32_t size, int64_t& itemSize, int32_t& itemCount, TScanTotals& totals) {
  if (size > 0) {
    itemSize += size;
    totals.Size += size;
  }
  ++itemCount;
  ++totals.Count;
}

void SetItemSuffix(TTreeModel* tree, TTreeNode* item, const std::string& text) {
  if (!item) return;
  item->Data.Caption = item->Data.Kind + text;
  if (tree) tree->InvalidateNode(item);
}

void ClearFindings(TTreeModel* tree) {
  if (!tree) return;
  TTreeUpdate update(tree);  // one repaint at the end
  for (TTreeNode* group = tree->GetFirst(); group; group = group->NextSibling()) {
    for (TTreeNode* item = group->FirstChild(); item; item = item->NextSibling()) {
      tree->DeleteChildren(item);
      SetItemSuffix(tree, item, std::string());
    }
  }
}
