#include "items/ItemSummary.h"

#include "system/ByteSizeText.h"

std::string FormatSummary(int32_t count, const std::string& unitWord, int64_t size) {
  std::string text = "(" + std::to_string(count) + "个" + unitWord;
  if (size > 0) text += "，共" + FormatByteSize(size);
  return text + ")";
}

std::string FormatFileRegistrySummary(int32_t files, int32_t registryEntries, int64_t size) {
  return "(" + std::to_string(files) + "个文件，" + std::to_string(registryEntries) +
         "项注册表，共" + FormatByteSize(size) + ")";
}

std::string FormatFileSizeSummary(int32_t files, int64_t size) {
  return "(" + std::to_string(files) + "个文件，共" + FormatByteSize(size) + ")";
}
