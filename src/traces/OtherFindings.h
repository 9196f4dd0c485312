// The clean of findings of kind "other": files that are rewritten by their application's
// rule instead of being deleted, chosen by the finding's application tag (Name).
#pragma once
#include "items/Column4TreeData.h"

// The rewrite of whichever group's tag the finding carries. False when the tag is unknown
// or the rewrite failed; the file is then left as it was.
bool RewriteOtherFinding(const Column4TreeData& finding);
