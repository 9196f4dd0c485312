// The folders the junk engine is not to scan, as the options dialog keeps them while the
// user ticks its folder tree: paths with a trailing backslash, sorted without regard to
// letter case (ASCII letters), no duplicates.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace core {

enum class TFolderState { Unchecked, Checked, Mixed };

class TExcludedFolders {
 public:
  // The engine's text: folders joined with "|"; leading blanks of each piece skipped,
  // empty pieces dropped, each given a trailing backslash.
  static TExcludedFolders FromEngineText(const std::string& text);

  // The state of a folder's box when its node is first shown: unchecked when the folder
  // is excluded; checked when neither it nor a folder inside it is; otherwise mixed when
  // one of its direct sub-folders is not excluded, else unchecked. subFolderNames lists
  // them, and is called only in that last case (listing a folder costs).
  TFolderState StateOf(const std::string& path,
                       const std::function<std::vector<std::string>()>& subFolderNames) const;

  // The user unticked the folder.
  void Unchecked(const std::string& path);
  // The user ticked the folder: it leaves the list, and so do its descendants and its
  // ticked or mixed ancestors; its unticked siblings join it.
  void Checked(const std::string& path, const std::vector<std::string>& uncheckedSiblings,
               const std::vector<std::string>& checkedOrMixedAncestors);

  // The text for the engine: nested entries dropped, trailing backslashes removed, joined
  // with "|".
  std::string EngineText() const;

  bool Contains(const std::string& path) const;
  const std::vector<std::string>& Paths() const { return paths_; }

 private:
  void Add(const std::string& path);
  void Remove(const std::string& path);
  std::vector<std::string> paths_;
};

// The parts of a file-type name of the engine ("*.tmp 临时文件"): split at blanks, a
// double-quoted part kept whole (without its quotes), empty parts dropped.
std::vector<std::string> SplitFileTypeName(const std::string& name);

}  // namespace core
