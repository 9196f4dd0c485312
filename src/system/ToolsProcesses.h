// Running programs: the guard of every trace item, ending programs, starting command lines.
#pragma once
#include <string>

// True when a running process's executable name contains name (ASCII case folded).
bool IsProcessRunning(const std::string& name);

// Ends a process that is still running (exit code 1); true when it was terminated.
bool KillProcessByID(unsigned long pid);

// Ends every process whose lower-cased executable name equals lowerName, waiting 3 s
// after each; with restart set, starts lowerName again when no Explorer runs any more.
// False only when the process list cannot be read.
bool KillProcessByName(const std::string& lowerName, bool restart);

// Starts a command line in a new console, shown normally; with wait, until it ends.
void RunCommandLine(const std::string& commandLine, bool wait);
