// A seeded random pass over the application files the scans read and the rewrites change:
// truncated, bit-flipped, padded and random INI and XML files never crash a scan, and a
// rewrite either leaves a file the reader still loads or leaves the file byte for byte as
// it was (and no temporary file behind).
#include <gtest/gtest.h>
#include <windows.h>

#include <shlwapi.h>

#include <functional>
#include <random>
#include <string>

#include "helpers/TempFolder.h"
#include "helpers/TestContext.h"
#include "helpers/TraceScanBench.h"
#include "system/WideText.h"
#include "system/XmlDocument.h"
#include "traces/IniKeyScans.h"
#include "traces/OtherFindings.h"
#include "traces/PlaylistScans.h"

namespace {

using tracefiles::MakeDirs;
using tracefiles::Read;
using tracefiles::Write;

std::string Mutate(const std::string& valid, std::mt19937& random) {
  std::string bytes = valid;
  switch (random() % 5) {
    case 0:  // cut short
      bytes.resize(random() % (bytes.size() + 1));
      break;
    case 1:  // a few bytes changed
      for (int n = 1 + random() % 5; n > 0 && !bytes.empty(); --n) bytes[random() % bytes.size()] = static_cast<char>(random());
      break;
    case 2:  // garbage inserted
      bytes.insert(random() % (bytes.size() + 1), std::string(1 + random() % 40, static_cast<char>(random())));
      break;
    case 3:  // nothing of the format at all
      bytes.assign(random() % 600, '\0');
      for (char& c : bytes) c = static_cast<char>(random());
      break;
    default:  // another encoding's mark in front
      bytes = std::string("\xff\xfe", 2) + bytes;
  }
  return bytes;
}

struct TPass {
  int Findings = 0, Rewritten = 0, Refused = 0;
};

// Scans the mutated file, rewrites every finding, and checks the outcome of each rewrite.
void RunPass(const std::string& file, const std::string& valid, int rounds, unsigned seed,
             const std::function<void(TItemScan&)>& scan, const std::function<bool(const std::string&)>& readable,
             TPass& pass) {
  std::mt19937 random(seed);
  for (int round = 0; round < rounds; ++round) {
    const std::string bytes = Mutate(valid, random);
    Write(file, bytes);
    TTraceScanBench b;
    scan(b.scan);
    for (const TTreeNode* f = b.item->FirstChild(); f; f = f->NextSibling()) {
      ++pass.Findings;
      const std::string before = Read(file);
      if (RewriteOtherFinding(f->Data)) {
        ++pass.Rewritten;
        EXPECT_TRUE(readable(file)) << "round " << round << " left a file that no longer reads";
      } else {
        ++pass.Refused;
        EXPECT_EQ(Read(file), before) << "round " << round << ": a refused rewrite changed the file";
      }
      EXPECT_FALSE(PathFileExistsA((file + ".purvex-tmp").c_str())) << "round " << round;
    }
  }
}

bool LoadsAsXml(const std::string& path) {
  TXmlDocument doc;
  return doc.Load(path);
}

}  // namespace

TEST(CorruptAppFiles, PlaylistsAndSettingsXmlNeverBreakTheScanOrTheRewrite) {
  TTestContext context(false);
  TTempFolder appData;
  context.Ctx.AppDataDir = GbkFromWide(appData.Path());
  const std::string folder = context.Ctx.AppDataDir + "\\Tencent\\QQPlayer\\";
  MakeDirs(folder);
  TPass playlists;
  RunPass(folder + "default.qpl",
          "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<playlist v=\"2\"><index n=\"1\"/><item file=\"C:\\a.rmvb\"/>"
          "<item file=\"C:\\b.rmvb\"><![CDATA[x]]></item><!-- c --></playlist>",
          300, 16, ScanQQPlayer, LoadsAsXml, playlists);
  EXPECT_GT(playlists.Rewritten, 3) << "the pass must reach the rewrite (most damaged XML never loads)";

  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\KuGoo6", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  const std::string app = context.Ctx.AppDataDir + "\\KuGoo.exe";
  RegSetValueExA(key, "AppFilename", 0, REG_SZ, reinterpret_cast<const BYTE*>(app.c_str()), static_cast<DWORD>(app.size() + 1));
  RegCloseKey(key);
  TPass settings;
  RunPass(context.Ctx.AppDataDir + "\\kugoo.xml",
          "<?xml version=\"1.0\"?>\r\n<Kugoo><General SearchHistory=\"a|b|&amp;c\" Volume=\"50\"/><Skin/></Kugoo>", 300, 17,
          ScanKugoo2010, LoadsAsXml, settings);
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\KuGoo6");
  EXPECT_GT(settings.Rewritten, 3);
}

TEST(CorruptAppFiles, EditorListsInDamagedIniFilesNeverBreakTheScanOrTheKeyDelete) {
  TTestContext context(false);
  TTempFolder appData;
  context.Ctx.AppDataDir = GbkFromWide(appData.Path());
  const std::string user = context.Ctx.AppDataDir + "\\IDMComp\\UltraEdit\\";
  MakeDirs(user);
  TPass pass;
  RunPass(user + "Uedit32.ini",
          "; editor settings\r\n[Settings]\r\nTheme=dark\r\n[Recent File List]\r\nFile1=C:\\a\\one.txt\r\nFile2=\"C:\\b c\\two.txt\"\r\n"
          "[Find History]\r\nFind1=needle=hay\r\n[Find in File History]\r\nFind1=C:\\x\\\r\n",
          300, 18, ScanUltraEdit, [](const std::string& path) { return PathFileExistsA(path.c_str()) != FALSE; }, pass);
  EXPECT_GT(pass.Rewritten, 50);
}
