// What the check tree paints and how much of the model a paint reads, checked on the pixels
// of a WM_PRINTCLIENT rendering and by counting the text requests of real WM_PAINTs.
#include <cstdio>

#include "helpers/ProcessHelpers.h"
#include "ui/CheckTreeFixture.h"
#include "system/WideText.h"

namespace {

using Part = TCheckTreePart;

// The client area rendered into a 32-bit top-down DIB; pixels are 0x00RRGGBB.
struct TCapture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
  int Count(const RECT& r, uint32_t colour) const {
    int n = 0;
    for (int y = std::max(0L, r.top); y < std::min<LONG>(height, r.bottom); ++y)
      for (int x = std::max(0L, r.left); x < std::min<LONG>(width, r.right); ++x) n += At(x, y) == colour;
    return n;
  }
  // Leftmost x in r whose pixel is darker than mid grey; -1 when none.
  int LeftmostDark(const RECT& r) const {
    for (int x = r.left; x < r.right; ++x)
      for (int y = r.top; y < r.bottom; ++y) {
        uint32_t p = At(x, y);
        if (((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255) < 3 * 128) return x;
      }
    return -1;
  }
  std::vector<uint32_t> Cut(const RECT& r) const {
    std::vector<uint32_t> out;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) out.push_back(At(x, y));
    return out;
  }
};

TCapture Capture(HWND hwnd) {
  TCapture c;
  RECT client;
  GetClientRect(hwnd, &client);
  c.width = client.right;
  c.height = client.bottom;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = c.width;
  bi.bmiHeader.biHeight = -c.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  EXPECT_NE(bmp, nullptr);
  if (!bmp) {
    DeleteDC(dc);
    return c;
  }
  HGDIOBJ old = SelectObject(dc, bmp);
  SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  GdiFlush();
  const uint32_t* p = static_cast<const uint32_t*>(bits);
  c.pixels.assign(p, p + size_t(c.width) * c.height);
  for (uint32_t& px : c.pixels) px &= 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  return c;
}

uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

bool SaveBmp(const TCapture& c, const std::wstring& path) {
  BITMAPFILEHEADER fh = {};
  BITMAPINFOHEADER ih = {};
  ih.biSize = sizeof ih;
  ih.biWidth = c.width;
  ih.biHeight = -c.height;
  ih.biPlanes = 1;
  ih.biBitCount = 32;
  DWORD bytes = DWORD(c.pixels.size() * 4);
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + bytes;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(h, &fh, sizeof fh, &written, nullptr) && WriteFile(h, &ih, sizeof ih, &written, nullptr) &&
            WriteFile(h, c.pixels.data(), bytes, &written, nullptr) && written == bytes;
  CloseHandle(h);
  return ok;
}

int GdiWidth(HFONT font, const std::string& gbk) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  std::wstring text = WideFromGbk(gbk);
  SIZE size = {};
  GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
  SelectObject(dc, old);
  DeleteDC(dc);
  return size.cx;
}

RECT Rect(const TCheckTree& tree, TTreeNode* node, Part part, int column = 0) {
  RECT r = {};
  EXPECT_TRUE(tree.GetPartRect(node, column, part, r));
  return r;
}

