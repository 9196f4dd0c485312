#include "traces/OtherFindings.h"

#include "core/GbkText.h"
#include "system/ToolsFiles.h"
#include "traces/OperaScans.h"

namespace {

struct TRewrite {
  const char* Tag;
  bool (*Rewrite)(const Column4TreeData& finding);
};

bool RewriteOperaSession(const Column4TreeData& f) {
  // A session file that is gone holds no extra windows any more.
  return !FileExistsStrict(f.Caption) || CleanOperaSession(f.Caption);
}

const TRewrite kRewrites[] = {
    {"OperaINI", RewriteOperaSession},
};

}  // namespace

bool RewriteOtherFinding(const Column4TreeData& finding) {
  for (const TRewrite& r : kRewrites)
    if (core::SameTextGbk(finding.Name, r.Tag)) return r.Rewrite(finding);
  return false;
}
