// A real check tree in a shown top-level window, a model with groups, items and findings,
// and the messages a user's mouse and keyboard would send.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "items/ResultRows.h"
#include "ui/CheckTree.h"

class TCheckTreeTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 420, kHeight = 300;

  void SetUp() override {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PurvexCheckTreeHost";
    RegisterClassW(&wc);
    RECT frame = {0, 0, kWidth, kHeight};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    // Under Wine the first window of a process can fail while the prefix's desktop process
    // is being replaced by a new one; a moment later it succeeds.
    for (int attempt = 0; attempt < 20 && !host_; ++attempt) {
      if (attempt) Sleep(250);
      host_ = CreateWindowExW(0, wc.lpszClassName, L"check tree", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              20, 20, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                              nullptr, wc.hInstance, nullptr);
    }
    ASSERT_NE(host_, nullptr);
    RECT bounds = {0, 0, kWidth, kHeight};
    ASSERT_NE(tree_.Create(host_, 100, bounds, WS_VISIBLE | WS_TABSTOP, 0), nullptr);
    font_ = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0,
                        L"宋体");
    SendMessageW(tree_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    tree_.SetUseThemes(false);  // the same pixels wherever the tests run
    tree_.SetModel(&model_);
    ShowWindow(host_, SW_SHOWNOACTIVATE);
    Pump();
  }

  void TearDown() override {
    tree_.SetModel(nullptr);
    if (host_) DestroyWindow(host_);
    if (font_) DeleteObject(font_);
  }

  // Lets the window process what is queued (paints included).
  static void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

  HWND Tree() const { return tree_.Handle(); }

  // Groups of items of findings, everything expanded, findings checked.
  void Build(int groups, int items, int findings, bool expandItems = true) {
    TTreeUpdate batch(&model_);
    for (int g = 0; g < groups; ++g) {
      TTreeNode* group = AddTriState(nullptr, "组" + std::to_string(g));
      for (int i = 0; i < items; ++i) {
        TTreeNode* item = AddTriState(group, "项目" + std::to_string(g) + "-" + std::to_string(i));
        items_.push_back(item);
        for (int f = 0; f < findings; ++f)
          AddResultNode(&model_, "C:\\临时\\文件" + std::to_string(f) + ".tmp", true, "", item, 0,
                        "文件", "", "");
        if (expandItems) model_.SetExpanded(item, true);
      }
      model_.SetExpanded(group, true);
      groups_.push_back(group);
    }
  }

  TTreeNode* AddTriState(TTreeNode* parent, const std::string& caption) {
    Column4TreeData d;
    d.Caption = d.Kind = caption;
    return model_.AddChild(parent, d, TCheckType::TriState, TCheckState::Checked);
  }

  POINT Centre(TTreeNode* node, TCheckTreePart part, int column = 0) const {
    RECT r = {};
    EXPECT_TRUE(tree_.GetPartRect(node, column, part, r));
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }

  void Mouse(UINT msg, POINT p, WPARAM keys = 0) {
    SendMessageW(Tree(), msg, keys, MAKELPARAM(p.x, p.y));
  }
  void Click(TTreeNode* node, TCheckTreePart part) {
    POINT p = Centre(node, part);
    Mouse(WM_LBUTTONDOWN, p, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, p);
  }
  void Key(WPARAM vk, bool repeat = false) {
    SendMessageW(Tree(), WM_KEYDOWN, vk, repeat ? (1 << 30) | 1 : 1);
  }

  HWND host_ = nullptr;
  HFONT font_ = nullptr;
  TTreeModel model_;
  TCheckTree tree_;  // after the model: goes first
  std::vector<TTreeNode*> groups_, items_;
};