TEST_F(TCheckTreeTest, PaintsOnlyTheRowsOnScreenAndOnlyWhatChanged) {
  Build(2, 20, 2500);  // 100,042 rows
  const size_t rows = model_.VisibleRowCount();
  ASSERT_EQ(rows, 100042u);
  int calls = 0;
  tree_.Events.GetText = [&](TTreeNode* n, int column) {
    ++calls;
    return column == 0 ? n->Data.Caption : std::string("1 KB");
  };
  tree_.SetColumns({{250, TColumnAlign::Left, L""}, {120, TColumnAlign::Right, L""}});
  UpdateWindow(Tree());
  const int fullPage = int(2 * (tree_.PageRows() + 1));  // the last row may show in part
  EXPECT_GT(calls, 2 * int(tree_.PageRows()) - 1);
  EXPECT_LE(calls, fullPage);

  // The end of the list: the scroll bar holds a 32-bit range, the paint still reads a page.
  calls = 0;
  SendMessageW(Tree(), WM_VSCROLL, SB_BOTTOM, 0);
  UpdateWindow(Tree());
  EXPECT_LE(calls, fullPage);
  EXPECT_GT(calls, 0);
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(Tree(), SB_VERT, &si));
  EXPECT_EQ(si.nMax, int(rows - 1));
  EXPECT_EQ(si.nPos, int(tree_.TopRow()));
  EXPECT_GT(si.nPos, 65535);
  EXPECT_EQ(size_t(si.nPage), tree_.PageRows());

  // One finding's box changes: its row alone is painted again.
  TTreeNode* item = items_.back();
  TTreeNode* a = item->LastChild();
  TTreeNode* b = a->PrevSibling()->PrevSibling();
  model_.SetCheckState(a, TCheckState::Unchecked);  // the item and group turn mixed, off screen
  UpdateWindow(Tree());
  calls = 0;
  model_.SetCheckState(b, TCheckState::Unchecked);
  UpdateWindow(Tree());
  EXPECT_EQ(calls, 2);
  // A change off screen paints nothing.
  calls = 0;
  model_.SetCheckState(items_[0]->FirstChild(), TCheckState::Unchecked);
  UpdateWindow(Tree());
  EXPECT_EQ(calls, 0);

  // A batch of changes is one paint, after it ends.
  calls = 0;
  {
    TTreeUpdate batch(&model_);
    for (TTreeNode* f = item->FirstChild(); f; f = f->NextSibling()) model_.SetCheckState(f, TCheckState::Checked);
    UpdateWindow(Tree());
    EXPECT_EQ(calls, 0);
  }
  UpdateWindow(Tree());
  EXPECT_GT(calls, 0);
  EXPECT_LE(calls, fullPage);
  EXPECT_EQ(item->CheckState(), TCheckState::Checked);
}

TEST_F(TCheckTreeTest, RowsShowTheirColoursBoxesAndAlignment) {
  Build(1, 2, 3);
  // Rows: group, item 0 and its findings, item 1 and its findings.
  tree_.SetColumns({{200, TColumnAlign::Left, L""}, {150, TColumnAlign::Right, L""}});
  tree_.Events.GetText = [](TTreeNode* n, int column) {
    return column == 0 ? n->Data.Caption : std::string(n->Level() == 2 ? "12 KB" : "");
  };
  TTreeNode* red = items_[1];
  tree_.Events.PaintText = [&](TTreeNode* n, int column, TCheckTreeTextStyle& s) {
    if (n == red) s.Color = RGB(255, 0, 0);
    if (n->Level() == 0 && column == 0) {
      s.Color = RGB(0, 0, 128);
      s.Bold = true;
    }
  };
  TTreeNode* unchecked = items_[0]->FirstChild();
  model_.SetCheckState(unchecked, TCheckState::Unchecked);  // item 0 becomes mixed
  TCapture c = Capture(Tree());
  ASSERT_EQ(c.width, kWidth);

  const uint32_t kRed = 0xFF0000, kNavy = 0x000080;
  RECT redRow = Rect(tree_, red, Part::Text);
  EXPECT_GT(c.Count(redRow, kRed), 10);
  RECT everything = {0, 0, c.width, c.height};
  EXPECT_EQ(c.Count(everything, kRed), c.Count(redRow, kRed));
  EXPECT_GT(c.Count(Rect(tree_, groups_[0], Part::Text), kNavy), 10);

  // Right alignment: the size text sits at the right of its column.
  RECT sizeCell = Rect(tree_, unchecked, Part::Text, 1);
  sizeCell.left = 200;
  sizeCell.right = 350;
  int left = c.LeftmostDark(sizeCell);
  EXPECT_GT(left, 200 + 150 / 2);
  EXPECT_GE(left, Rect(tree_, unchecked, Part::Text, 1).left + 2);

  // The three values look different, and so does a held box.
  auto box = [&](TTreeNode* n) { return c.Cut(Rect(tree_, n, Part::CheckBox)); };
  std::vector<uint32_t> off = box(unchecked), on = box(unchecked->NextSibling()), mixed = box(items_[0]);
  EXPECT_NE(off, on);
  EXPECT_NE(off, mixed);
  EXPECT_NE(on, mixed);
  EXPECT_EQ(on, box(items_[1]));
  model_.SetPressed(unchecked, true);
  c = Capture(Tree());
  EXPECT_NE(box(unchecked), off);
  model_.SetPressed(unchecked, false);

  // The focused row is highlighted while the tree has the keyboard focus.
  SetFocus(Tree());
  tree_.SetFocusedNode(unchecked->NextSibling());
  c = Capture(Tree());
  RECT focused = Rect(tree_, unchecked->NextSibling(), Part::Text);
  EXPECT_GT(c.Count(focused, Rgb(GetSysColor(COLOR_HIGHLIGHT))), 20);
  EXPECT_EQ(c.Count(Rect(tree_, unchecked, Part::Text), Rgb(GetSysColor(COLOR_HIGHLIGHT))), 0);

  // Collapsed rows are gone from the picture, and the expand buttons differ.
  RECT openButton = Rect(tree_, items_[0], Part::Button);
  std::vector<uint32_t> open = c.Cut(openButton);
  model_.SetExpanded(items_[0], false);
  c = Capture(Tree());
  EXPECT_NE(c.Cut(openButton), open);
  EXPECT_EQ(c.Count(Rect(tree_, red, Part::Text), kRed), c.Count(everything, kRed));
  EXPECT_EQ(Rect(tree_, red, Part::Text).top, 2 * tree_.RowHeight());
}

