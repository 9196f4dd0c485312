// A list of registry names in the order they were read, searched without regard to the
// letter case of ASCII letters (double-byte characters of code page 936 match exactly).
// The look-up is hashed: the class lists run to tens of thousands of names.
#pragma once
#include <string>
#include <unordered_set>
#include <vector>

namespace core {

class TNameList {
 public:
  void Clear();
  void Add(const std::string& name);
  // Any letter case of an added name.
  bool Contains(const std::string& name) const;
  const std::vector<std::string>& Names() const { return names_; }
  bool Empty() const { return names_.empty(); }
  size_t Size() const { return names_.size(); }

 private:
  std::vector<std::string> names_;
  std::unordered_set<std::string> folded_;
};

}  // namespace core
