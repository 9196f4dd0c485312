// The junk-scan option the program writes for the family ("config", "show2days"); the
// program itself never reads it back.
#pragma once

// show2Days: only files last used two or more days ago are reported.
void WriteShow2Days(bool show2Days);
