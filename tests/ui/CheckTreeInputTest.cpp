// Mouse, keyboard and scrolling of the check tree, sent as real window messages.
#include "ui/CheckTreeFixture.h"

namespace {

using Part = TCheckTreePart;

TEST_F(TCheckTreeTest, BoxClickTogglesWithPressedLookAndHonoursTheHook) {
  Build(1, 2, 3);
  TTreeNode* item = items_[0];
  TTreeNode* finding = item->FirstChild();
  POINT box = Centre(finding, Part::CheckBox);

  Mouse(WM_LBUTTONDOWN, box, MK_LBUTTON);
  EXPECT_EQ(finding->CheckState(), TCheckState::CheckedPressed);
  EXPECT_EQ(model_.FocusedNode(), finding);
  EXPECT_EQ(GetCapture(), Tree());
  Mouse(WM_LBUTTONUP, box);
  EXPECT_EQ(finding->CheckState(), TCheckState::Unchecked);
  EXPECT_EQ(item->CheckState(), TCheckState::Mixed);
  EXPECT_NE(GetCapture(), Tree());

  // Dragged off the box the look goes, back on it returns; released off it nothing toggles.
  POINT text = Centre(finding, Part::Text);
  Mouse(WM_LBUTTONDOWN, box, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, text, MK_LBUTTON);
  EXPECT_EQ(finding->CheckState(), TCheckState::Unchecked);
  Mouse(WM_MOUSEMOVE, box, MK_LBUTTON);
  EXPECT_EQ(finding->CheckState(), TCheckState::UncheckedPressed);
  Mouse(WM_MOUSEMOVE, text, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, text);
  EXPECT_EQ(finding->CheckState(), TCheckState::Unchecked);

  // A click on the group's box reaches every finding below it.
  Click(groups_[0], Part::CheckBox);
  EXPECT_EQ(groups_[0]->CheckState(), TCheckState::Checked);
  for (TTreeNode* f = item->FirstChild(); f; f = f->NextSibling())
    EXPECT_EQ(f->CheckState(), TCheckState::Checked);

  // Refused: the state stays, the pressed look does not.
  int asked = 0;
  model_.SetCheckingHook([&](TTreeNode* n, TCheckState s) {
    ++asked;
    EXPECT_EQ(n, finding);
    EXPECT_EQ(s, TCheckState::Unchecked);
    return false;
  });
  Click(finding, Part::CheckBox);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(finding->CheckState(), TCheckState::Checked);
  EXPECT_EQ(item->CheckState(), TCheckState::Checked);

  // A node freed while its box is held leaves no dangling press behind.
  model_.SetCheckingHook(nullptr);
  TTreeNode* last = item->LastChild();
  box = Centre(last, Part::CheckBox);
  Mouse(WM_LBUTTONDOWN, box, MK_LBUTTON);
  model_.DeleteNode(last);
  Mouse(WM_MOUSEMOVE, box, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, box);
  EXPECT_EQ(item->ChildCount(), 2u);
  EXPECT_NE(GetCapture(), Tree());
}

TEST_F(TCheckTreeTest, ButtonsExpandAndCollapseUnlessRefused) {
  Build(1, 3, 4, false);
  std::vector<std::pair<char, TTreeNode*>> events;
  tree_.Events.Expanded = [&](TTreeNode* n) { events.emplace_back('+', n); };
  tree_.Events.Collapsed = [&](TTreeNode* n) { events.emplace_back('-', n); };
  TTreeNode* item = items_[1];
  EXPECT_EQ(model_.VisibleRowCount(), 4u);

  Click(item, Part::Button);
  EXPECT_TRUE(item->Expanded());
  EXPECT_EQ(model_.VisibleRowCount(), 8u);
  // The focus on a finding moves to its item when the item collapses.
  Click(item->LastChild(), Part::Text);
  EXPECT_EQ(model_.FocusedNode(), item->LastChild());
  Click(item, Part::Button);
  EXPECT_FALSE(item->Expanded());
  EXPECT_EQ(model_.FocusedNode(), item);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0], std::make_pair('+', item));
  EXPECT_EQ(events[1], std::make_pair('-', item));

  // Collapsing refused (as during a scan), expanding still allowed.
  model_.SetExpandingHook([](TTreeNode*, bool expand) { return expand; });
  Click(groups_[0], Part::Button);
  EXPECT_TRUE(groups_[0]->Expanded());
  EXPECT_EQ(events.size(), 2u);
  Click(items_[0], Part::Button);
  EXPECT_TRUE(items_[0]->Expanded());
  EXPECT_EQ(events.size(), 3u);

  // A node without children has no button; a click there only focuses.
  RECT r;
  EXPECT_FALSE(tree_.GetPartRect(items_[0]->FirstChild(), 0, Part::Button, r));
  EXPECT_TRUE(tree_.GetPartRect(items_[0]->FirstChild(), 0, Part::Indent, r));
}

