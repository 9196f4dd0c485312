#include <gtest/gtest.h>

#include <algorithm>

#include "registry/CheckBench.h"
#include "registry/RegistryCaches.h"
#include "registry/RegistryChecks.h"
#include "system/RegistryCallCounts.h"

namespace {

TCaptions Sorted(TCaptions captions) {
  std::sort(captions.begin(), captions.end());
  return captions;
}

// Class keys of the test below HKEY_CLASSES_ROOT, in one view.
struct TClasses {
  TCheckBench& b;
  bool native;
  void Key(const std::string& path) { b.seed.Key(HKEY_CLASSES_ROOT, path, native); }
  void Default(const std::string& path, const std::string& text) { b.seed.Text(HKEY_CLASSES_ROOT, path, native, "", text); }
  void Value(const std::string& path, const std::string& name) { b.seed.Text(HKEY_CLASSES_ROOT, path, native, name, "x"); }
  std::string Root() const { return std::string(native && b.Wow64() ? "64位分支:" : "") + "HKEY_CLASSES_ROOT\\"; }
};

}  // namespace

TEST(CheckContextMenuHandlers, HandlersWhoseClassIdIsRegisteredInNeitherView) {
  TCheckBench b;
  const std::string t = b.Tag();
  TClasses native{b, b.Wow64()}, other{b, !b.Wow64()};
  const std::string handlers = "Directory\\shellex\\ContextMenuHandlers\\";
  native.Key("CLSID\\{" + t + "-native}");
  other.Key("CLSID\\{" + t + "-other}");
  native.Default(handlers + t + "Unknown", "{" + t + "-unknown}");
  native.Default(handlers + t + "Empty", "");
  native.Default(handlers + t + "Native", "{" + t + "-NATIVE}");  // any letter case
  native.Default(handlers + t + "Other", "{" + t + "-other}");    // the other view's class ids count too
  native.Default(handlers + "{" + t + "-native}", "{" + t + "-unknown}");  // the key's name is the class id
  const std::vector<Column4TreeData> found = b.RunNative(CheckContextMenuHandlers);
  EXPECT_EQ(Captions(found), TCaptions({native.Root() + handlers + t + "Unknown"}));
}

TEST(CheckShellClassesThenFileAssociations, BrokenVerbsIconsAndClassIdsThenTheExtensionsThatNameThem) {
  TCheckBench b;
  const std::string t = b.Tag();
  TClasses c{b, b.Wow64()};
  const std::string gone = "\"" + b.Missing("gone.exe") + "\" \"%1\"", here = b.File("app.exe") + " %1";
  c.Default(t + "IconOnly\\DefaultIcon", b.Missing("gone.ico"));
  c.Default(t + "IconRundll\\DefaultIcon", "C:\\windows\\rundll32.exe " + b.Missing("gone.dll"));
  c.Default(t + "IconBare\\DefaultIcon", "gone.ico");
  c.Default(t + "ClsidGone\\CLSID", "{" + t + "-unknown}");
  c.Default(t + "OneVerb\\Shell\\open\\Command", gone);
  c.Default(t + "ClassValues\\Shell\\open\\Command", gone);  // a class with values of its own
  c.Value(t + "ClassValues", "a");
  c.Value(t + "ClassValues", "b");
  c.Default(t + "ClassValues\\DefaultIcon", b.Missing("gone.ico"));
  c.Default(t + "ShellValues\\Shell\\open\\Command", gone);
  c.Value(t + "ShellValues\\Shell", "a");
  c.Value(t + "ShellValues\\Shell", "b");
  c.Default(t + "BigVerb\\Shell\\open\\Command", "");
  c.Key(t + "BigVerb\\Shell\\open\\ddeexec");
  c.Key(t + "BigVerb\\Shell\\open\\DropTarget");
  c.Default(t + "TwoVerbs\\Shell\\open\\Command", gone);
  c.Default(t + "TwoVerbs\\Shell\\edit\\Command", "");
  c.Default(t + "Valid\\Shell\\open\\Command", here);
  c.Default(t + "Valid\\DefaultIcon", here);

  const std::string r = c.Root();
  EXPECT_EQ(Sorted(Captions(b.RunNative(CheckShellClasses))),
            Sorted({r + t + "IconOnly", r + t + "ClsidGone", r + t + "OneVerb", r + t + "ClassValues\\Shell",
                    r + t + "ClassValues", r + t + "ShellValues\\Shell\\open", r + t + "BigVerb\\Shell\\open\\Command",
                    r + t + "TwoVerbs\\Shell\\open"}));
  std::vector<std::string> broken = RegistryCaches().BrokenClasses;
  std::sort(broken.begin(), broken.end());
  EXPECT_EQ(broken, Sorted({t + "IconOnly", t + "ClsidGone", t + "OneVerb", t + "ClassValues"}));

  // The extensions: the broken classes of that run count as missing.
  c.Key("." + t + "empty");
  c.Default("." + t + "noclass", t + "NoSuchClass");
  c.Default("." + t + "path", "C:\\x\\y.exe");
  c.Default("." + t + "broken", t + "IconOnly");
  c.Default("." + t + "valid", t + "Valid");
  c.Key("." + t + "open\\Shell\\Open");
  c.Default("." + t + "openset\\Shell\\Open", "go");
  c.b.seed.Dword(HKEY_CLASSES_ROOT, "." + t + "opendword\\Shell", c.native, "", 1);  // counts as set
  c.Key("." + t + "opendword\\Shell\\Open");
  EXPECT_EQ(Sorted(Captions(b.RunNative(CheckFileAssociations))),
            Sorted({r + "." + t + "empty", r + "." + t + "noclass", r + "." + t + "broken", r + "." + t + "open"}));
}

