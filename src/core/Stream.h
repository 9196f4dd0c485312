// A small byte-stream interface and its in-memory implementation. The interface crosses
// binaries (the settings library hands the program a stream of its own), so it has only
// pure virtual operations in a fixed order and no virtual destructor: whoever creates a
// stream also destroys it.
#pragma once
#include <string>

namespace core {

enum TSeekOrigin : int { SeekBegin = 0, SeekCurrent = 1, SeekEnd = 2 };

class TStream {
 public:
  // The new position, or -1 (position unchanged) when it would lie before the start.
  virtual long long Seek(long long offset, TSeekOrigin origin) = 0;
  // Bytes copied into buffer, 0 at the end, -1 on a read error.
  virtual int Read(void* buffer, int count) = 0;
  // Bytes written at the position, -1 on a write error.
  virtual int Write(const void* buffer, int count) = 0;

 protected:
  ~TStream() = default;
};

// Bytes in memory; writing past the end extends them (a gap is filled with zeros).
class TMemoryStream final : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::string bytes) : data_(std::move(bytes)) {}
  ~TMemoryStream() = default;

  long long Seek(long long offset, TSeekOrigin origin) override;
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;

  const std::string& Bytes() const { return data_; }

 private:
  std::string data_;
  size_t position_ = 0;
};

}  // namespace core
