#include "traces/OtherFindings.h"

#include "core/GbkText.h"
#include "system/ToolsFiles.h"
#include "traces/IEBrowsers.h"
#include "traces/IniKeyScans.h"
#include "traces/OperaScans.h"
#include "traces/PlaylistScans.h"
#include "traces/TraceFindings.h"

namespace {

struct TRewrite {
  const char* Tag;
  bool (*Rewrite)(const Column4TreeData& finding);
};

bool RewriteOperaSession(const Column4TreeData& f) {
  // A session file that is gone holds no extra windows any more.
  return !FileExistsStrict(f.Caption) || CleanOperaSession(f.Caption);
}

bool RewriteTencentTraveler(const Column4TreeData&) { return CleanTencentTravelerConfig(); }
bool RewriteMyIE2(const Column4TreeData& f) { return CleanMyIE2Config(f.Path); }

const TRewrite kRewrites[] = {
    {"OperaINI", RewriteOperaSession},
    {"ttraveler", RewriteTencentTraveler},
    {"MyIE2", RewriteMyIE2},
    {"Storm", CleanStormHistory},
    {"qqplayer", CleanPlaylist},
    {"xmp", CleanPlaylist},
    {"kugoo2007", CleanKugoo2007Search},
    {"kugoo2010", CleanKugoo2010Search},
};

}  // namespace

bool RewriteOtherFinding(const Column4TreeData& finding) {
  if (core::SameTextGbk(finding.Root, kIniKeyRoot)) return CleanIniKeyFinding(finding);
  for (const TRewrite& r : kRewrites)
    if (core::SameTextGbk(finding.Name, r.Tag)) return r.Rewrite(finding);
  return false;
}

void RewriteApplicationFindings(TRemoval& removal) {
  for (const Column4TreeData* f : removal.Findings) removal.Outcomes.push_back(TRemoveOutcome::Of(RewriteOtherFinding(*f)));
}

TItemHandler ApplicationHandler(std::function<void(TItemScan&)> scan, const char* unit,
                                std::vector<std::string> guards) {
  TItemHandler handler = TraceHandler(std::move(scan), unit, std::move(guards));
  handler.Cleaner.Removers[{false, kKindApplication}] = RewriteApplicationFindings;
  return handler;
}
