// How handlers report into the cleaning item tree: the node adders, the per-finding
// counter, the item caption suffix and the reset between scans. No Windows calls.
#pragma once
#include <cstdint>
#include <string>

#include "items/ScanTotals.h"
#include "items/TreeModel.h"

// Kind of a plain file finding, and of a folder finding (the folder with its files); the
// file removers take them.
inline const char* const kKindFile = "文件";
inline const char* const kKindFolder = "目录";

// The one way nodes are created. Null tree: nothing, null. Without a parent the node goes
// to the top level and becomes the focused node, else it is the parent's last child. A
// finding is a plain check box, checked, without image (image is ignored); other nodes
// get no box here (the catalogue gives them theirs) and the image.
TTreeNode* AddResultNode(TTreeModel* tree, std::string caption, bool isFinding,
                         const std::string& root, TTreeNode* parent, int32_t image,
                         const std::string& kind, std::string name,
                         std::string path);

// Kind of a registry finding of the 64-bit view (those of the default view have none).
inline const char* const kKindView64 = "x64";

// One registry finding under item: Path the key path, Name the value name (empty for the
// whole key), Root the root key's full name. A finding of the 64-bit view shows "64位分支:"
// before its caption and carries Kind "x64". Nothing is added (null returned) when caption
// or key path is empty or there is no item. Image, category caption and extra text are
// accepted from the callers but not kept.
TTreeNode* AddRegistryFinding(TTreeModel* tree, const std::string& caption,
                              const std::string& keyPath, bool is64, TTreeNode* item,
                              const std::string& rootName, int32_t image,
                              const std::string& categoryCaption, const std::string& extraText,
                              const std::string& valueName);

// Called once per file finding a handler adds: a size above 0 goes into the item's size and
// the scan total; the item's count and the scan's count go up by one. The size is a signed
// 32-bit count, so a file of 2 GiB or more does not add its real size.
void CountFinding(int32_t size, int64_t& itemSize, int32_t& itemCount, TScanTotals& totals);

// The item's caption becomes its base caption (Kind) followed by text, so a new suffix
// replaces the old one and an empty text restores the plain caption; the row is repainted.
// A null item is ignored.
void SetItemSuffix(TTreeModel* tree, TTreeNode* item, const std::string& text);

// Before a scan: every item of every group loses its findings and gets its plain caption
// back; groups, items and their check states stay as they are.
void ClearFindings(TTreeModel* tree);
