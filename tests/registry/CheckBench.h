// What a registry check test needs: this machine's OS answer and folders in a context of
// its own, a registry seed, files to point at, and a runner that calls one check in one
// view as the category handler does and returns the findings that name the seed's tag.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "helpers/TestContext.h"
#include "items/Column4TreeData.h"
#include "registry/RegistryRun.h"
#include "registry/RegistrySeed.h"

class TCheckBench {
 public:
  TCheckBench();
  ~TCheckBench();
  TCheckBench(const TCheckBench&) = delete;
  TCheckBench& operator=(const TCheckBench&) = delete;

  bool Wow64() const { return context.Ctx.IsWow64(); }
  const std::string& Tag() const { return seed.Tag(); }

  // A folder of the test's own on C: (no trailing backslash) and a file in it.
  const std::string& Folder() const { return folder_; }
  std::string File(const std::string& name);  // creates it, returns its path
  std::string Missing(const std::string& name) const { return folder_ + "\\" + name; }

  // The findings of check in one view whose caption contains the tag (or the text given).
  // A new scan unless sameScan is set: then the check sees what earlier checks left.
  std::vector<Column4TreeData> Run(void (*check)(TRegistryRun&), bool native, const std::string& mark = "",
                                   bool sameScan = false);
  // The default view, then the 64-bit view on 64-bit Windows, as a "both" category.
  std::vector<Column4TreeData> RunBoth(void (*check)(TRegistryRun&), const std::string& mark = "");
  // One run in the 64-bit view on 64-bit Windows, the only view elsewhere.
  std::vector<Column4TreeData> RunNative(void (*check)(TRegistryRun&), const std::string& mark = "") {
    return Run(check, Wow64(), mark);
  }

  TTestContext context;
  TRegistrySeed seed;

 private:
  std::string folder_;
};

using TCaptions = std::vector<std::string>;

// The captions of findings, in order.
std::vector<std::string> Captions(const std::vector<Column4TreeData>& findings);
