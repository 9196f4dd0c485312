#include "ui/TextWidthTable.h"

void TTextWidthTable::Reset() {
  for (auto& block : blocks_) block.reset();
}

const uint16_t* TTextWidthTable::Block(HDC dc, unsigned index) {
  std::unique_ptr<uint16_t[]>& block = blocks_[index];
  if (!block) {
    const unsigned size = 1u << kBlockBits;
    const UINT first = index << kBlockBits;
    INT widths[size] = {};
    // A font that cannot answer for a whole block is asked character by character.
    if (!GetCharWidth32W(dc, first, first + size - 1, widths)) {
      SIZE extent = {};
      for (unsigned i = 0; i < size; ++i) {
        wchar_t c = static_cast<wchar_t>(first + i);
        widths[i] = GetTextExtentPoint32W(dc, &c, 1, &extent) ? extent.cx : 0;
      }
    }
    block.reset(new uint16_t[size]);
    for (unsigned i = 0; i < size; ++i)
      block[i] = static_cast<uint16_t>(widths[i] < 0 ? 0 : widths[i] > 0xFFFF ? 0xFFFF : widths[i]);
  }
  return block.get();
}

int TTextWidthTable::Width(HDC dc, const wchar_t* text, size_t length) {
  int total = 0;
  const unsigned mask = (1u << kBlockBits) - 1;
  for (size_t i = 0; i < length; ++i) {
    unsigned c = static_cast<uint16_t>(text[i]);
    total += Block(dc, c >> kBlockBits)[c & mask];
  }
  return total;
}