// In one scan the file associations take what the ActiveX category read of each
// extension: the same findings, with fewer calls than reading the keys again.
TEST(CheckFileAssociations, SameFindingsAfterTheActiveXCategoryOfTheScan) {
  TCheckBench b;
  const std::string t = b.Tag();
  TClasses c{b, b.Wow64()};
  c.Key("." + t + "empty");
  c.Default("." + t + "noclass", t + "NoSuchClass");
  c.Default("." + t + "valid", "CLSID");
  c.Key("." + t + "open\\Shell\\Open");
  c.Default("." + t + "openset\\Shell\\Open", "go");
  const std::string r = c.Root();
  const TCaptions expected = Sorted({r + "." + t + "empty", r + "." + t + "noclass", r + "." + t + "open"});
  TRegistryCallCounts before = RegistryCallCounts();
  EXPECT_EQ(Sorted(Captions(b.RunNative(CheckFileAssociations))), expected);
  const unsigned long alone = (RegistryCallCounts() - before).Calls();
  b.RunNative(CheckShellClasses);
  before = RegistryCallCounts();
  EXPECT_EQ(Sorted(Captions(b.Run(CheckFileAssociations, b.Wow64(), "", true))), expected);
  EXPECT_LT((RegistryCallCounts() - before).Calls(), alone);
}

TEST(CheckClassInfo, ServersThatAreGoneAndTypeLibrariesThatAreNotRegisteredInBothViews) {
  TCheckBench b;
  const std::string t = b.Tag();
  for (bool view : {false, true}) {
    TClasses c{b, view};
    const std::string v = view ? "64" : "32";
    c.Default("CLSID\\{" + t + v + "-1}\\InprocServer32", b.Missing("gone.dll"));
    c.Default("CLSID\\{" + t + v + "-2}\\LocalServer32", "\"" + b.Missing("gone.exe") + "\" /automation");
    c.Default("CLSID\\{" + t + v + "-3}\\InprocServer32", "bare.dll");
    c.Default("CLSID\\{" + t + v + "-4}\\InprocServer32", b.File("here.dll"));
    c.Default("CLSID\\" + t + v + "-5}\\InprocServer32", b.Missing("gone.dll"));  // no class id
    c.Default("Interface\\{" + t + v + "-I1}\\TypeLib", "");
    c.Default("Interface\\{" + t + v + "-I2}\\TypeLib", "{" + t + v + "-unknown}");
    c.Default("Interface\\{" + t + v + "-I3}\\TypeLib", "{" + t + v + "-TL}");
    c.Key("TypeLib\\{" + t + v + "-TL}");
    c.Key("Interface\\{" + t + v + "-I4}");
  }
  TCaptions expected;
  // On 32-bit Windows both sets lie in the one view, and the one run finds both.
  for (bool view : {false, true}) {
    const std::string r = TClasses{b, view}.Root(), v = view ? "64" : "32";
    expected.push_back(r + "CLSID\\{" + t + v + "-1}\\InprocServer32:" + b.Missing("gone.dll"));
    expected.push_back(r + "CLSID\\{" + t + v + "-2}\\LocalServer32:\"" + b.Missing("gone.exe") + "\" /automation");
    expected.push_back(r + "Interface\\{" + t + v + "-I1}\\TypeLib");
    expected.push_back(r + "Interface\\{" + t + v + "-I2}\\TypeLib:{" + t + v + "-unknown}");
  }
  const std::vector<Column4TreeData> found = b.RunBoth(CheckClassInfo);
  EXPECT_EQ(Sorted(Captions(found)), Sorted(expected));
  for (const Column4TreeData& d : found) {
    if (d.Caption.find("CLSID") == std::string::npos) continue;
    EXPECT_EQ(d.Path.find("Server32"), std::string::npos) << "the whole class goes: " << d.Path;
  }
}
