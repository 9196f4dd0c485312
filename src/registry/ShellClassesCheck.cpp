// File classes whose shell verbs, icon or class id point to nothing. Which key is
// reported depends on what else the class holds: a class that exists only for one broken
// verb goes whole, one with more in it loses only the broken part.
#include "core/GbkText.h"
#include "registry/ClassKeyRules.h"
#include "registry/RegistryCaches.h"
#include "registry/RegistryCheckKeys.h"
#include "registry/RegistryChecks.h"
#include "system/RegistryKey.h"
#include "system/RegistryValues.h"

namespace {

class TShellClassCheck {
 public:
  TShellClassCheck(TRegistryRun& run, TRegistryCaches& caches)
      : run_(run), caches_(caches), root_(caches.ClassesRoot(run.Native())) {}

  void CheckClass(const std::string& name) {
    if (name[0] == '.' && IsPlainExtension(name)) return;
    // The verbs are walked below the open "shell" key, which also answers its counts.
    const TRegistryKey shell(root_, name + "\\shell");
    const std::vector<std::string> verbs = shell.SubKeyNames();
    if (verbs.empty())
      CheckClassWithoutVerbs(name);
    else
      for (const std::string& verb : verbs) CheckVerb(name, shell, verb);
  }

  // A class whose "Shell" key was reported may have nothing left but a broken icon.
  void CheckBrokenShellClasses() {
    for (const std::string& name : caches_.BrokenShellClasses) {
      const TRegistryKey icon(root_, name + "\\DefaultIcon");
      if (icon && IsBrokenIcon(icon) && TRegistryKey(root_, name).SubKeyCount() == 2) ReportClass(name);
    }
  }

 private:
  // An extension without sub-keys has no verb, icon or class id to judge. Its counts and
  // default value are kept for the file-association category, which reads just these;
  // one call more here saves that category its three.
  bool IsPlainExtension(const std::string& name) {
    const TRegistryKey key(root_, name);
    TRegistryCaches::TExtensionFacts facts;
    if (!key.Counts(facts.SubKeys, facts.Values)) return false;
    if (facts.SubKeys == 0 && facts.Values > 0) facts.Default = RegText(key.Handle(), "");
    caches_.ExtensionFacts[run_.Native()][name] = facts;
    return facts.SubKeys == 0;
  }

  void Report(const std::string& path) { run_.AddFinding(KeyText(kClassesRootName, path), path, kClassesRootName); }
  void ReportClass(const std::string& name) {
    Report(name);
    caches_.BrokenClasses.push_back(name);
  }

  void CheckClassWithoutVerbs(const std::string& name) {
    const TRegistryKey icon(root_, name + "\\DefaultIcon");
    if (icon) {
      if (IsBrokenIcon(icon) && TRegistryKey(root_, name).SubKeyCount() == 1) ReportClass(name);
      return;
    }
    // Only a class whose icon key is truly absent (not one that refuses access) is judged
    // by its class id.
    if (icon.OpenResult() != ERROR_FILE_NOT_FOUND || core::LowerGbk(name) == "wow6432node") return;
    const TRegistryKey clsid(root_, name + "\\CLSID");
    if (clsid && !caches_.KnowsClsid(RegText(clsid.Handle(), ""))) ReportClass(name);
  }

  void CheckVerb(const std::string& name, const TRegistryKey& shell, const std::string& verb) {
    const TRegistryKey command(shell, verb + "\\Command");
    if (!command) return;
    const TValueText text = ReadValueText(command.Handle(), "");
    if (text.State == TTextRead::NotText) return;
    const bool emptyCommand = text.Text.empty();
    if (!emptyCommand && !NamesMissingFile(text.Text)) return;

    const std::string shellPath = name + "\\Shell", verbPath = shellPath + "\\" + verb;
    if (TRegistryKey(shell, verb).SubKeyCount() >= 3) return Report(verbPath + "\\Command");
    DWORD shellKeys = 0, shellValues = 0;
    shell.Counts(shellKeys, shellValues);
    if (shellKeys == 1) {
      if (shellValues >= 2) return Report(verbPath);
      const TRegistryKey classKey(root_, name);
      const long others = long(classKey.SubKeyCount()) - (TRegistryKey(classKey, "DefaultIcon") ? 1 : 0);
      if (others == 1 && classKey.ValueCount() < 2) return ReportClass(name);
      Report(shellPath);
      caches_.BrokenShellClasses.push_back(name);
      return;
    }
    // One verb of several: only a missing file is reported, an empty command is left.
    if (!emptyCommand) Report(verbPath);
  }

  TRegistryRun& run_;
  TRegistryCaches& caches_;
  const TRegistryKey& root_;
};

}  // namespace

void CheckShellClasses(TRegistryRun& run) {
  TRegistryCaches& caches = RegistryCaches();
  caches.ClearBrokenClasses();
  caches.EnsureClassKeyLists(run.Native());
  caches.EnsureClsidLists();
  TShellClassCheck check(run, caches);
  const bool complete = ForEachEntry(run, caches.ClassKeys(run.Native()).Names(), [&](const std::string& name) {
    if (!name.empty()) check.CheckClass(name);
    return true;
  });
  if (complete) check.CheckBrokenShellClasses();
}
