// Test helper: stays alive (up to a minute) until it is ended, so tests can find and kill it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Sleep(60000);
  return 0;
}
