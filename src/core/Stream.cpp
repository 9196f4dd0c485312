#include "core/Stream.h"

#include <cstring>

namespace core {

namespace {
// Memory streams stay far below this; a larger position is refused rather than allocated.
const long long kMaxMemoryStreamSize = 1LL << 30;
}  // namespace

long long TMemoryStream::Seek(long long offset, TSeekOrigin origin) {
  long long base = origin == SeekBegin ? 0
                   : origin == SeekCurrent ? static_cast<long long>(position_)
                   : origin == SeekEnd     ? static_cast<long long>(data_.size())
                                           : -1;
  if (base < 0 || offset < -base || offset > kMaxMemoryStreamSize - base) return -1;
  position_ = static_cast<size_t>(base + offset);
  return static_cast<long long>(position_);
}

int TMemoryStream::Read(void* buffer, int count) {
  if (count < 0 || (count > 0 && !buffer)) return -1;
  if (count == 0 || position_ >= data_.size()) return 0;
  size_t n = data_.size() - position_;
  if (n > static_cast<size_t>(count)) n = static_cast<size_t>(count);
  std::memcpy(buffer, data_.data() + position_, n);
  position_ += n;
  return static_cast<int>(n);
}

int TMemoryStream::Write(const void* buffer, int count) {
  if (count < 0 || (count > 0 && !buffer)) return -1;
  if (static_cast<long long>(position_) + count > kMaxMemoryStreamSize) return -1;
  size_t end = position_ + static_cast<size_t>(count);
  if (end > data_.size()) data_.resize(end, '\0');
  if (count > 0) std::memcpy(&data_[position_], buffer, static_cast<size_t>(count));
  position_ = end;
  return count;
}

}  // namespace core
