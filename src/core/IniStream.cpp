#include "core/IniStream.h"

namespace {
// Far above any news or settings file; a stream that never ends is refused here.
const size_t kMaxStreamText = 64u << 20;
}  // namespace

bool TStreamIniFile::LoadFromStream(core::TStream* stream) {
  try {
    if (!stream || stream->Seek(0, core::SeekBegin) != 0) return false;
    std::string bytes;
    char chunk[16384];
    for (;;) {
      int n = stream->Read(chunk, sizeof chunk);
      if (n < 0 || n > static_cast<int>(sizeof chunk)) return false;
      if (n == 0) break;
      if (bytes.size() + static_cast<size_t>(n) > kMaxStreamText) return false;
      bytes.append(chunk, static_cast<size_t>(n));
    }
    SetText(bytes);
    return true;
  } catch (...) {
    // The caller may be the settings library: nothing is thrown back across it.
    return false;
  }
}

bool TStreamIniFile::SaveToStream(core::TStream* stream) {
  try {
    if (!stream) return false;
    std::string text = Text();
    size_t done = 0;
    while (done < text.size()) {
      size_t rest = text.size() - done;
      int count = rest > (1u << 20) ? (1 << 20) : static_cast<int>(rest);
      int n = stream->Write(text.data() + done, count);
      if (n <= 0 || n > count) return false;
      done += static_cast<size_t>(n);
    }
    return true;
  } catch (...) {
    return false;
  }
}
