#include "ui/TextWidthTable.h"

#include <algorithm>
#include <cstring>

namespace {
const UINT kGbk = 936;
}

void TTextWidthTable::Reset() {
  for (auto& block : blocks_) block.reset();
  gbkBuilt_ = false;
  gbkSingle_.reset();
  gbkPairs_.reset();
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

// A pair's width is what the system's own conversion makes of it, asked the first time a
// text holds the pair: a font's whole table of GBK characters would cost tens of
// milliseconds of glyph metrics, most of them never shown.
uint16_t TTextWidthTable::PairWidth(HDC dc, unsigned lead, unsigned trail) {
  uint16_t& width = gbkPairs_[(lead - kFirstLead) * kTrails + (trail - kFirstTrail)];
  if (width == kUnknown) {
    const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    wchar_t wide[2];
    width = MultiByteToWideChar(kGbk, 0, pair, 2, wide, 2) == 1
                ? static_cast<uint16_t>(std::min(Width(dc, wide, 1), int(kNoPair) - 1))
                : kNoPair;
  }
  return width;
}

bool TTextWidthTable::BuildGbk(HDC dc) {
  gbkBuilt_ = true;
  char bytes[0x80];
  wchar_t wide[0x80];
  for (unsigned b = 0; b < 0x80; ++b) bytes[b] = static_cast<char>(b);
  if (MultiByteToWideChar(kGbk, 0, bytes, 0x80, wide, 0x80) != 0x80) return false;  // no code page 936 here
  gbkSingle_.reset(new uint16_t[0x80]);
  for (unsigned b = 0; b < 0x80; ++b) gbkSingle_[b] = static_cast<uint16_t>(Width(dc, &wide[b], 1));
  gbkPairs_.reset(new uint16_t[kLeads * kTrails]);
  std::fill(gbkPairs_.get(), gbkPairs_.get() + kLeads * kTrails, kUnknown);
  return true;
}

bool TTextWidthTable::GbkWidth(HDC dc, const char* text, size_t length, int& width) {
  if (!gbkSingle_ && (gbkBuilt_ || !BuildGbk(dc))) return false;
  const uint16_t* single = gbkSingle_.get();
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  int total = 0;
  size_t i = 0;
  while (i < length) {
    // Eight ASCII bytes at a time: paths are mostly ASCII, and a test per byte costs more
    // than the sum.
    uint64_t word;
    if (i + 8 <= length && (std::memcpy(&word, p + i, 8), (word & 0x8080808080808080ull) == 0)) {
      total += single[p[i]] + single[p[i + 1]] + single[p[i + 2]] + single[p[i + 3]] + single[p[i + 4]] +
               single[p[i + 5]] + single[p[i + 6]] + single[p[i + 7]];
      i += 8;
      continue;
    }
    unsigned b = p[i];
    if (b < 0x80) {
      total += single[b];
      ++i;
      continue;
    }
    // A byte that starts no pair the table knows sends the text to the conversion, which
    // decides what invalid bytes become.
    if (b < kFirstLead || b >= kFirstLead + kLeads || i + 1 == length) return false;
    unsigned trail = p[i + 1];
    if (trail < kFirstTrail || trail >= kFirstTrail + kTrails) return false;
    uint16_t w = PairWidth(dc, b, trail);
    if (w == kNoPair) return false;
    total += w;
    i += 2;
  }
  width = total;
  return true;
}
