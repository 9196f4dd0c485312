// Widths of UTF-16 texts in one font, summed from the advance widths of their characters.
// GDI's text extent is that same sum (it applies no kerning), so a column can be fitted to
// 100,000 texts without 100,000 calls into GDI: the advances are asked for once per block
// of 256 characters, when a text first needs one.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

class TTextWidthTable {
 public:
  TTextWidthTable() = default;
  TTextWidthTable(const TTextWidthTable&) = delete;
  TTextWidthTable& operator=(const TTextWidthTable&) = delete;

  // Forgets every width; the next Width asks the font again.
  void Reset();
  // dc must have the table's font selected whenever a block is missing.
  int Width(HDC dc, const wchar_t* text, size_t length);
  int Width(HDC dc, const std::wstring& text) { return Width(dc, text.data(), text.size()); }

 private:
  static constexpr int kBlockBits = 8;
  static constexpr int kBlocks = 0x10000 >> kBlockBits;
  const uint16_t* Block(HDC dc, unsigned index);

  std::unique_ptr<uint16_t[]> blocks_[kBlocks];
};
