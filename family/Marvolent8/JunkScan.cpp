// The scan: walks the selected categories' folders on the calling thread.
#include "JunkEngine.h"

#include "FamilyHandles.h"
#include "JunkRules.h"

namespace junk {

namespace {

uint64_t Ticks(const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

uint64_t Now() {
  FILETIME t;
  GetSystemTimeAsFileTime(&t);
  return Ticks(t);
}

// The first entry of a folder: on Windows 7 and later without the short name and in large
// batches, which lists faster; older systems refuse those values and get FindFirstFileW.
HANDLE FindFirstEntry(const std::wstring& pattern, WIN32_FIND_DATAW& fd) {
  static bool refused = false;
  if (!refused) {
    HANDLE h = FindFirstFileExW(pattern.c_str(), static_cast<FINDEX_INFO_LEVELS>(1) /* basic */, &fd,
                                FindExSearchNameMatch, nullptr, 2 /* large fetch */);
    if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_INVALID_PARAMETER) return h;
    refused = true;
  }
  return FindFirstFileW(pattern.c_str(), &fd);
}

// scratch: a buffer kept by the caller, so that a name costs no allocation.
bool MatchesAny(const std::vector<std::wstring>& patterns, const wchar_t* name, std::wstring& scratch) {
  if (patterns.empty()) return true;
  scratch.assign(name);
  for (const std::wstring& p : patterns)
    if (MatchWildcard(p, scratch)) return true;
  return false;
}

}  // namespace

HRESULT TJunkEngine::RunScan() {
  stop_ = false;
  running_ = true;
  HRESULT result;
  try {
    result = Scan();
  } catch (...) {  // out of memory on a huge disk: the findings so far stay
    result = E_OUTOFMEMORY;
  }
  running_ = false;
  return result;
}

HRESULT TJunkEngine::Scan() {
  size_t count;
  {
    TLocked hold(lock_);
    for (TCategoryState& c : categories_) {
      c.Findings.clear();
      c.TotalSize = 0;
    }
    paths_.Clear();
    found_.clear();
    walked_.clear();
    deduplicating_ = false;
    scanningCategory_ = 0;
    count = categories_.size();
  }
  for (size_t i = 0; i < count && !stop_; ++i) {
    bool checked;
    {
      TLocked hold(lock_);
      checked = categories_[i].Checked;
      if (checked) scanningCategory_ = static_cast<TRubbishItem>(i + 1);
    }
    if (checked) ScanCategory(i);
  }
  TLocked hold(lock_);
  scanningPath_.clear();
  scanningCategory_ = 0;
  return stop_ ? S_FALSE : S_OK;
}

void TJunkEngine::ScanCategory(size_t index) {
  std::vector<TTarget> targets;
  const TCategoryDef* def = categories_[index].Def;
  if (def->Kind == TTargetKind::Fixed) {
    def->Targets(targets);
  } else {
    std::vector<std::wstring> patterns;
    {
      TLocked hold(lock_);
      for (const TFileTypeState& t : fileTypes_)
        if (t.Checked) patterns.push_back(t.Def.Pattern);
    }
    if (patterns.empty()) return;
    for (const std::wstring& drive : FixedDrives()) targets.push_back(TTarget{drive, patterns, true});
  }
  for (const TTarget& target : targets) {
    if (stop_) return;
    WalkTarget(index, target);
  }
}

bool TJunkEngine::Excluded(const std::wstring& folder) const {
  for (const std::wstring& e : excluded_)
    if (IsInFolder(folder, e)) return true;
  return false;
}

void TJunkEngine::AddFinding(size_t category, const TFinding& finding) {
  TLocked hold(lock_);
  if (!undeleted_.empty() || deduplicating_) {
    std::wstring folded = FoldedPath(finding.Path, finding.Length);
    // A clean of this run could not delete it: it goes at restart.
    if (undeleted_.count(folded)) return;
    if (deduplicating_ && !found_.insert(std::move(folded)).second) return;  // reported already
  }
  TCategoryState& c = categories_[category];
  c.Findings.push_back(finding);
  c.TotalSize += finding.Size;
}

void TJunkEngine::StartDeduplicating() {
  deduplicating_ = true;
  for (const TCategoryState& c : categories_)
    for (const TFinding& f : c.Findings) found_.insert(FoldedPath(f.Path, f.Length));
}

void TJunkEngine::WalkTarget(size_t category, const TTarget& target) {
  int ageDays;
  {
    TLocked hold(lock_);
    ageDays = ageDays_;
    if (Excluded(target.Folder)) return;
  }
  // The root itself may be a junction (a moved profile folder): never walk through one.
  DWORD rootAttributes = GetFileAttributesW(target.Folder.c_str());
  if (rootAttributes == INVALID_FILE_ATTRIBUTES || !(rootAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
      (rootAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return;
  const uint64_t now = Now();
  static const std::wstring redirected = FoldedPath(RedirectedSystemFolder());
  std::vector<std::wstring> pending(1, target.Folder);
  std::wstring path, name;  // reused for every entry
  while (!pending.empty() && !stop_) {
    std::wstring folder = pending.back();
    pending.pop_back();
    {
      TLocked hold(lock_);
      scanningPath_ = folder;
      if (!walked_.insert(FoldedPath(folder)).second && !deduplicating_) StartDeduplicating();
    }
    WIN32_FIND_DATAW fd;
    // Closed however the loop ends: a string operation below may throw.
    family::TFindHandle find(FindFirstEntry(folder + L"\\*", fd));
    if (!find) continue;
    folder += L'\\';  // every entry's path starts with it
    do {
      if (stop_) break;
      const wchar_t* entry = fd.cFileName;
      if (entry[0] == L'.' && (entry[1] == 0 || (entry[1] == L'.' && entry[2] == 0))) continue;
      // Junctions and symbolic links lead elsewhere or back up the tree.
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
      path.assign(folder).append(entry);
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (!target.Recursive || FoldedPath(path) == redirected) continue;
        TLocked hold(lock_);
        if (!Excluded(path)) pending.push_back(path);
        continue;
      }
      if (!MatchesAny(target.Patterns, entry, name)) continue;
      uint64_t lastUsed = Ticks(fd.ftLastWriteTime);
      if (Ticks(fd.ftLastAccessTime) > lastUsed) lastUsed = Ticks(fd.ftLastAccessTime);
      if (!OldEnough(lastUsed, now, ageDays)) continue;
      AddFinding(category, TFinding{paths_.Add(path.data(), path.size()), path.size(),
                                    (static_cast<INT64>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow});
    } while (FindNextFileW(find.Get(), &fd));
  }
}

}  // namespace junk
