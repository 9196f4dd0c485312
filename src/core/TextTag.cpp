#include "core/TextTag.h"

#include <atomic>
#include <unordered_set>

namespace core {

namespace {

// Never destroyed: tags in static records may outlive any destruction order.
std::unordered_set<std::string>& Texts() {
  static auto* texts = new std::unordered_set<std::string>();
  return *texts;
}

const std::string& Empty() {
  static const auto* empty = new std::string();
  return *empty;
}

std::atomic_flag g_busy = ATOMIC_FLAG_INIT;

class TLock {
 public:
  TLock() {
    while (g_busy.test_and_set(std::memory_order_acquire)) {
    }
  }
  ~TLock() { g_busy.clear(std::memory_order_release); }
};

// The text kept last: rows are added in runs of one kind, so most look-ups end here
// without the lock (kept texts never change or go).
std::atomic<const std::string*> g_last{nullptr};

const std::string* Keep(const std::string& text) {
  if (text.empty()) return &Empty();
  const std::string* last = g_last.load(std::memory_order_acquire);
  if (last && *last == text) return last;
  TLock lock;
  const std::string* kept = &*Texts().insert(text).first;
  g_last.store(kept, std::memory_order_release);
  return kept;
}

}  // namespace

TTextTag::TTextTag() : text_(&Empty()) {}
TTextTag::TTextTag(const std::string& text) : text_(Keep(text)) {}
TTextTag::TTextTag(const char* text) : text_(text ? Keep(std::string(text)) : &Empty()) {}

size_t TextTagCount() {
  TLock lock;
  return Texts().size();
}

}  // namespace core
