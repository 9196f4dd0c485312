// Measures the check tree over a large scan's worth of rows in one run and prints the figures:
// 1,000,000 findings added under 40 expanded items while the control observes the model, the
// first paint, the memory per row, a page scrolled at the end of the list, a column fitted
// to every row and the items unticked, each with its goal.
// usage: check_tree_bench [findings, default 1000000]
#include <windows.h>
#include <malloc.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "BenchTree.h"
#include "items/ResultRows.h"
#include "system/LibraryHandle.h"
#include "ui/CheckTree.h"

// The live bytes of every C++ allocation of the process, so that the memory per row is known
// to the byte and not only to the page.
static size_t g_live = 0;

void* operator new(size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  g_live += _msize(p);
  return p;
}
void* operator new[](size_t size) { return operator new(size); }
void operator delete(void* p) noexcept {
  if (p) g_live -= _msize(p);
  std::free(p);
}
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete(void* p, size_t) noexcept { operator delete(p); }
void operator delete[](void* p, size_t) noexcept { operator delete(p); }

namespace {

const int kGroups = 2, kItemsPerGroup = 20;

struct TClock {
  LARGE_INTEGER frequency, start;
  TClock() {
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
  }
  double Ms() {  // since the last call
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    double ms = 1000.0 * double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
    start = now;
    return ms;
  }
};

// Private bytes where the system reports them (psapi is looked up: not every Windows has
// the function in kernel32), else the page-file share.
struct TMemory {
  TLibrary psapi{"psapi.dll"};
  typedef BOOL(WINAPI* GetInfoFn)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);
  GetInfoFn get = psapi.Proc<GetInfoFn>("GetProcessMemoryInfo");

  PROCESS_MEMORY_COUNTERS_EX Read() const {
    PROCESS_MEMORY_COUNTERS_EX c = {};
    c.cb = sizeof c;
    if (!get || !get(GetCurrentProcess(), reinterpret_cast<PPROCESS_MEMORY_COUNTERS>(&c), sizeof c)) c.cb = 0;
    return c;
  }
};

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Heap bytes of the strings (SSO texts of up to 15 characters live in the node itself).
size_t StringBytes(const TTreeModel& model) {
  size_t bytes = 0;
  auto add = [&](const std::string& s) {
    if (s.capacity() > 15) bytes += s.capacity() + 1;
  };
  for (TTreeNode* n = model.GetFirst(); n; n = model.GetNext(n)) {
    add(n->Data.Caption);
    add(n->Data.Path);
    add(n->Data.Name);  // Kind and Root are shared tags, one copy for all rows
  }
  return bytes;
}

double PageScrollMs(HWND tree, int code, int repeats) {
  TClock clock;
  for (int i = 0; i < repeats; ++i) {
    SendMessageW(tree, WM_VSCROLL, code, 0);
    UpdateWindow(tree);
    SendMessageW(tree, WM_VSCROLL, code == SB_PAGEUP ? SB_PAGEDOWN : SB_PAGEUP, 0);
    UpdateWindow(tree);
  }
  return clock.Ms() / (2.0 * repeats);
}

}  // namespace

