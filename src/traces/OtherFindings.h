// The clean of findings of kind "other": files that are rewritten by their application's
// rule instead of being deleted, chosen by the finding's application tag (Name).
#pragma once
#include "items/Column4TreeData.h"
#include <functional>
#include <string>
#include <vector>

#include "items/ItemClean.h"
#include "items/ItemHandlers.h"

// False when the tag is unknown or the rewrite failed; the file is then left as it was.
bool RewriteOtherFinding(const Column4TreeData& finding);

// The remover of the application findings (Kind kKindApplication) of the items that
// report them: each through RewriteOtherFinding.
void RewriteApplicationFindings(TRemoval& removal);

// The usual handler (TraceHandler) of an item that also reports application findings.
TItemHandler ApplicationHandler(std::function<void(TItemScan&)> scan, const char* unit,
                                std::vector<std::string> guards);