TEST_F(TCheckTreeTest, FittedColumnsHoldTheirWidestTexts) {
  TTreeNode* group = AddTriState(nullptr, "垃圾文件清理");
  TTreeNode* shortItem = AddTriState(group, "短");
  TTreeNode* longItem = AddTriState(group, "一个很长的项目");
  const std::string longest = "C:\\Documents and Settings\\用户\\Local Settings\\Temp\\很长的文件名.tmp";
  AddResultNode(&model_, "甲.tmp", true, "", shortItem, 0, "文件", "", "");
  // A name cut inside a character: measured as the system converts it.
  TTreeNode* cutName = AddResultNode(&model_, "乙\xB0", true, "", shortItem, 0, "文件", "", "");
  TTreeNode* longFinding = AddResultNode(&model_, longest, true, "", longItem, 0, "文件", "", "");
  model_.SetExpanded(group, true);
  model_.SetExpanded(shortItem, true);
  model_.SetExpanded(longItem, true);
  tree_.SetColumns({{80, TColumnAlign::Left, L""}, {40, TColumnAlign::Right, L""}});
  tree_.Events.GetText = [](TTreeNode* n, int column) {
    return column == 0 ? n->Data.Caption : std::string(n->Level() == 2 ? "1.25 MB" : "");
  };
  bool boldGroup = true;
  tree_.Events.PaintText = [&](TTreeNode* n, int, TCheckTreeTextStyle& s) { s.Bold = boldGroup && n == group; };

  // The advance table measures as GDI does, for plain and bold text.
  for (TTreeNode* n : {shortItem, longItem, longFinding, cutName}) {
    RECT r = Rect(tree_, n, Part::Text);
    EXPECT_EQ(r.right - r.left - 4, GdiWidth(font_, n->Data.Caption)) << n->Data.Caption;
  }
  LOGFONTW lf;
  GetObjectW(font_, sizeof lf, &lf);
  lf.lfWeight = FW_BOLD;
  HFONT bold = CreateFontIndirectW(&lf);
  RECT g = Rect(tree_, group, Part::Text);
  EXPECT_EQ(g.right - g.left - 4, GdiWidth(bold, group->Data.Caption));
  EXPECT_GT(GdiWidth(bold, group->Data.Caption), GdiWidth(font_, group->Data.Caption));
  DeleteObject(bold);

  int wide = tree_.FitColumnToContent(0);
  EXPECT_EQ(wide, Rect(tree_, longFinding, Part::Text).right + 2);
  EXPECT_EQ(tree_.Column(0).Width, wide);
  // Rows of a collapsed node do not count.
  model_.SetExpanded(longItem, false);
  int narrow = tree_.FitColumnToContent(0);
  EXPECT_LT(narrow, wide);
  int widestVisible = 0;
  for (TTreeNode* n : {group, shortItem, longItem, shortItem->FirstChild(), cutName})
    widestVisible = std::max<int>(widestVisible, Rect(tree_, n, Part::Text).right + 2);
  EXPECT_EQ(narrow, widestVisible);

  // A right-aligned column widens to its text and its padding.
  int sizeColumn = tree_.FitColumnToContent(1);
  EXPECT_EQ(sizeColumn, GdiWidth(font_, "1.25 MB") + 6);
  RECT sizeText = Rect(tree_, shortItem->FirstChild(), Part::Text, 1);
  EXPECT_EQ(sizeText.left, narrow);
}

