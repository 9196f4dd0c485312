// Facts about the running Windows, read once at start-up.
#pragma once
#include <memory>
#include <string>

// Raw readings the object is made of; tests build one by hand.
struct TOrvOSInfoData {
  std::string ProgramFilesDir;
  bool VersionKnown = false;  // GetVersionExA succeeded
  int Major = 0;
  int Minor = 0;
  int ProductType = 0;
  std::string IEVersion;      // as read from the version resource
  bool IsWow64 = false;
};

class TOrvOSInfo {
 public:
  explicit TOrvOSInfo(const TOrvOSInfoData& data);

  // Reads the system. Throws std::runtime_error("Marvolent get Wow64 information error!")
  // when IsWow64Process exists but fails.
  static std::unique_ptr<TOrvOSInfo> Create();

  bool IsIE7OrLater() const;

  std::string OSName;
  int MajorVersion = 0;
  int MinorVersion = 0;
  bool IsWow64 = false;
  bool IsServer = false;
  std::string IEVersion;
  std::string ProgramFilesDir;
};

// A string value of a file's version resource ("FileVersion", "CompanyName", ...),
// in the first listed translation; empty when absent. An empty "FileVersion" falls
// back to GetFileVersionNumbers.
std::string GetFileVersionValue(const std::string& path, const std::string& valueName);

// The fixed file version as "a.b.c.d"; empty without a version resource.
std::string GetFileVersionNumbers(const std::string& path);

// Internet Explorer's executable below a Program Files folder.
std::string IEExePathFor(const std::string& programFilesDir);
