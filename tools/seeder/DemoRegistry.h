// The demo Windows' invalid registry entries: one or more for each registry category,
// every one named with "PurvexDemo" so that a person (and a test) can tell them.
#pragma once

void SeedInvalidRegistry();
// Takes away what SeedInvalidRegistry planted, and nothing else.
void RemoveInvalidRegistry();