TEST_F(TCheckTreeTest, TextTooWideForItsColumnIsReportedAfterThePaint) {
  Build(1, 1, 2);
  tree_.SetColumns({{60, TColumnAlign::Left, L""}});
  std::vector<std::pair<TTreeNode*, int>> reports;
  tree_.Events.TextOverflow = [&](TTreeNode* n, int column, int needed) {
    EXPECT_EQ(column, 0);
    reports.emplace_back(n, needed);
    tree_.SetColumnWidth(0, needed);
  };
  InvalidateRect(Tree(), nullptr, FALSE);
  UpdateWindow(Tree());
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_GT(reports[0].second, 60);
  // Widened to the first text that did not fit; the next paint reports the next one.
  for (int i = 0; i < 5 && reports.size() < 10; ++i) UpdateWindow(Tree());
  ASSERT_GE(reports.size(), 2u);
  UpdateWindow(Tree());
  size_t settled = reports.size();
  InvalidateRect(Tree(), nullptr, FALSE);
  UpdateWindow(Tree());
  EXPECT_EQ(reports.size(), settled);
  EXPECT_EQ(tree_.Column(0).Width, tree_.FitColumnToContent(0));
}

// A picture for a person to look at: build/screenshots/check-tree.bmp.
TEST_F(TCheckTreeTest, ScreenshotOfChineseCaptions) {
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 4, 0);
  HDC screen = GetDC(nullptr);
  const COLORREF colours[] = {RGB(30, 120, 220), RGB(230, 140, 20), RGB(40, 160, 60), RGB(150, 60, 170)};
  for (COLORREF colour : colours) {
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT all = {0, 0, 16, 16}, inner = {2, 2, 14, 14};
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255)), fill = CreateSolidBrush(colour);
    FillRect(dc, &all, white);
    FillRect(dc, &inner, fill);
    DeleteObject(white);
    DeleteObject(fill);
    SelectObject(dc, old);
    DeleteDC(dc);
    ImageList_Add(images, bmp, nullptr);
    DeleteObject(bmp);
  }
  ReleaseDC(nullptr, screen);
  tree_.SetImageList(images);
  tree_.SetUseThemes(true);  // the look a user gets

  auto item = [&](TTreeNode* group, const char* caption, int image, bool checked) {
    TTreeNode* n = AddTriState(group, caption);
    n->Data.ImageIndex = image;
    model_.SetCheckState(n, checked ? TCheckState::Checked : TCheckState::Unchecked);
    return n;
  };
  TTreeNode* web = AddTriState(nullptr, "上网历史痕迹");
  web->Data.ImageIndex = 0;
  TTreeNode* ie = item(web, "Internet Explorer/腾讯TT浏览器 历史记录(12个记录，共1.5 MB)", 1, true);
  item(web, "Internet Explorer 地址栏网址历史", 1, false);
  TTreeNode* firefox = item(web, "FireFox 清理(3个文件，共24 KB)", 2, true);
  item(web, "谷歌 Chrome 清理", 3, true);
  AddResultNode(&model_, "C:\\Documents and Settings\\用户\\Local Settings\\History\\index.dat", true, "", ie, 0,
                "文件", "", "");
  TTreeNode* off = AddResultNode(&model_, "C:\\Documents and Settings\\用户\\Cookies\\用户@baidu[1].txt", true,
                                 "", ie, 0, "文件", "", "");
  model_.SetCheckState(off, TCheckState::Unchecked);
  AddResultNode(&model_, "C:\\Documents and Settings\\用户\\Application Data\\Mozilla\\Firefox\\places.sqlite",
                true, "", firefox, 0, "FireFox", "", "");
  TTreeNode* system = AddTriState(nullptr, "系统历史痕迹和临时文件");
  system->Data.ImageIndex = 2;
  item(system, "运行(开始菜单中，重启后生效)", 0, true);
  item(system, "最近打开的文件", 3, true);
  TTreeNode* apps = AddTriState(nullptr, "应用程序历史记录");
  apps->Data.ImageIndex = 3;
  item(apps, "Windows画图", 1, false);
  for (TTreeNode* n : {web, ie, firefox, system}) model_.SetExpanded(n, true);
  tree_.Events.PaintText = [&](TTreeNode* n, int, TCheckTreeTextStyle& s) {
    if (n == firefox) s.Color = RGB(255, 0, 0);  // the item being scanned
  };
  SetFocus(Tree());
  tree_.SetFocusedNode(ie);
  tree_.FitColumnToContent(0);

  TCapture c = Capture(Tree());
  ASSERT_FALSE(c.pixels.empty());
  std::wstring dir = ModuleDir() + L"\\..\\..\\screenshots";
  CreateDirectoryW(dir.c_str(), nullptr);
  EXPECT_TRUE(SaveBmp(c, dir + L"\\check-tree.bmp"));
  EXPECT_GT(c.Count(Rect(tree_, firefox, Part::Text), 0xFF0000), 10);
  tree_.SetImageList(nullptr);
  ImageList_Destroy(images);
}

}  // namespace

