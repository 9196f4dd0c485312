// Programs in the firewall's exception lists and rules that are no longer there.
#include <cstring>

#include "core/FirewallRuleText.h"
#include "core/GbkText.h"
#include "core/OSVersionRules.h"
#include "registry/RegistryCheckKeys.h"
#include "registry/RegistryChecks.h"
#include "system/AppContext.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"
#include "system/TargetPresence.h"
#include "system/ToolsPaths.h"

namespace {

const char kPolicyKey[] = "SYSTEM\\CurrentControlSet\\Services\\SharedAccess\\Parameters\\FirewallPolicy\\";
const char* const kAuthorizedLists[] = {"DomainProfile\\AuthorizedApplications\\List",
                                        "StandardProfile\\AuthorizedApplications\\List"};

void CheckAuthorizedApps(const std::string& path, TRegistryRun& run) {
  TRegistryKey key(HKEY_LOCAL_MACHINE, path, run.Native());
  if (!key) return;
  // The value's name is the program; its data repeats it with the rule's settings.
  ForEachEntry(run, NamedValueNames(key.Handle()), [&](const std::string& name) {
    if (!TargetFileExists(ExpandPathVariables(core::TrimBlanks(name), run.Native())))
      run.AddFinding(KeyText(kLocalMachineName, path, name), path, kLocalMachineName, name);
    return true;
  });
}

bool StartsWith(const std::string& text, const char* head) { return text.compare(0, strlen(head), head) == 0; }

void CheckFirewallRules(const std::string& path, TRegistryRun& run) {
  TRegistryKey key(HKEY_LOCAL_MACHINE, path, run.Native());
  if (!key) return;
  ForEachEntry(run, NamedValues(key.Handle()), [&](const TRegValue& rule) {
    const std::string& name = rule.Name;
    std::string app = core::FirewallRuleApp(rule.Text().Text);
    if (app.empty() || app == "system") return true;
    app = core::WithoutQuotes(app);
    // Each view leaves the other view's program folder alone.
    if (StartsWith(app, run.Native() ? "%programfiles(x86)%" : "%programfiles%")) return true;
    const std::string program = ExpandPathVariables(app, run.Native());
    if (!TargetInPathDirs(program))
      run.AddFinding(KeyText(kLocalMachineName, path, name) + ":" + program, path, kLocalMachineName, name);
    return true;
  });
}

}  // namespace

void CheckFirewallApps(TRegistryRun& run) {
  for (const char* list : kAuthorizedLists)
    if (!run.Stopped()) CheckAuthorizedApps(std::string(kPolicyKey) + list, run);
  if (AppContext().MajorVersion() > 5 && !run.Stopped()) CheckFirewallRules(std::string(kPolicyKey) + "FirewallRules", run);
}