TEST_F(TCheckTreeTest, ClicksFocusAndRaiseTheMouseEvents) {
  Build(1, 2, 3);
  std::vector<TTreeNode*> focusEvents, dbl;
  std::vector<TCheckTreeHit> downs;
  std::vector<UINT> buttons;
  tree_.Events.FocusChanged = [&](TTreeNode* n) { focusEvents.push_back(n); };
  tree_.Events.DblClick = [&](TTreeNode* n) { dbl.push_back(n); };
  tree_.Events.MouseDown = [&](const TCheckTreeHit& h, UINT b) {
    downs.push_back(h);
    buttons.push_back(b);
  };
  TTreeNode* finding = items_[1]->FirstChild();

  Click(finding, Part::Text);
  EXPECT_EQ(model_.FocusedNode(), finding);
  ASSERT_EQ(focusEvents.size(), 1u);
  EXPECT_EQ(focusEvents[0], finding);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0].Node, finding);
  EXPECT_EQ(downs[0].Part, Part::Text);
  EXPECT_EQ(buttons[0], UINT(VK_LBUTTON));
  EXPECT_EQ(GetFocus(), Tree());

  // Right of the text still focuses the row; a right click focuses too.
  Click(items_[0], Part::RightOfText);
  EXPECT_EQ(model_.FocusedNode(), items_[0]);
  Mouse(WM_RBUTTONDOWN, Centre(finding, Part::Text), MK_RBUTTON);
  EXPECT_EQ(model_.FocusedNode(), finding);
  EXPECT_EQ(buttons.back(), UINT(VK_RBUTTON));
  EXPECT_EQ(focusEvents.size(), 3u);

  // Below the last row: no node.
  RECT client;
  GetClientRect(Tree(), &client);
  Mouse(WM_LBUTTONDOWN, {10, client.bottom - 2}, MK_LBUTTON);
  EXPECT_EQ(downs.back().Node, nullptr);
  EXPECT_EQ(model_.FocusedNode(), finding);

  // Double click on a text raises the event; on a button it is a second click.
  POINT text = Centre(finding, Part::Text);
  Mouse(WM_LBUTTONDBLCLK, text, MK_LBUTTON);
  ASSERT_EQ(dbl.size(), 1u);
  EXPECT_EQ(dbl[0], finding);
  POINT button = Centre(items_[0], Part::Button);
  Mouse(WM_LBUTTONDOWN, button, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, button);
  Mouse(WM_LBUTTONDBLCLK, button, MK_LBUTTON);
  EXPECT_TRUE(items_[0]->Expanded());
  EXPECT_EQ(dbl.size(), 1u);

  // The menu key asks for the focused node's menu.
  TTreeNode* menuNode = nullptr;
  tree_.Events.ContextMenu = [&](TTreeNode* n, POINT) { menuNode = n; };
  SendMessageW(Tree(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Tree()), -1);
  EXPECT_EQ(menuNode, finding);
}

TEST_F(TCheckTreeTest, KeysMoveTheFocusExpandCollapseAndToggle) {
  Build(2, 2, 2, false);
  // Rows: 组0, 项目0-0, 项目0-1, 组1, 项目1-0, 项目1-1.
  Key(VK_DOWN);  // nothing focused yet: the top row
  EXPECT_EQ(model_.FocusedNode(), groups_[0]);
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(model_.FocusedNode(), items_[1]);
  Key(VK_UP);
  EXPECT_EQ(model_.FocusedNode(), items_[0]);
  Key(VK_END);
  EXPECT_EQ(model_.FocusedNode(), items_[3]);
  Key(VK_HOME);
  EXPECT_EQ(model_.FocusedNode(), groups_[0]);
  Key(VK_NEXT);
  EXPECT_EQ(model_.FocusedNode(), items_[3]);  // less than a page: the last row

  // Right expands, then steps into the children; Left steps out, then collapses.
  tree_.SetFocusedNode(items_[0]);
  Key(VK_RIGHT);
  EXPECT_TRUE(items_[0]->Expanded());
  EXPECT_EQ(model_.FocusedNode(), items_[0]);
  Key(VK_RIGHT);
  EXPECT_EQ(model_.FocusedNode(), items_[0]->FirstChild());
  Key(VK_LEFT);
  EXPECT_EQ(model_.FocusedNode(), items_[0]);
  Key(VK_LEFT);
  EXPECT_FALSE(items_[0]->Expanded());
  Key(VK_ADD);
  EXPECT_TRUE(items_[0]->Expanded());
  Key(VK_SUBTRACT);
  EXPECT_FALSE(items_[0]->Expanded());
  Key(VK_OEM_PLUS);
  EXPECT_TRUE(items_[0]->Expanded());
  Key(VK_OEM_MINUS);
  EXPECT_FALSE(items_[0]->Expanded());

  // Space toggles once per press, not on the key's repeats.
  Key(VK_SPACE);
  EXPECT_EQ(items_[0]->CheckState(), TCheckState::Unchecked);
  EXPECT_EQ(items_[0]->FirstChild()->CheckState(), TCheckState::Unchecked);
  EXPECT_EQ(groups_[0]->CheckState(), TCheckState::Mixed);
  Key(VK_SPACE, true);
  EXPECT_EQ(items_[0]->CheckState(), TCheckState::Unchecked);
  model_.SetCheckingHook([](TTreeNode*, TCheckState) { return false; });
  model_.SetExpandingHook([](TTreeNode*, bool) { return false; });
  Key(VK_SPACE);
  Key(VK_RIGHT);
  EXPECT_EQ(items_[0]->CheckState(), TCheckState::Unchecked);
  EXPECT_FALSE(items_[0]->Expanded());
  EXPECT_EQ(model_.FocusedNode(), items_[0]);

  // A focused node hidden by the program's collapse: keys start from its collapsed ancestor.
  model_.SetExpandingHook(nullptr);
  tree_.SetFocusedNode(items_[2]);
  model_.SetExpanded(groups_[1], false);
  Key(VK_UP);
  EXPECT_EQ(model_.FocusedNode(), items_[1]);
}

