// The process-wide folder values, read once when the main window is created.
#pragma once

struct TAppContext;

// Fills the folder values and PathDirs of ctx from this computer, leaving empty what
// cannot be read (the 64-bit program folders are read on 64-bit Windows only, as ctx's
// OS information tells). Returns false when the Windows, system or temporary folder
// could not be read, which the program cannot work without.
bool FillFolderValues(TAppContext& ctx);
