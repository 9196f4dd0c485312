// TTextTag: a text of few distinct values (kind tags, root key names, the items' own
// captions) kept once per process and shared by every record that holds it, so that a
// record pays one pointer for it instead of a whole string. Reads as a const std::string.
// Creating one from any thread is safe; the kept texts live as long as the process.
#pragma once
#include <cstddef>
#include <ostream>
#include <string>

namespace core {

class TTextTag {
 public:
  TTextTag();
  TTextTag(const std::string& text);  // NOLINT: a tag stands for its text
  TTextTag(const char* text);         // NOLINT
  TTextTag& operator=(const std::string& text) { return *this = TTextTag(text); }
  TTextTag& operator=(const char* text) { return *this = TTextTag(text); }

  operator const std::string&() const { return *text_; }  // NOLINT
  const std::string& str() const { return *text_; }
  const char* c_str() const { return text_->c_str(); }
  bool empty() const { return text_->empty(); }
  size_t size() const { return text_->size(); }

  // Equal texts share one copy, so equal tags point to the same one.
  friend bool operator==(const TTextTag& a, const TTextTag& b) { return a.text_ == b.text_; }
  friend bool operator!=(const TTextTag& a, const TTextTag& b) { return a.text_ != b.text_; }

 private:
  const std::string* text_;
};

inline bool operator==(const TTextTag& a, const std::string& b) { return a.str() == b; }
inline bool operator==(const std::string& a, const TTextTag& b) { return a == b.str(); }
inline bool operator==(const TTextTag& a, const char* b) { return a.str() == b; }
inline bool operator==(const char* a, const TTextTag& b) { return a == b.str(); }
inline bool operator!=(const TTextTag& a, const std::string& b) { return a.str() != b; }
inline bool operator!=(const std::string& a, const TTextTag& b) { return a != b.str(); }
inline bool operator!=(const TTextTag& a, const char* b) { return a.str() != b; }
inline bool operator!=(const char* a, const TTextTag& b) { return a != b.str(); }
inline bool operator<(const TTextTag& a, const TTextTag& b) { return a.str() < b.str(); }
inline std::string operator+(const TTextTag& a, const std::string& b) { return a.str() + b; }
inline std::string operator+(const std::string& a, const TTextTag& b) { return a + b.str(); }
inline std::string operator+(const TTextTag& a, const char* b) { return a.str() + b; }
inline std::string operator+(const char* a, const TTextTag& b) { return a + b.str(); }
inline std::ostream& operator<<(std::ostream& out, const TTextTag& tag) { return out << tag.str(); }

// How many distinct texts the process keeps (for tests).
size_t TextTagCount();

}  // namespace core
