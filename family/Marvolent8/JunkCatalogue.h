// What the engine knows about junk: its categories, where each looks, and the file types.
#pragma once
#include <string>
#include <vector>

namespace junk {

// One place to look: a folder, the name patterns that count (all files when empty), and
// whether its sub-folders are walked too.
struct TTarget {
  std::wstring Folder;
  std::vector<std::wstring> Patterns;
  bool Recursive;
};

enum class TTargetKind { Fixed, ByFileType };

struct TCategoryDef {
  const wchar_t* Name;
  bool Recommended;
  int ImageIndex;
  TTargetKind Kind;
  // Fills the folders of a fixed category for the running system.
  void (*Targets)(std::vector<TTarget>& out);
};

struct TFileTypeDef {
  std::wstring Pattern;
  std::wstring Description;
  std::wstring Group;
  bool Recommended;
  bool UserDefined;
};

const std::vector<TCategoryDef>& Categories();
std::vector<TFileTypeDef> DefaultFileTypes();

// On 64-bit Windows this 32-bit library sees SysWOW64 under the name of System32: the
// folder that a walk of a whole disk leaves out, as it lists SysWOW64 itself. Empty
// elsewhere.
std::wstring RedirectedSystemFolder();

// Fixed local disks ("C:", ...), for the categories that look at every disk.
std::vector<std::wstring> FixedDrives();

}  // namespace junk
