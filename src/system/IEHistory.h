// Clearing Internet Explorer's history, cache and saved-tab values in child processes
// of the program (started with "/iehistory"), one per integrity level.
#pragma once
#include <string>

// System calls of the launcher. Wine accepts a low-integrity token without applying it,
// so tests watch the launcher through this interface.
class TIEHistoryLaunchSys {
 public:
  enum LowResult { TokenNotReady, Started, StartFailed };
  virtual ~TIEHistoryLaunchSys() = default;
  // shlwapi's IsOS; false when the library or the function is missing.
  virtual bool IsOS(unsigned long os) = 0;
  // Prepares a low-integrity copy of the process token and starts the command with it.
  virtual LowResult StartLowIntegrity(const std::string& commandLine) = 0;
  virtual bool StartNormal(const std::string& commandLine) = 0;
};

TIEHistoryLaunchSys& RealIEHistoryLaunchSys();

// Starts the history children for commandLine (the program's path + " /iehistory"):
// the low-integrity one first where the system has integrity levels, then the normal
// one; none at all when the low-integrity token cannot be prepared. Does not wait.
void LaunchIEHistoryClean(const std::string& commandLine,
                          TIEHistoryLaunchSys& sys = RealIEHistoryLaunchSys());

// Clears the URL history (IUrlHistoryStg2::ClearHistory, a stub under Wine).
class TUrlHistoryClearer {
 public:
  virtual ~TUrlHistoryClearer() = default;
  virtual void ClearHistory() = 0;
};

TUrlHistoryClearer& RealUrlHistoryClearer();

// The whole work of a "/iehistory" child: history, cache, then the saved-tab and
// code-page values. Every failure skips only its own piece.
void RunIEHistoryMode(TUrlHistoryClearer& history = RealUrlHistoryClearer());
