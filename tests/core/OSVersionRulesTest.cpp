#include "core/OSVersionRules.h"

#include <gtest/gtest.h>

using namespace core;

TEST(OSNameFor, EveryRowOfTheVersionTable) {
  struct Row {
    int major, minor, productType;
    const char* name;
  } rows[] = {
      {4, 10, kProductWorkstation, "98"},
      {4, 90, kProductWorkstation, "Me"},
      {4, 0, kProductWorkstation, ""},  // NT 4.0 and 95: empty, not "Invalidated"
      {5, 0, kProductWorkstation, "2000"},
      {5, 0, kProductServer, "2000"},
      {5, 1, kProductWorkstation, "XP"},
      {5, 2, kProductServer, "2003"},
      {5, 3, kProductWorkstation, ""},
      {6, 0, kProductWorkstation, "Vista"},
      {6, 0, kProductServer, "2008"},
      {6, 0, kProductDomainController, "2008"},
      {6, 0, 0, "2008"},  // not a workstation
      {6, 1, kProductWorkstation, "7"},
      {6, 1, kProductServer, "7"},
      {6, 2, kProductWorkstation, ""},  // Windows 8 and later without a manifest entry
      {3, 51, kProductWorkstation, "Invalidated"},
      {10, 0, kProductWorkstation, "Invalidated"},
      {0, 0, 0, "Invalidated"},  // GetVersionEx failed
  };
  for (const Row& r : rows)
    EXPECT_EQ(OSNameFor(r.major, r.minor, r.productType), r.name)
        << r.major << "." << r.minor << " type " << r.productType;
}

TEST(IsServerProduct, ServerAndDomainControllerOnly) {
  EXPECT_FALSE(IsServerProduct(kProductWorkstation));
  EXPECT_TRUE(IsServerProduct(kProductDomainController));
  EXPECT_TRUE(IsServerProduct(kProductServer));
  EXPECT_FALSE(IsServerProduct(0));
}

TEST(IsIE7OrLaterText, ComparesCharactersNotNumbers) {
  EXPECT_TRUE(IsIE7OrLaterText("7.0.0.0"));
  EXPECT_TRUE(IsIE7OrLaterText("7.00.6000.16386"));
  EXPECT_TRUE(IsIE7OrLaterText("8.00.6001.18702"));
  EXPECT_TRUE(IsIE7OrLaterText("9.00.8112.16421"));
  EXPECT_FALSE(IsIE7OrLaterText("6.00.2900.5512"));
  EXPECT_FALSE(IsIE7OrLaterText("10.00.9200.16384"));
  EXPECT_FALSE(IsIE7OrLaterText("11.00.9600.16428"));
  EXPECT_FALSE(IsIE7OrLaterText(""));
  EXPECT_FALSE(IsIE7OrLaterText("7.0.0"));
}

TEST(FormatFileVersionNumbers, FourSixteenBitParts) {
  EXPECT_EQ(FormatFileVersionNumbers(0x00060001, 0x1DB04001), "6.1.7600.16385");
  EXPECT_EQ(FormatFileVersionNumbers(0, 0), "0.0.0.0");
  EXPECT_EQ(FormatFileVersionNumbers(0xFFFFFFFF, 0xFFFFFFFF), "65535.65535.65535.65535");
}

TEST(VersionValueQuery, FirstTranslationOrBareName) {
  EXPECT_EQ(VersionValueQuery(true, 0x0804, 0x04B0, "FileVersion"),
            "\\StringFileInfo\\080404b0\\FileVersion");
  EXPECT_EQ(VersionValueQuery(true, 0x9, 0x4E4, "CompanyName"),
            "\\StringFileInfo\\000904e4\\CompanyName");
  EXPECT_EQ(VersionValueQuery(false, 0x0804, 0x04B0, "FileVersion"), "FileVersion");
}

TEST(TrimBlanks, ControlCharactersAndSpacesAtBothEnds) {
  EXPECT_EQ(TrimBlanks("  8.00.6001 (winmain)\t\r\n"), "8.00.6001 (winmain)");
  EXPECT_EQ(TrimBlanks(" \x01 "), "");
  EXPECT_EQ(TrimBlanks("版本 "), "版本");  // high bytes are not blanks
}
