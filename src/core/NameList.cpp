#include "core/NameList.h"

#include "core/GbkText.h"

namespace core {

void TNameList::Clear() {
  names_.clear();
  folded_.clear();
}

void TNameList::Add(const std::string& name) {
  names_.push_back(name);
  folded_.insert(LowerGbk(name));
}

bool TNameList::Contains(const std::string& name) const { return folded_.count(LowerGbk(name)) != 0; }

}  // namespace core
