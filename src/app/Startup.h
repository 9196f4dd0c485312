// The program's entry: the history mode, the single-instance mutex, the start-up gate
// and the main window's message loop.
#pragma once
#include <string>

#include "core/StartupGate.h"

// Runs the program for a command line and returns the process exit code.
int RunPurvex(const std::string& commandLine);

// True when the thread's (else the process's) token holds the Administrators group.
bool IsUserAdmin();

// True when the group list holds the built-in Administrators group (S-1-5-32-544).
bool GroupsHoldAdministrators(const struct _TOKEN_GROUPS* groups);

// The message shown for a refusal; osName fills the non-administrator text.
std::string StartupRefusalText(core::StartupRefusal refusal, const std::string& osName);

// Modal error box without owner, caption "MarvolentPurvex".
void ShowStartupError(const std::string& text);
