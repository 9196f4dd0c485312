#include "traces/OtherFindings.h"

#include "traces/IEBrowsers.h"
#include "traces/IniKeyScans.h"
#include "traces/OperaScans.h"
#include "traces/PlaylistScans.h"

bool RewriteOtherFinding(const Column4TreeData& finding) {
  // Each group's rewrite answers false for a tag not its own.
  for (bool (*rewrite)(const Column4TreeData&) :
       {RewriteIniKeyFinding, RewriteOperaFinding, RewriteBrowserConfigFinding, RewritePlayerFinding})
    if (rewrite(finding)) return true;
  return false;
}