TEST_F(TCheckTreeTest, ScrollBarWheelAndFocusMoveTheTopRow) {
  Build(1, 4, 250);
  const size_t rows = model_.VisibleRowCount(), page = tree_.PageRows();
  ASSERT_EQ(rows, 1005u);
  ASSERT_GT(page, 5u);
  SendMessageW(Tree(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(tree_.TopRow(), 1u);
  SendMessageW(Tree(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(tree_.TopRow(), 1 + page);
  SendMessageW(Tree(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(tree_.TopRow(), rows - page);
  SendMessageW(Tree(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(tree_.TopRow(), rows - page);
  SendMessageW(Tree(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(tree_.TopRow(), 0u);
  SendMessageW(Tree(), WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(tree_.TopRow(), 0u);

  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  ASSERT_GT(lines, 0u);
  ASSERT_LT(lines, 50u);
  SendMessageW(Tree(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(50, 50));
  EXPECT_EQ(tree_.TopRow(), size_t(lines));
  // Three small steps of a precise wheel make one notch.
  for (int i = 0; i < 3; ++i)
    SendMessageW(Tree(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA / 3)), MAKELPARAM(50, 50));
  EXPECT_EQ(tree_.TopRow(), size_t(2 * lines));
  SendMessageW(Tree(), WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA), MAKELPARAM(50, 50));
  EXPECT_EQ(tree_.TopRow(), 0u);

  // Keys scroll the focus into view by as little as it takes.
  Key(VK_HOME);
  Key(VK_END);
  EXPECT_EQ(model_.FocusedNode(), items_[3]->LastChild());
  EXPECT_EQ(tree_.TopRow(), rows - page);
  Key(VK_PRIOR);
  EXPECT_EQ(model_.RowOf(model_.FocusedNode()), rows - 1 - page);
  EXPECT_EQ(tree_.TopRow(), rows - 1 - page);

  // Collapsing under the view keeps the top row inside the list.
  model_.SetExpanded(groups_[0], false);
  EXPECT_EQ(tree_.TopRow(), 0u);
}

TEST_F(TCheckTreeTest, ScrollIntoViewExpandsTheWayAndCentres) {
  Build(1, 6, 100, false);
  const size_t page = tree_.PageRows();
  TTreeNode* target = items_[4]->FirstChild();
  for (int i = 0; i < 49; ++i) target = target->NextSibling();
  EXPECT_EQ(model_.RowOf(target), TTreeModel::npos);
  tree_.ScrollIntoView(target, true);
  EXPECT_TRUE(items_[4]->Expanded());
  ASSERT_EQ(model_.RowOf(target), 55u);  // the group, five items, fifty findings before it
  EXPECT_EQ(tree_.TopRow(), 55 - page / 2);

  // Not centred: the row becomes the last row of the page, and a row in view stays put.
  TTreeNode* deep = items_[4]->LastChild();
  tree_.ScrollIntoView(deep, false);
  EXPECT_EQ(tree_.TopRow(), model_.RowOf(deep) + 1 - page);
  size_t top = tree_.TopRow();
  tree_.ScrollIntoView(model_.NodeAtRow(top + 1), false);
  EXPECT_EQ(tree_.TopRow(), top);
  tree_.ScrollIntoView(groups_[0], false);
  EXPECT_EQ(tree_.TopRow(), 0u);
}

}  // namespace
