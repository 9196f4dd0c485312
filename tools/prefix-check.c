/* Checks a bench prefix from inside, as the tests will see it: R: a removable disk, N: a
 * network share, Z: not the machine's root, and the interface's face mapped onto the
 * installed CJK font in the registry view this process reads. Built for each bitness by
 * wine-prefix.sh and run in every prefix, so a prefix whose set-up went into the wrong view
 * fails here, by name, and not as failures of unrelated tests.
 * Prints one line per fault; exits with the number of faults. */
#include <windows.h>
#include <stdio.h>

static int faults = 0;

static void fault(const char* what) {
  printf("prefix check (%d-bit process): %s\n", (int)sizeof(void*) * 8, what);
  ++faults;
}

static const char* drive_type_name(UINT type) {
  switch (type) {
    case DRIVE_NO_ROOT_DIR: return "absent";
    case DRIVE_REMOVABLE: return "removable";
    case DRIVE_FIXED: return "fixed";
    case DRIVE_REMOTE: return "remote";
    case DRIVE_CDROM: return "cdrom";
    case DRIVE_RAMDISK: return "ramdisk";
    default: return "unknown";
  }
}

static void expect_drive(const char* root, UINT expected) {
  UINT type = GetDriveTypeA(root);
  char line[160];
  if (type == expected) return;
  snprintf(line, sizeof line, "drive %s is %s (%u), the set-up makes it %s (Software\\Wine\\Drives of the 64-bit view)",
           root, drive_type_name(type), type, drive_type_name(expected));
  fault(line);
}

static int CALLBACK found_face(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD type, LPARAM found) {
  (void)font; (void)metrics; (void)type;
  *(int*)found = 1;
  return 0;
}

static void expect_substitute(const wchar_t* face, const wchar_t* printable) {
  static const wchar_t target[] = L"WenQuanYi Micro Hei";
  wchar_t value[64] = {0};
  DWORD size = sizeof value - sizeof(wchar_t), type = 0;
  HKEY key;
  char line[200];
  LONG result = RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes",
                              0, KEY_QUERY_VALUE, &key);
  if (result == ERROR_SUCCESS) {
    result = RegQueryValueExW(key, face, NULL, &type, (BYTE*)value, &size);
    RegCloseKey(key);
  }
  if (result != ERROR_SUCCESS || type != REG_SZ || lstrcmpiW(value, target) != 0) {
    snprintf(line, sizeof line, "the font substitute of \"%ls\" is missing in this process's registry view (error %ld)",
             printable, result);
    fault(line);
  }
}

int main(void) {
  HDC dc;
  int installed = 0;
  LOGFONTW wanted;
  expect_drive("R:\\", DRIVE_REMOVABLE);
  expect_drive("N:\\", DRIVE_REMOTE);
  /* Every Linux has /etc/passwd: seen through Z:, the machine's root would be reachable. */
  if (GetFileAttributesA("Z:\\etc\\passwd") != INVALID_FILE_ATTRIBUTES) fault("drive Z: reaches the machine's root");
  expect_substitute(L"\x5B8B\x4F53", L"SimSun (Chinese name)");
  expect_substitute(L"\x5FAE\x8F6F\x96C5\x9ED1", L"Microsoft YaHei (Chinese name)");
  expect_substitute(L"MS Shell Dlg", L"MS Shell Dlg");
  /* The substitute only helps when the font itself is there. */
  dc = CreateCompatibleDC(NULL);
  ZeroMemory(&wanted, sizeof wanted);
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpyW(wanted.lfFaceName, L"WenQuanYi Micro Hei");
  if (dc) {
    EnumFontFamiliesExW(dc, &wanted, found_face, (LPARAM)&installed, 0);
    DeleteDC(dc);
  }
  if (!installed) fault("the font \"WenQuanYi Micro Hei\" is not installed (fonts-wqy-microhei)");
  return faults;
}
