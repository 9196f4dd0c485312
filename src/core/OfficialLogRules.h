// The news file's keys: an official-log entry's title and colour, and the notes' lines.
#pragma once
#include <cstdint>
#include <string>

namespace core {

struct TLogEntryKey {
  std::string Title;
  std::string Colour;  // empty without a "|"
};

// "Title|clRed": the title before the first "|", the colour name after it.
TLogEntryKey SplitLogEntryKey(const std::string& key);

// The entry's text colour as 0x00BBGGRR: green without a name, the named colours, and -1
// (the tree's normal colour) for any other name.
int32_t LogEntryColour(const std::string& colourName);

// A notes key "Cleaner|text": true with the text after the first "|"; false for any
// other key.
bool NoteLineOfKey(const std::string& key, std::string& text);

}  // namespace core
