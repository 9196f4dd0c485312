// What one removal did: the one answer every remover of a clean gives, so that the clean's
// count, its freed bytes and the items' suffixes are made from outcomes only.
#pragma once
#include <cstdint>

enum class TRemoveResult : uint8_t {
  Removed,      // it was there and is gone (or goes at the next restart)
  AlreadyGone,  // it was no longer there
  Failed,       // it is still there; Error tells why where the system said
  Unreported,   // a platform call that gives no result ran: nobody can tell
};

struct TRemoveOutcome {
  TRemoveResult Result = TRemoveResult::Failed;
  uint32_t Error = 0;  // the Win32 code of a failure, 0 when there is none
  int64_t Freed = 0;   // bytes freed
  int32_t Entries = 1;  // entries it stands for (a whole recycle bin is many)
  bool RestartExplorer = false;  // takes full effect once Explorer restarts

  // Only what is surely gone counts as cleaned.
  bool Cleaned() const { return Result == TRemoveResult::Removed || Result == TRemoveResult::AlreadyGone; }

  static TRemoveOutcome Gone(int64_t freed = 0) { return {TRemoveResult::Removed, 0, freed}; }
  static TRemoveOutcome WasGone() { return {TRemoveResult::AlreadyGone, 0, 0}; }
  static TRemoveOutcome Fail(uint32_t error = 0) { return {TRemoveResult::Failed, error, 0}; }
  static TRemoveOutcome NoResult() { return {TRemoveResult::Unreported, 0, 0}; }
  // true: removed (or already gone, when the caller cannot tell the two apart); false: failed.
  static TRemoveOutcome Of(bool removed) { return removed ? Gone() : Fail(); }
};
