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
  TShellClassCheck(TRegistryRun& run, TRegistryCaches& caches) : run_(run), caches_(caches) {}

  void CheckClass(const std::string& name) {
    const std::vector<std::string> verbs = Open(name + "\\shell").SubKeyNames();
    if (verbs.empty())
      CheckClassWithoutVerbs(name);
    else
      for (const std::string& verb : verbs) CheckVerb(name, verb);
  }

  // A class whose "Shell" key was reported may have nothing left but a broken icon.
  void CheckBrokenShellClasses() {
    for (const std::string& name : caches_.BrokenShellClasses) {
      TRegistryKey icon = Open(name + "\\DefaultIcon");
      if (icon && IsBrokenIcon(icon) && Open(name).SubKeyCount() == 2) ReportClass(name);
    }
  }

 private:
  TRegistryKey Open(const std::string& path) const { return TRegistryKey(HKEY_CLASSES_ROOT, path, run_.Native()); }

  void Report(const std::string& path) { run_.AddFinding(KeyText(kClassesRootName, path), path, kClassesRootName); }
  void ReportClass(const std::string& name) {
    Report(name);
    caches_.BrokenClasses.push_back(name);
  }

  void CheckClassWithoutVerbs(const std::string& name) {
    TRegistryKey icon = Open(name + "\\DefaultIcon");
    if (icon) {
      if (IsBrokenIcon(icon) && Open(name).SubKeyCount() == 1) ReportClass(name);
      return;
    }
    // Only a class whose icon key is truly absent (not one that refuses access) is judged
    // by its class id.
    if (icon.OpenResult() != ERROR_FILE_NOT_FOUND || core::LowerGbk(name) == "wow6432node") return;
    TRegistryKey clsid = Open(name + "\\CLSID");
    if (clsid && !caches_.KnowsClsid(RegText(clsid.Handle(), ""))) ReportClass(name);
  }

  void CheckVerb(const std::string& name, const std::string& verb) {
    const std::string shell = name + "\\Shell";
    const std::string verbPath = shell + "\\" + verb;
    TRegistryKey command = Open(verbPath + "\\Command");
    if (!command) return;
    const TValueText text = ReadValueText(command.Handle(), "");
    if (text.State == TTextRead::NotText) return;
    const bool emptyCommand = text.Text.empty();
    if (!emptyCommand && !NamesMissingFile(text.Text)) return;

    if (Open(verbPath).SubKeyCount() >= 3) return Report(verbPath + "\\Command");
    TRegistryKey shellKey = Open(shell);
    if (shellKey.SubKeyCount() == 1) {
      if (shellKey.ValueCount() >= 2) return Report(verbPath);
      TRegistryKey classKey = Open(name);
      const long others = long(classKey.SubKeyCount()) - (Open(name + "\\DefaultIcon") ? 1 : 0);
      if (others == 1 && classKey.ValueCount() < 2) return ReportClass(name);
      Report(shell);
      caches_.BrokenShellClasses.push_back(name);
      return;
    }
    // One verb of several: only a missing file is reported, an empty command is left.
    if (!emptyCommand) Report(verbPath);
  }

  TRegistryRun& run_;
  TRegistryCaches& caches_;
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
