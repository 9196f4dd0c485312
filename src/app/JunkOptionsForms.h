// The junk-scan options: the folders of the fixed disks the engine scans and the age
// filter (TSetupForm), and the file types it looks for (TFileExtFrm). Changes reach the
// engine as the Part of each form says; the caller saves or reloads the engine's settings.
#pragma once
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/ModalDialog.h"
#include "core/ExcludedFolders.h"
#include "items/TreeModel.h"
#include "junk/SysSweeperWrapper.h"
#include "ui/CheckTree.h"

// The program-wide junk-scan choice: only files last used two or more days ago. Starts
// false at every start; written to the settings file, never read back.
struct TRubbishConfig {
  bool Show2Days = false;
  // Writes the choice ("config", "show2days") and saves the engine's settings.
  void Save(TCleanWrapper& engine) const;
};
TRubbishConfig& RubbishConfig();

class TSetupForm : public TModalDialog {
 public:
  TSetupForm(TCleanWrapper& engine, TRubbishConfig& config);
  // The folder tree and its model, for tests that tick it as a user would.
  TTreeModel& Folders() { return folders_; }
  TTreeNode* FindFolder(const std::string& path);
  // Expands a node as the user would (its sub-folders are listed then).
  void ExpandFolder(TTreeNode* node);

 protected:
  void OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void AddFolderNode(TTreeNode* parent, const std::string& path, const std::string& name, TCheckState state);
  void ListChildren(TTreeNode* node);
  void FolderChecked(TTreeNode* node, TCheckState state);
  void BtnOKClick();

  TCleanWrapper& engine_;
  TRubbishConfig& config_;
  core::TExcludedFolders excluded_;
  TTreeModel folders_;
  TCheckTree tree_;
  std::unordered_map<TTreeNode*, std::pair<int, int>> icons_;  // closed, open
  HWND oldFiles_ = nullptr, allFiles_ = nullptr;
};

class TFileExtFrm : public TModalDialog {
 public:
  explicit TFileExtFrm(TCleanWrapper& engine);
  TTreeModel& Types() { return types_; }

 protected:
  void OnInit() override;
  bool OnCommand(int id, int code, HWND control) override;
  HBRUSH OnStaticColor(HDC dc, HWND control) override;

 private:
  struct TFileExtData {
    TRubbishItem Item;
    std::string Pattern, Description;
    bool Checked, Recommended, UserDefined;
  };
  void Fill();
  void SetAll(int which);  // 0 none, 1 all, 2 recommended
  TCleanWrapper& engine_;
  TTreeModel types_;
  TCheckTree tree_;
  std::unordered_map<TTreeNode*, TFileExtData> data_;
  HWND links_[3] = {};
};
