#include "app/JunkOptionsForms.h"

#include <shellapi.h>

#include <algorithm>
#include <map>

#include "app/JunkScanConfig.h"
#include "core/GbkText.h"
#include "res/resource.h"
#include "system/FindFile.h"
#include "system/ResStrings.h"
#include "system/WideText.h"

namespace {

enum { ID_TREE = 100, ID_OLD_FILES, ID_ALL_FILES, ID_FILE_TYPES, ID_LINK_ALL, ID_LINK_NONE, ID_LINK_RECOMMENDED };

bool IsListedFolder(const TFindFile& find) {
  return find.IsDir() && !find.IsDotEntry() && !(find.Attributes() & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

// The plain sub-folders of a folder (hidden and system ones left out), sorted by name
// without regard to letter case (a parent's name before the longer names it starts:
// "Program Files" before "Program Files (x86)").
std::vector<std::string> SubFolderNames(const std::string& path) {
  std::vector<std::string> names;
  for (TFindFile find(path + "*.*"); find.Found(); find.Next())
    if (IsListedFolder(find)) names.push_back(find.Name());
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return core::CompareTextGbk(a, b) < 0; });
  return names;
}

bool HasSubFolder(const std::string& path) {
  for (TFindFile find(path + "*.*"); find.Found(); find.Next())
    if (IsListedFolder(find)) return true;
  return false;
}

int SystemIcon(const std::string& path, UINT extra) {
  SHFILEINFOA info = {};
  SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extra);
  return info.iIcon;
}

TCheckState StateFrom(core::TFolderState state) {
  switch (state) {
    case core::TFolderState::Checked: return TCheckState::Checked;
    case core::TFolderState::Mixed: return TCheckState::Mixed;
    default: return TCheckState::Unchecked;
  }
}

}  // namespace

void TRubbishConfig::Save(TCleanWrapper& engine) const {
  WriteShow2Days(Show2Days);
  engine.SaveSettings();
}

TRubbishConfig& RubbishConfig() {
  static TRubbishConfig config;
  return config;
}

// --- TSetupForm ----------------------------------------------------------------------------

TSetupForm::TSetupForm(TCleanWrapper& engine, TRubbishConfig& config)
    : TModalDialog(IDS_SETUP_CAPTION, 420, 400), engine_(engine), config_(config) {}

void TSetupForm::OnInit() {
  Add(L"STATIC", IDS_SETUP_DESC, 0, -1, 12, 10, 396, 36);
  tree_.Create(hwnd_, ID_TREE, RECT{12, 50, 408, 282});
  SendMessageW(tree_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  SHFILEINFOA info = {};
  tree_.SetImageList(reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)));  // the shell's, not ours
  tree_.SetModel(&folders_);
  oldFiles_ = Add(L"BUTTON", IDS_SETUP_OLD_FILES, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, ID_OLD_FILES, 12, 292, 200, 22);
  allFiles_ = Add(L"BUTTON", IDS_SETUP_ALL_FILES, BS_AUTORADIOBUTTON, ID_ALL_FILES, 220, 292, 188, 22);
  Add(L"STATIC", IDS_SETUP_TYPES_LABEL, 0, -1, 12, 328, 200, 20);
  Add(L"BUTTON", IDS_SETUP_TYPES_BTN, BS_PUSHBUTTON | WS_TABSTOP, ID_FILE_TYPES, 220, 324, 96, 26);
  Add(L"BUTTON", IDS_OK, BS_PUSHBUTTON | WS_TABSTOP, IDOK, 234, 362, 84, 28);
  HWND cancel = Add(L"BUTTON", IDS_CANCEL, BS_DEFPUSHBUTTON | WS_TABSTOP, IDCANCEL, 324, 362, 84, 28);
  SendMessageW(config_.Show2Days ? oldFiles_ : allFiles_, BM_SETCHECK, BST_CHECKED, 0);

  excluded_ = core::TExcludedFolders::FromEngineText(engine_.GetExcludedFolders());
  folders_.SetCheckingHook([this](TTreeNode* node, TCheckState state) {
    FolderChecked(node, state);
    return false;  // applied above, with the exclusions
  });
  folders_.SetExpandingHook([this](TTreeNode* node, bool expand) {
    if (expand) ListChildren(node);
    return true;
  });
  auto showIcon = [this](TTreeNode* node) {
    auto icons = icons_.find(node);
    if (icons == icons_.end()) return;
    node->Data.ImageIndex = node->Expanded() ? icons->second.second : icons->second.first;
    folders_.InvalidateNode(node);
  };
  tree_.Events.Expanded = showIcon;
  tree_.Events.Collapsed = showIcon;
  const DWORD drives = GetLogicalDrives();
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if (!(drives & (1u << (letter - 'A')))) continue;
    const std::string root = std::string(1, letter) + ":\\";
    if (GetDriveTypeA(root.c_str()) != DRIVE_FIXED) continue;
    AddFolderNode(nullptr, root, root.substr(0, 2), TCheckState::Checked);
  }
  SetFocus(cancel);
}

