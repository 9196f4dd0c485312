// Widths of texts in one font, summed from the advance widths of their characters. GDI's
// text extent is that same sum (it applies no kerning), so a column can be fitted to
// 1,000,000 texts without 1,000,000 calls into GDI: the advances are asked for once per
// block of 256 characters, when a text first needs one. GBK texts (code page 936) are
// measured byte by byte from a table of their characters' advances, without a conversion.
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

  // The width of a GBK text's UTF-16 conversion, summed without converting it. False for a
  // text the table cannot read on its own (a byte from 0x80 up that starts no valid pair,
  // or no code page 936 on the system), which the caller measures converted.
  bool GbkWidth(HDC dc, const char* text, size_t length, int& width);

 private:
  static constexpr int kBlockBits = 8;
  static constexpr int kBlocks = 0x10000 >> kBlockBits;
  // GBK pairs: lead bytes 0x81-0xFE, trail bytes 0x40-0xFE.
  static constexpr unsigned kFirstLead = 0x81, kLeads = 0xFE - kFirstLead + 1;
  static constexpr unsigned kFirstTrail = 0x40, kTrails = 0xFE - kFirstTrail + 1;
  static constexpr uint16_t kUnknown = 0xFFFF, kNoPair = 0xFFFE;

  const uint16_t* Block(HDC dc, unsigned index);
  bool BuildGbk(HDC dc);
  uint16_t PairWidth(HDC dc, unsigned lead, unsigned trail);

  std::unique_ptr<uint16_t[]> blocks_[kBlocks];
  bool gbkBuilt_ = false;
  std::unique_ptr<uint16_t[]> gbkSingle_;  // bytes 0x00-0x7F; null: the system has no code page 936
  // [lead - 0x81][trail - 0x40]: kUnknown until asked, kNoPair where the conversion does not
  // make one character of the pair.
  std::unique_ptr<uint16_t[]> gbkPairs_;
};
