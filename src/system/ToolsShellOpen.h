// Opening documents and web addresses with the handlers the user has chosen.
#pragma once
#include <string>

// ShellExecuteEx "open", shown normally; errors ignored.
void ShellOpen(const std::string& file, const std::string& parameters);

// The default handler; Internet Explorer when the shell reports failure.
void OpenURL(const std::string& url);