void TSetupForm::AddFolderNode(TTreeNode* parent, const std::string& path, const std::string& name,
                               TCheckState parentState) {
  TCheckState state = TCheckState::Unchecked;
  if (parentState != TCheckState::Unchecked)
    state = StateFrom(excluded_.StateOf(path, [&path] { return SubFolderNames(path); }));
  Column4TreeData data{name, path, "", "", "", SystemIcon(path, 0)};
  TTreeNode* node = folders_.AddChild(parent, data, TCheckType::TriState, state);
  icons_[node] = {data.ImageIndex, SystemIcon(path, SHGFI_OPENICON)};
  // A stand-in child gives the expand button to a folder with sub-folders; the folder is
  // listed when first expanded.
  if (HasSubFolder(path)) folders_.AddChild(node, Column4TreeData{}, TCheckType::None);
}

void TSetupForm::ListChildren(TTreeNode* node) {
  TTreeNode* first = node->FirstChild();
  if (!first || !first->Data.Path.empty()) return;  // listed already
  HCURSOR normal = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
  folders_.DeleteChildren(node);
  const TCheckState state = node->CheckState();
  for (const std::string& name : SubFolderNames(node->Data.Path))
    AddFolderNode(node, node->Data.Path + name + "\\", name, state);
  SetCursor(normal);
}

void TSetupForm::ExpandFolder(TTreeNode* node) { folders_.UserSetExpanded(node, true); }

TTreeNode* TSetupForm::FindFolder(const std::string& path) {
  for (TTreeNode* node = folders_.GetFirst(); node; node = folders_.GetNext(node))
    if (core::SameTextGbk(node->Data.Path, path)) return node;
  return nullptr;
}

void TSetupForm::FolderChecked(TTreeNode* node, TCheckState state) {
  folders_.SetCheckState(node, state);
  const std::string& path = node->Data.Path;
  if (path.empty()) return;
  if (!IsCheckedOrMixed(node->CheckState())) {
    excluded_.Unchecked(path);
    return;
  }
  std::vector<std::string> uncheckedSiblings, ancestors;
  for (TTreeNode* s = node->Parent() ? node->Parent()->FirstChild() : folders_.GetFirst(); s; s = s->NextSibling())
    if (s != node && !s->Data.Path.empty() && !IsCheckedOrMixed(s->CheckState())) uncheckedSiblings.push_back(s->Data.Path);
  for (TTreeNode* a = node->Parent(); a; a = a->Parent())
    if (IsCheckedOrMixed(a->CheckState())) ancestors.push_back(a->Data.Path);
  excluded_.Checked(path, uncheckedSiblings, ancestors);
}

