// Paths inside texts: environment variables, the leading folder variables of registry
// entries and the executable at the start of a command line.
#pragma once
#include <string>

#include "core/ExePathRules.h"

// core::ExtractExePath: the executable or module path at the start of a command line.
using core::ExtractExePath;

// The value of an environment variable; empty when it is not set.
std::string EnvironmentValue(const std::string& name);

// ExpandEnvironmentStringsA of the text; the text unchanged when the call fails.
std::string ExpandEnvVars(const std::string& text);

// The leading folder variable replaced with this computer's folder (the 64-bit program
// folders when native is set on 64-bit Windows). Folder values come from the process
// context.
std::string ReplaceLeadingPathVariable(const std::string& text, bool native);

// ReplaceLeadingPathVariable, then ExtractExePath (for command lines).
std::string ExpandPathVariables(const std::string& text, bool native);
