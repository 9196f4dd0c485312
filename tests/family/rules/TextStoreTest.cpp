// The junk engine's path store: texts stay intact where they were written while thousands
// more arrive, across block ends and for texts longer than a block.
#include "TextStore.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace junk;

namespace {

std::wstring Text(std::mt19937& random, size_t length) {
  std::wstring text(length, L'\0');
  for (wchar_t& c : text) c = static_cast<wchar_t>(0x20 + random() % 0x4E00);
  return text;
}

void ExpectAllKept(const std::vector<std::pair<const wchar_t*, std::wstring>>& kept) {
  for (size_t i = 0; i < kept.size(); ++i) {
    ASSERT_EQ(std::wstring(kept[i].first, kept[i].second.size()), kept[i].second) << "text " << i;
    ASSERT_EQ(kept[i].first[kept[i].second.size()], L'\0') << "text " << i;
  }
}

}  // namespace

TEST(JunkTextStore, TextsStayWhereTheyWereWritten) {
  std::mt19937 random(9);
  TTextStore store;
  for (int scan = 0; scan < 2; ++scan) {  // the second fills the blocks of the first again
    std::vector<std::pair<const wchar_t*, std::wstring>> kept;
    for (int i = 0; i < 6000; ++i) {
      // Mostly path lengths, now and then empty or longer than a whole block.
      size_t length = i % 997 == 5 ? 70000 + random() % 1000 : i % 13 == 0 ? 0 : random() % 300;
      kept.emplace_back(nullptr, Text(random, length));
      kept.back().first = store.Add(kept.back().second.data(), length);
    }
    ExpectAllKept(kept);
    store.Clear();
  }
}

TEST(JunkTextStore, ATextThatExactlyFillsABlockLeavesTheNextOneWhole) {
  TTextStore store;
  const std::wstring first(64 * 1024 - 1, L'a');  // with its NUL: one whole block
  std::vector<std::pair<const wchar_t*, std::wstring>> kept;
  kept.emplace_back(store.Add(first.data(), first.size()), first);
  const std::wstring second = L"C:\\Temp\\b.tmp";
  kept.emplace_back(store.Add(second.data(), second.size()), second);
  const std::wstring third(64 * 1024, L'c');  // one more than a block can hold
  kept.emplace_back(store.Add(third.data(), third.size()), third);
  ExpectAllKept(kept);
}
