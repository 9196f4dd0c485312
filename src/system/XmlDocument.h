// Reading XML files through the platform's XML DOM (msxml).
#pragma once
#include <string>

// The number of child nodes of the file's document element; -1 when the file cannot be
// loaded as XML (missing, damaged, not well-formed) or has no document element.
long XmlRootChildCount(const std::string& path);
