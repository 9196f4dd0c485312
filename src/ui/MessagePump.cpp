#include "ui/MessagePump.h"

#include <windows.h>

namespace {
DWORD g_lastPump = 0;
unsigned long g_pumps = 0;
const DWORD kPumpBudgetMs = 50;
}  // namespace

void PumpMessagesNow() {
  MSG msg;
  const DWORD start = GetTickCount();
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Leave it for the main loop, which ends the program.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    // A timer whose event takes longer than its interval always has a message waiting:
    // the rest waits for the next pump, so the work that pumps goes on.
    if (GetTickCount() - start >= kPumpBudgetMs) break;
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