void TSetupForm::BtnOKClick() {
  engine_.SetExcludedFolders(excluded_.EngineText());
  config_.Show2Days = SendMessageW(oldFiles_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool TSetupForm::OnCommand(int id, int code, HWND) {
  if (id == IDOK && code == BN_CLICKED) {
    BtnOKClick();
    Close(IDOK);
    return true;
  }
  if (id == ID_FILE_TYPES && code == BN_CLICKED) {
    // The file types are the engine's: without it there is nothing to show.
    if (engine_.Availability() != TCleanWrapper::kAvailable) return true;
    TFileExtFrm types(engine_);
    if (types.ShowModal(hwnd_) == IDOK)
      engine_.SaveSettings();
    else
      engine_.LoadSettings();
    return true;
  }
  return false;
}

// --- TFileExtFrm ---------------------------------------------------------------------------

TFileExtFrm::TFileExtFrm(TCleanWrapper& engine) : TModalDialog(IDS_FILEEXT_CAPTION, 404, 388), engine_(engine) {}

void TFileExtFrm::OnInit() {
  Add(L"STATIC", IDS_FILEEXT_DESC, 0, -1, 12, 10, 380, 36);
  tree_.Create(hwnd_, ID_TREE, RECT{12, 50, 392, 316});
  SendMessageW(tree_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  std::vector<TCheckTreeColumn> columns(2);
  columns[0].Width = 150;
  columns[1].Width = 180;
  tree_.SetColumns(columns);
  tree_.Events.GetText = [](TTreeNode* node, int column) { return column == 0 ? node->Data.Caption : node->Data.Name; };
  tree_.SetModel(&types_);
  const int ids[3] = {ID_LINK_ALL, ID_LINK_NONE, ID_LINK_RECOMMENDED};
  const int texts[3] = {IDS_SELECT_ALL, IDS_SELECT_NONE, IDS_SELECT_RECOMMENDED};
  const int xs[3] = {12, 60, 120};
  for (int i = 0; i < 3; ++i) {
    links_[i] = Add(L"STATIC", texts[i], SS_NOTIFY, ids[i], xs[i], 328, i == 2 ? 80 : 44, 20);
    SendMessageW(links_[i], WM_SETFONT, reinterpret_cast<WPARAM>(UnderlinedFont()), FALSE);
  }
  Add(L"BUTTON", IDS_OK, BS_PUSHBUTTON | WS_TABSTOP, IDOK, 218, 350, 84, 28);
  HWND cancel = Add(L"BUTTON", IDS_CANCEL, BS_DEFPUSHBUTTON | WS_TABSTOP, IDCANCEL, 308, 350, 84, 28);
  types_.SetCheckingHook([this](TTreeNode* node, TCheckState state) {
    types_.SetCheckState(node, state);
    // A group's box reaches its types through the tree: the engine hears of each.
    std::vector<TTreeNode*> changed;
    if (node->Parent())
      changed.push_back(node);
    else
      for (TTreeNode* t = node->FirstChild(); t; t = t->NextSibling()) changed.push_back(t);
    for (TTreeNode* t : changed) {
      auto d = data_.find(t);
      if (d == data_.end()) continue;
      d->second.Checked = t->CheckState() == TCheckState::Checked;
      engine_.SetItemChecked(d->second.Item, d->second.Checked);
    }
    return false;
  });
  Fill();
  SetFocus(cancel);
}

void TFileExtFrm::Fill() {
  std::map<std::string, TTreeNode*> groups;
  const std::string userDefined = LoadResString(IDS_USER_DEFINED);
  const TRubbishItem root = engine_.GetFileTypeRoot();
  // Every answer of the wrapper may be -1 (no engine): the walk ends on it as on 0.
  for (TRubbishItem item = TCleanWrapper::IsItem(root) ? engine_.GetFirstChild(root) : 0; TCleanWrapper::IsItem(item);
       item = engine_.GetNextItem(item)) {
    const std::vector<std::string> parts = core::SplitFileTypeName(engine_.GetItemName(item));
    if (parts.size() < 2) continue;
    TFileExtData d{item, parts[0], parts[1], engine_.GetItemChecked(item), engine_.GetItemRecommended(item),
                   engine_.GetItemUserDefined(item)};
    const std::string groupName = d.UserDefined ? userDefined : engine_.GetItemGroupName(item);
    TTreeNode*& group = groups[groupName];  // exact names: letter case makes another group
    if (!group) group = types_.AddChild(nullptr, Column4TreeData{groupName, "", "", groupName, "", -1}, TCheckType::TriState);
    TTreeNode* node = types_.AddChild(group, Column4TreeData{d.Pattern, "", d.Description, "", "", -1},
                                      TCheckType::CheckBox, d.Checked ? TCheckState::Checked : TCheckState::Unchecked);
    data_[node] = d;
  }
  for (TTreeNode* group = types_.GetFirst(); group; group = group->NextSibling()) types_.SetExpanded(group, true);
}

void TFileExtFrm::SetAll(int which) {
  for (auto& [node, d] : data_) {
    const bool on = which == 1 || (which == 2 && d.Recommended);
    types_.SetCheckState(node, on ? TCheckState::Checked : TCheckState::Unchecked);
    d.Checked = on;
    engine_.SetItemChecked(d.Item, on);
  }
}

bool TFileExtFrm::OnCommand(int id, int code, HWND) {
  if (code != STN_CLICKED) return false;
  if (id == ID_LINK_ALL) SetAll(1);
  else if (id == ID_LINK_NONE) SetAll(0);
  else if (id == ID_LINK_RECOMMENDED) SetAll(2);
  else return false;
  return true;
}

HBRUSH TFileExtFrm::OnStaticColor(HDC dc, HWND control) {
  if (std::find(std::begin(links_), std::end(links_), control) == std::end(links_)) return nullptr;
  SetTextColor(dc, RGB(0, 128, 0));
  SetBkMode(dc, TRANSPARENT);
  return GetSysColorBrush(COLOR_BTNFACE);
}
