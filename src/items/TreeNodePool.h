// Storage of the tree's nodes: allocated in chunks (no heap block per node) and recycled
// through a free list, so that 100,000 findings cost little more than their records.
#pragma once
#include <cstddef>
#include <memory>
#include <vector>

class TTreeNode;

class TTreeNodePool {
 public:
  TTreeNodePool();
  ~TTreeNodePool();
  TTreeNodePool(const TTreeNodePool&) = delete;
  TTreeNodePool& operator=(const TTreeNodePool&) = delete;

  // A node in its initial state; its address stays valid until it is released.
  TTreeNode* Allocate();
  // Frees the node's strings and keeps the node for the next Allocate.
  void Release(TTreeNode* node);
  // Every node goes and the memory is returned.
  void Clear();
  size_t LiveCount() const { return live_; }

 private:
  std::vector<std::unique_ptr<TTreeNode[]>> chunks_;
  size_t usedInLast_ = 0;
  TTreeNode* free_ = nullptr;
  size_t live_ = 0;
};
