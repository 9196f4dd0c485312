#include "TextStore.h"

#include <algorithm>
#include <cstring>

namespace junk {

const wchar_t* TTextStore::Add(const wchar_t* text, size_t length) {
  const size_t need = length + 1;
  // A text longer than a block gets a block of its own size.
  while (current_ < blocks_.size() && blocks_[current_].Size - used_ < need) {
    ++current_;
    used_ = 0;
  }
  if (current_ == blocks_.size()) {
    const size_t size = std::max(kBlockChars, need);
    blocks_.push_back(TBlock{std::unique_ptr<wchar_t[]>(new wchar_t[size]), size});
    used_ = 0;
  }
  wchar_t* out = blocks_[current_].Text.get() + used_;
  std::memcpy(out, text, length * sizeof(wchar_t));
  out[length] = L'\0';
  used_ += need;
  return out;
}

void TTextStore::Clear() {
  current_ = 0;
  used_ = 0;
}

}  // namespace junk
