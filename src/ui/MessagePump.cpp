#include "ui/MessagePump.h"

#include <windows.h>

namespace {
DWORD g_lastPump = 0;
unsigned long g_pumps = 0;
}  // namespace

void PumpMessagesNow() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Leave it for the main loop, which ends the program.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  g_lastPump = GetTickCount();
  ++g_pumps;
}

bool PumpMessages(unsigned minimumMs) {
  if (GetTickCount() - g_lastPump < minimumMs) return false;
  PumpMessagesNow();
  return true;
}

unsigned long PumpCount() { return g_pumps; }
