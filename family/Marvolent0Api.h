// The export of the family's settings library Marvolent0.dll, shared by the library and
// the program that loads it.
#pragma once

class TStreamIniFile;

// Reads the INI file at path (8-bit, zero-terminated) into the object *ini, which the
// caller created empty, through its virtual LoadFromStream. Returns a one-byte boolean:
// false when the file cannot be read, *ini is untouched or only partly filled, and the
// caller frees the object and treats the file as absent. Never throws.
#define MARVOLENT0_CALL __stdcall
typedef bool(MARVOLENT0_CALL* TGetMemIniFile)(const char* path, TStreamIniFile** ini);

extern "C" bool MARVOLENT0_CALL GetMemIniFile(const char* path, TStreamIniFile** ini);

static_assert(sizeof(bool) == 1, "GetMemIniFile returns a one-byte boolean");
