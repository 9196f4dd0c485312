// The record behind every node of the cleaning item tree: groups, items and findings.
#pragma once
#include <cstdint>
#include <string>

// All texts are code page 936 (GBK).
//   group / item: Caption = shown text (base caption plus summary), Path = "推荐" or "可选",
//                 Kind = base caption (the item's identity, never changed), Name/Root empty.
//   finding:      Caption = shown text, Path = key path, file or store path, Name = value
//                 name, table or tag, Kind = kind tag the clean dispatches on, Root = root
//                 key name, SQL condition or tag; no image.
struct Column4TreeData {
  std::string Caption;
  std::string Path;
  std::string Name;
  std::string Kind;
  std::string Root;
  int32_t ImageIndex = -1;
};
