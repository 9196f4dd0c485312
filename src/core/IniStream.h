// TStreamIniFile: an in-memory INI file with a remembered file name, filled and written
// through streams. The family's settings library fills an object of the program through
// its virtual LoadFromStream alone: it compiles this declaration but none of the code, so
// the order of the virtual operations below is part of the library's contract. Writing it
// to a file is the program's (app/IniPackage.h).
#pragma once
#include <string>

#include "core/IniText.h"
#include "core/Stream.h"

// The memory INI: sections and keys in memory, a file name that is only remembered.
class TMemIniFile : public core::TIniText {
 public:
  explicit TMemIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
  virtual ~TMemIniFile() = default;

  const std::string& FileName() const { return fileName_; }

 private:
  std::string fileName_;
};

class TStreamIniFile : public TMemIniFile {
 public:
  explicit TStreamIniFile(std::string fileName = std::string()) : TMemIniFile(std::move(fileName)) {}

  // The first two virtual operations of this class, right after the destructor of the
  // memory INI. Keep them first.

  // Rewinds the stream, reads it to its end and replaces the whole content with its
  // lines. False (content unchanged) when the stream cannot be read.
  virtual bool LoadFromStream(core::TStream* stream);
  // Writes the content as text lines at the stream's position. False on a write error.
  virtual bool SaveToStream(core::TStream* stream);
};
