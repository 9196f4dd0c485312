#include "core/ExePathRules.h"

#include "core/GbkText.h"
#include "core/OSVersionRules.h"
#include "core/PathText.h"

namespace core {

namespace {

// A command that starts with a quote keeps what stands inside the (possibly doubled)
// opening quotes; otherwise one quoted stretch loses its quotes and whatever follows it.
std::string StripQuotes(std::string s) {
  if (!s.empty() && s[0] == '"') {
    s.erase(0, 1);
    if (!s.empty() && s[0] == '"') s.erase(0, 1);
    size_t q = s.find('"');
    if (q != std::string::npos) s.resize(q);
    return s;
  }
  size_t q = s.find('"');
  if (q != std::string::npos) {
    s.erase(q, 1);
    size_t next = s.find('"', q);
    if (next != std::string::npos) s.resize(next);
  }
  return s;
}

// First occurrence of sep that directly follows a three-letter extension ("x.dll,1").
// Later occurrences are looked at too: a folder named "My -Tools" must not hide the
// switch after "run.com", or a valid command would be reported as a missing file.
size_t SeparatorAfterExtension(const std::string& s, const std::string& sep) {
  for (size_t p = FindGbk(s, sep); p != std::string::npos; p = FindGbk(s, sep, p + 1)) {
    if (p >= 4 && s[p - 4] == '.') return p;
  }
  return std::string::npos;
}

}  // namespace

std::string ExtractExePath(const std::string& commandLine) {
  std::string s = CollapseDoubleBackslashes(StripQuotes(TrimBlanks(commandLine)));
  size_t exe = FindGbk(s, ".exe ");
  if (exe != std::string::npos) s.resize(exe + 4);
  static const char* const kSeparators[] = {" /", " -", " %", " ,", ","};
  for (const char* sep : kSeparators) {
    size_t p = SeparatorAfterExtension(s, sep);
    if (p != std::string::npos) s.resize(p);
  }
  return s;
}

std::string ReplaceLeadingPathVariable(const std::string& text, bool native64,
                                       const TPathVariableFolders& f) {
  std::string s = (!text.empty() && text[0] == '@') ? text.substr(1) : text;
  const struct {
    const char* name;
    const std::string& folder;
  } kVariables[] = {
      {"%programfiles%", native64 ? f.ProgFiles64Dir : f.ProgFilesDir},
      {"%programfiles(x86)%", f.ProgFilesDir},
      {"%systemroot%", f.WindowsDir},
      {"%commonprogramfiles%", native64 ? f.CommonFiles64Dir : f.CommonFilesDir},
      {"%windir%", f.WindowsDir},
  };
  // Only ASCII letters change case, so positions in the lowered copy match the text.
  std::string lower = LowerGbk(s);
  for (const auto& v : kVariables) {
    std::string name(v.name);
    if (lower.compare(0, name.size(), name) == 0) return v.folder + s.substr(name.size());
  }
  return s;
}

std::string ExpandPathVariables(const std::string& text, bool native64,
                                const TPathVariableFolders& folders) {
  return ExtractExePath(ReplaceLeadingPathVariable(text, native64, folders));
}

std::string LocalServerPath(const std::string& expandedCommand) {
  std::string s = LowerGbk(TrimBlanks(expandedCommand));
  size_t cut = FindGbk(s, "/automation");
  if (cut != std::string::npos) s = TrimBlanks(s.substr(0, cut));
  return s;
}

}  // namespace core
