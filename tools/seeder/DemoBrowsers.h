// The demo Windows' browsers: profiles of Firefox, Chrome and Opera with databases in
// their own layouts, the search toolbars, the typed addresses and the IE-engine browsers.
#pragma once

void SeedBrowsers();
// Takes away what SeedBrowsers planted, and nothing else.
void RemoveBrowsers();
