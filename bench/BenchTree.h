// The generated tree that the file-walk benchmarks share, and the bare walk they are
// measured against.
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>

namespace bench {

const int kFilesPerFolder = 1000;

// Outside the temporary folder, so that no test that looks there meets 100,000 files.
inline std::string TreeRoot() { return "C:\\purvex-bench-tree"; }

// Files f<i>.tmp, empty, 1,000 to a folder d<n>. Reuses a tree made by an earlier run
// when it has the same size.
inline void MakeTree(const std::string& root, int files) {
  std::string marker = root + "\\files-" + std::to_string(files) + ".done";
  if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES) return;
  CreateDirectoryA(root.c_str(), nullptr);
  for (int i = 0; i < files; ++i) {
    std::string folder = root + "\\d" + std::to_string(i / kFilesPerFolder);
    if (i % kFilesPerFolder == 0) CreateDirectoryA(folder.c_str(), nullptr);
    std::string file = folder + "\\f" + std::to_string(i) + ".tmp";
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  HANDLE h = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}

// Counts the files below folder with nothing but FindFirstFileA/FindNextFileA.
inline long long BareWalk(const std::string& folder) {
  long long files = 0;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    if (fd.cFileName[0] == '.') continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      files += BareWalk(folder + "\\" + fd.cFileName);
    else
      ++files;
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return files;
}

// One figure with its goal: "<what>: <value> <unit> (goal <goal>: met)", or missed when the
// value is above the goal.
inline void PrintGoal(const char* what, double value, const char* unit, double goal) {
  std::printf("%s: %.2f %s (goal %g: %s)\n", what, value, unit, goal, value <= goal ? "met" : "missed");
}

inline double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER freq) {
  return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(freq.QuadPart);
}

}  // namespace bench