int main(int argc, char** argv) {
  const int findings = argc > 1 ? std::max(40, std::atoi(argv[1])) : 1000000;
  const int perItem = findings / (kGroups * kItemsPerGroup);

  WNDCLASSW wc = {};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"PurvexCheckTreeBench";
  RegisterClassW(&wc);
  HWND host = CreateWindowExW(0, wc.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                              640, 520, nullptr, nullptr, wc.hInstance, nullptr);
  if (!host) {
    std::printf("no window (is there a display?)\n");
    return 1;
  }
  RECT client;
  GetClientRect(host, &client);
  HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0, L"宋体");
  TMemory memory;
  TTreeModel model;
  std::vector<TTreeNode*> items;
  {
    TCheckTree tree;
    tree.Create(host, 1, client);
    SendMessageW(tree.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    tree.SetColumns({{client.right - 30, TColumnAlign::Left, L""}});
    tree.SetModel(&model);
    // The scan driver paints the current item red; the paints below pay for that callback.
    TTreeNode* current = nullptr;
    tree.Events.PaintText = [&](TTreeNode* n, int, TCheckTreeTextStyle& s) {
      if (n == current) s.Color = RGB(255, 0, 0);
    };
    ShowWindow(host, SW_SHOWNORMAL);
    Pump();
    PROCESS_MEMORY_COUNTERS_EX before = memory.Read();
    const size_t liveBefore = g_live;

    // The captions as a scan hands them over (made before the clock starts; the rows take
    // their buffers).
    std::vector<std::string> captions;
    captions.reserve(size_t(perItem) * kGroups * kItemsPerGroup);
    char caption[128];
    for (int i = 0; i < kGroups * kItemsPerGroup; ++i)
      for (int f = 0; f < perItem; ++f) {
        std::snprintf(caption, sizeof caption,
                      "C:\\Documents and Settings\\用户\\Local Settings\\Temp\\扫描%02u\\file%05d.tmp", unsigned(i), f);
        captions.emplace_back(caption);
      }

    TClock clock;
    // Groups and items as the catalogue makes them: tri-state boxes, checked.
    auto box = [&](TTreeNode* parent, const char* caption, int image) {
      Column4TreeData d;
      d.Caption = d.Kind = caption;
      d.ImageIndex = image;
      return model.AddChild(parent, d, TCheckType::TriState, TCheckState::Checked);
    };
    for (int g = 0; g < kGroups; ++g) {
      TTreeNode* group = box(nullptr, "垃圾文件清理", 46);
      for (int i = 0; i < kItemsPerGroup; ++i) items.push_back(box(group, "临时文件", 1));
      model.SetExpanded(group, true);
    }
    const std::string kind = "文件", none;
    size_t next = 0;
    for (size_t i = 0; i < items.size(); ++i) {
      current = items[i];
      model.SetExpanded(items[i], true);  // shown while they fill, as during a scan
      for (int f = 0; f < perItem; ++f) AddResultNode(&model, std::move(captions[next++]), true, none, items[i], 0, kind, none, none);
      SetItemSuffix(&model, items[i], "(2500个文件)");
    }
    double addMs = clock.Ms();
    UpdateWindow(tree.Handle());
    double paintMs = clock.Ms();
    std::vector<std::string>().swap(captions);  // only the rows' strings stay
    PROCESS_MEMORY_COUNTERS_EX after = memory.Read();
    double processMb = -1;
    const size_t allocated = g_live - liveBefore;

    const size_t rows = model.VisibleRowCount();
    const size_t strings = StringBytes(model);
    std::printf("check tree, %u rows (%d findings under %u items), %u rows on a page\n", unsigned(rows),
                perItem * int(items.size()), unsigned(items.size()), unsigned(tree.PageRows()));
    std::printf("  add all rows (control observing)     %9.1f ms\n", addMs);
    std::printf("  first paint                          %9.2f ms\n", paintMs);
    std::printf("  added and painted                    %9.1f ms   (%.1f ms per 10,000 rows)\n", addMs + paintMs,
                (addMs + paintMs) * 10000.0 / double(rows));

    const double stringsPerRow = double(strings) / double(rows);
    std::printf("  heap per row                         %9.1f B    (of them strings %.1f B)\n",
                double(allocated) / double(rows), stringsPerRow);
    std::printf("  heap per row beyond the strings      %9.1f B    (node %u B, control 0 B)\n",
                double(allocated - strings) / double(rows), unsigned(sizeof(TTreeNode)));
    if (after.cb && before.cb) {
      // Wine reports no private bytes; its page-file figure is the anonymous resident memory.
      SIZE_T privateBytes = after.PrivateUsage - before.PrivateUsage;
      if (privateBytes == 0) privateBytes = after.PagefileUsage - before.PagefileUsage;
      std::printf("  process memory per row               %9.1f B    (working set %.1f B; with heap overhead)\n",
                  double(privateBytes) / double(rows),
                  double(after.WorkingSetSize - before.WorkingSetSize) / double(rows));
      std::printf("  process memory per row beyond strings%9.1f B\n",
                  (double(privateBytes) - double(strings)) / double(rows));
      SIZE_T total = after.PrivateUsage ? after.PrivateUsage : after.PagefileUsage;
      processMb = double(total) / (1024.0 * 1024.0);
      std::printf("  process memory in all                %9.1f MB\n", processMb);
    } else {
      std::printf("  process memory: GetProcessMemoryInfo unavailable\n");
    }

    // A page painted again where it is: the cost of drawing, without scrolling.
    clock.Ms();
    for (int i = 0; i < 20; ++i) {
      InvalidateRect(tree.Handle(), nullptr, FALSE);
      UpdateWindow(tree.Handle());
    }
    std::printf("  repaint of a page in place           %9.2f ms   (mean of 20)\n", clock.Ms() / 20);

    // A page at the end of the list: the deepest rows the model has to find.
    clock.Ms();
    SendMessageW(tree.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    UpdateWindow(tree.Handle());
    double jumpMs = clock.Ms();
    double pageMs = PageScrollMs(tree.Handle(), SB_PAGEUP, 20);
    std::printf("  jump to the end and paint            %9.2f ms\n", jumpMs);
    std::printf("  one page scrolled at the end         %9.2f ms   (mean of 40)\n", pageMs);

    SendMessageW(tree.Handle(), WM_VSCROLL, SB_TOP, 0);
    UpdateWindow(tree.Handle());
    clock.Ms();
    int width = tree.FitColumnToContent(0);
    double fitMs = clock.Ms();
    std::printf("  fit column 0 over every row          %9.1f ms   (%d px)\n", fitMs, width);

    clock.Ms();
    for (TTreeNode* item : items) model.UserToggleCheck(item);
    UpdateWindow(tree.Handle());
    const double untickMs = clock.Ms();
    std::printf("  untick the 40 items and paint        %9.2f ms\n", untickMs);

    char what[96];
    std::snprintf(what, sizeof what, "check tree, %d findings added and painted", perItem * int(items.size()));
    bench::PrintGoal(what, addMs + paintMs, "ms", 1000);
    const double beyond = double(allocated - strings) / double(rows);
    if (sizeof(void*) == 4)
      bench::PrintGoal("check tree, heap per row beyond the strings", beyond, "B", 128);
    else
      std::printf("check tree, heap per row beyond the strings: %.2f B (64-bit build; the goal of 128 B is the 32-bit build's)\n",
                  beyond);
    std::snprintf(what, sizeof what, "check tree, process memory with %d findings", perItem * int(items.size()));
    if (processMb < 0)
      std::printf("%s: not reported by this system\n", what);
    else if (sizeof(void*) == 4)
      bench::PrintGoal(what, processMb, "MB", 400);
    else
      std::printf("%s: %.1f MB (64-bit build; the goal of 400 MB is the 32-bit build's)\n", what, processMb);
    bench::PrintGoal("check tree, one page scrolled at the end", pageMs, "ms", 50);
    bench::PrintGoal("check tree, column fitted over every row", fitMs, "ms", 50);
    bench::PrintGoal("check tree, all items unticked and painted", untickMs, "ms", 50);
    tree.SetModel(nullptr);
  }
  DestroyWindow(host);
  DeleteObject(font);
  return 0;
}
