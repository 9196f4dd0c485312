#include "items/FileRemover.h"

#include "items/FolderSizes.h"
#include "items/ResultRows.h"
#include "system/AppContext.h"
#include "system/FileDelete.h"
#include "system/FindFile.h"
#include "system/ToolsFiles.h"
#include "system/ToolsFolders.h"

namespace {

TRemoveOutcome RemoveFile(const TCleanServices& services, TFolderSizes& sizes, const Column4TreeData& finding) {
  const std::string& path = finding.Caption;
  int64_t size = 0;
  if (!sizes.Find(path, size)) size = GetFileSize64(path);
  TRemoveOutcome outcome = DeleteFileBelow(finding.Root, path);
  if (outcome.Result == TRemoveResult::Removed) outcome.Freed = size;
  // A way that no longer checks out is not tried again in any other form.
  if (outcome.Error == kErrorFolderNowLink) return outcome;
  // Already gone (also with its folder, which would otherwise leave a restart entry for
  // nothing), or an empty folder in the file's place: removed, nothing freed.
  if (outcome.Result != TRemoveResult::Failed) return outcome;
  if (RemoveDirectoryA(path.c_str())) return TRemoveOutcome::Gone();
  // In use: it goes at the next restart, and later scans of this run treat it as gone.
  AppContext().PendingDeleteFiles.insert(path);
  if (services.ReportUndeletedFile) services.ReportUndeletedFile(path);
  if (MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) return TRemoveOutcome::Gone(size);
  return TRemoveOutcome::Fail(GetLastError());
}

TRemoveOutcome RemoveFolder(const Column4TreeData& finding) {
  const std::string& path = finding.Caption;
  if (CheckFolderWay(finding.Root, path) == TFolderWay::Link) return TRemoveOutcome::Fail(kErrorFolderNowLink);
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    // A folder that vanished is gone; one that cannot be looked at is not.
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? TRemoveOutcome::WasGone()
                                                                          : TRemoveOutcome::Fail(error);
  }
  // A junction or symbolic link goes as itself: the files of the folder it points to are
  // not the finding's.
  if (!IsLinkAttributes(attributes)) DeleteFilesInDir(path);
  return RemoveDirectoryA(path.c_str()) ? TRemoveOutcome::Gone() : TRemoveOutcome::Fail(GetLastError());
}

}  // namespace

void RemoveFileFindings(TRemoval& removal) {
  TFolderSizes sizes;
  for (const Column4TreeData* f : removal.Findings) sizes.Expect(f->Caption);
  for (const Column4TreeData* f : removal.Findings) removal.Outcomes.push_back(RemoveFile(removal.Services, sizes, *f));
}

void RemoveFolderFindings(TRemoval& removal) {
  for (const Column4TreeData* f : removal.Findings) removal.Outcomes.push_back(RemoveFolder(*f));
}

TRemovers FileRemovers(const std::vector<std::string>& fileKinds) {
  TRemovers removers;
  for (const std::string& kind : fileKinds) removers[{false, kind}] = RemoveFileFindings;
  removers[{false, kKindFolder}] = RemoveFolderFindings;
  return removers;
}
