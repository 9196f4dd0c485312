#include "items/TreeNodePool.h"

#include <new>

#include "items/TreeModel.h"

namespace {
constexpr size_t kChunkNodes = 1024;
}

TTreeNodePool::TTreeNodePool() = default;
TTreeNodePool::~TTreeNodePool() = default;

TTreeNode* TTreeNodePool::Allocate() {
  TTreeNode* node;
  if (free_) {
    node = free_;
    free_ = node->next_;
    node->next_ = nullptr;
  } else {
    if (chunks_.empty() || usedInLast_ == kChunkNodes) {
      chunks_.emplace_back(new TTreeNode[kChunkNodes]);
      usedInLast_ = 0;
    }
    node = &chunks_.back()[usedInLast_++];
  }
  ++live_;
  return node;
}

void TTreeNodePool::Release(TTreeNode* node) {
  // Rebuilt in place rather than assigned: assigning an empty string may keep the old
  // buffer, and a scan's worth of captions should not stay allocated.
  node->~TTreeNode();
  new (node) TTreeNode();
  node->next_ = free_;
  free_ = node;
  --live_;
}

void TTreeNodePool::Clear() {
  chunks_.clear();
  usedInLast_ = 0;
  free_ = nullptr;
  live_ = 0;
}