namespace {

// With the visual style where Wine has one active, and with classic frames: the six states
// are told apart either way.
TEST_F(TCheckTreeTest, BoxStatesDifferThemedAndClassic) {
  Build(1, 2, 2);
  TTreeNode* off = items_[0]->FirstChild();
  model_.SetCheckState(off, TCheckState::Unchecked);
  TTreeNode* on = off->NextSibling();
  TTreeNode* mixed = items_[0];
  for (bool themes : {false, true}) {
    tree_.SetUseThemes(themes);
    if (themes && !tree_.Themed()) std::printf("  no visual style active: classic boxes only\n");
    std::vector<std::vector<uint32_t>> looks;
    for (bool pressed : {false, true}) {
      for (TTreeNode* n : {off, on, mixed}) model_.SetPressed(n, pressed);
      TCapture c = Capture(Tree());
      for (TTreeNode* n : {off, on, mixed}) looks.push_back(c.Cut(Rect(tree_, n, Part::CheckBox)));
    }
    for (size_t i = 0; i < looks.size(); ++i)
      for (size_t j = i + 1; j < looks.size(); ++j)
        EXPECT_NE(looks[i], looks[j]) << "looks " << i << " and " << j << (themes ? " themed" : " classic");
    for (TTreeNode* n : {off, on, mixed}) model_.SetPressed(n, false);
  }
}

TEST_F(TCheckTreeTest, HeaderAndSidewaysScrollMoveTheCells) {
  Build(1, 2, 3);
  tree_.SetColumns({{300, TColumnAlign::Left, L"项目"}, {300, TColumnAlign::Right, L"大小"}});
  RECT before = Rect(tree_, items_[0], Part::Text);
  tree_.SetHeaderVisible(true);
  RECT below = Rect(tree_, items_[0], Part::Text);
  EXPECT_GT(below.top, before.top);
  POINT p = {(below.left + below.right) / 2, (below.top + below.bottom) / 2};
  EXPECT_EQ(tree_.HitTest(p.x, p.y).Node, items_[0]);
  EXPECT_EQ(tree_.HitTest(p.x, below.top - tree_.RowHeight()).Node, groups_[0]);
  EXPECT_EQ(tree_.HitTest(p.x, 2).Node, nullptr);  // on the header

  // Dragging a divider is a width change the header reports to the tree.
  HWND header = FindWindowExW(Tree(), nullptr, WC_HEADERW, nullptr);
  ASSERT_NE(header, nullptr);
  HDITEMW item = {};
  item.mask = HDI_WIDTH;
  item.cxy = 180;
  SendMessageW(header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(tree_.Column(0).Width, 180);

  // 480 pixels of columns in a narrower window scroll sideways.
  UpdateWindow(Tree());
  SendMessageW(Tree(), WM_HSCROLL, SB_LINERIGHT, 0);
  EXPECT_EQ(tree_.HorizontalOffset(), 16);
  EXPECT_EQ(Rect(tree_, items_[0], Part::Text).left, below.left - 16);
  SendMessageW(Tree(), WM_HSCROLL, SB_RIGHT, 0);
  RECT client;
  GetClientRect(Tree(), &client);
  EXPECT_EQ(tree_.HorizontalOffset(), 480 - client.right);
  tree_.SetHeaderVisible(false);
  EXPECT_EQ(Rect(tree_, items_[0], Part::Text).top, before.top);
}

}  // namespace
