// The record behind every node of the cleaning item tree: groups, items and findings.
#pragma once
#include <cstdint>
#include <string>

#include "core/TextTag.h"

// All texts are code page 936 (GBK).
//   group / item: Caption = shown text (base caption plus summary), Path = "推荐" or "可选",
//                 Kind = base caption (the item's identity, never changed), Name/Root empty.
//   finding:      Caption = shown text, Path = key path, file or store path, Name = value
//                 name, table or tag, Kind = kind tag the clean dispatches on, Root = root
//                 key name, SQL condition or tag; no image.
// Kind and Root take few distinct values: each is one pointer to a text shared by every
// record (a scan adds hundreds of thousands of records).
struct Column4TreeData {
  std::string Caption;
  std::string Path;
  std::string Name;
  core::TTextTag Kind;
  core::TTextTag Root;
  int32_t ImageIndex = -1;
};
