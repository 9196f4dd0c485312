// The paths of a scan's findings, kept end to end in large blocks: a million findings cost
// no heap block each, and a text never moves once written (findings point into it).
#pragma once
#include <cstddef>
#include <memory>
#include <vector>

namespace junk {

class TTextStore {
 public:
  // Copies the text in, with a terminating NUL; it stays where it is until Clear.
  const wchar_t* Add(const wchar_t* text, size_t length);
  // Forgets every text. The blocks stay for the next scan, as a vector keeps its capacity.
  void Clear();

 private:
  static constexpr size_t kBlockChars = 64 * 1024;
  struct TBlock {
    std::unique_ptr<wchar_t[]> Text;
    size_t Size;
  };
  std::vector<TBlock> blocks_;
  size_t current_ = 0;  // the block being filled
  size_t used_ = 0;     // of it
};

}  // namespace junk
