// The one place where long work on the main thread lets window messages through. Under
// Wine an empty PeekMessage costs a wineserver round trip, so messages are pumped only
// when enough time has passed since the last pump; the stop flag is still looked at
// after every entry by the callers.
#pragma once

// Processes pending messages when at least minimumMs passed since the last pump.
// Returns true when it pumped.
bool PumpMessages(unsigned minimumMs = 30);

// Processes pending messages now, for at most about 50 ms (what is left waits for the
// next pump).
void PumpMessagesNow();

// Number of pumps so far (for measurements).
unsigned long PumpCount();
