#include "items/ItemTree.h"

#include "junk/SysSweeperWrapper.h"

namespace {

TTreeNode* AddGroup(TTreeModel& tree, const std::string& caption, int image) {
  Column4TreeData data;
  data.Caption = caption;
  data.Kind = caption;
  data.ImageIndex = image;
  TTreeNode* group = tree.AddChild(nullptr, std::move(data), TCheckType::TriState, TCheckState::Unchecked);
  tree.SetFocusedNode(group);
  return group;
}

void AddItem(TTreeModel& tree, TTreeNode* group, const std::string& caption, bool recommended, int image,
             bool readSaved, const TReadItemChecked& readChecked) {
  Column4TreeData data;
  data.Caption = caption;
  data.Kind = caption;
  data.Path = recommended ? kRecommendedWord : kOptionalWord;
  data.ImageIndex = image;
  bool checked = readSaved ? readChecked(caption, recommended) : recommended;
  // The group's state follows from its items as each one is added.
  tree.AddChild(group, std::move(data), TCheckType::TriState, checked ? TCheckState::Checked : TCheckState::Unchecked);
}

void BuildJunkGroup(TTreeModel& tree, TCleanWrapper& engine, bool readSaved, const TReadItemChecked& readChecked,
                    TItemTreeResult& result) {
  if (engine.Availability() != TCleanWrapper::kAvailable || engine.GetCategoryCount() < 1) return;
  TTreeNode* group = AddGroup(tree, kJunkGroupCaption, kJunkGroupImage);
  if (readSaved) readChecked(kJunkGroupCaption, false);  // read, but the items decide
  result.JunkGroupNode = group;
  for (TRubbishItem c = engine.GetFirstCategory(); TCleanWrapper::IsItem(c); c = engine.GetNextItem(c)) {
    AddItem(tree, group, engine.GetItemName(c), engine.GetItemRecommended(c), engine.GetItemImageIndex(c), readSaved,
            readChecked);
    result.JunkCategories.push_back(TJunkCategoryNode{group->LastChild(), c});
  }
}

}  // namespace

TItemTreeResult BuildItemTree(TTreeModel& tree, const TCatalogueSystem& system, TCleanWrapper& engine,
                              bool readSaved, const TReadItemChecked& readChecked) {
  TTreeUpdate update(&tree);
  tree.Clear();
  TItemTreeResult result;
  TTreeNode* firstGroup = nullptr;
  for (const TCatalogueGroup& g : ItemCatalogue()) {
    if (!IsShown(g.ShownWhen, system)) continue;
    TTreeNode* group = AddGroup(tree, g.Caption, g.ImageIndex);
    if (!firstGroup) firstGroup = group;
    if (readSaved) readChecked(g.Caption, false);  // read, but the items decide
    for (const TCatalogueItem& item : g.Items)
      if (IsShown(item.ShownWhen, system))
        AddItem(tree, group, item.Caption, item.Recommended, item.ImageIndex, readSaved, readChecked);
    if (group == firstGroup) tree.SetExpanded(group, true);
    result.RegistryGroupNode = group;
  }
  if (firstGroup) {
    tree.SetFocusedNode(firstGroup);
    tree.SetExpanded(firstGroup, true);
  }
  BuildJunkGroup(tree, engine, readSaved, readChecked, result);
  return result;
}

void SetAllChecked(TTreeModel& tree, bool checked) {
  TTreeUpdate update(&tree);
  const TCheckState state = checked ? TCheckState::Checked : TCheckState::Unchecked;
  // Setting a top-level tri-state node pushes the state down through its whole subtree.
  for (TTreeNode* group = tree.GetFirst(); group; group = group->NextSibling()) tree.SetCheckState(group, state);
}

TItemTreeResult ApplySelectionLink(TTreeModel& tree, const TCatalogueSystem& system, TCleanWrapper& engine,
                                   TSelectionLink link) {
  TItemTreeResult result = BuildItemTree(tree, system, engine, false, TReadItemChecked());
  if (link == TSelectionLink::All) SetAllChecked(tree, true);
  if (link == TSelectionLink::None) SetAllChecked(tree, false);
  return result;
}
