// The demo Windows' applications and media players: recent-file lists in the registry and
// in INI files, playlists and settings in XML, a player's library in SQLite, logs and
// caches in the profile.
#pragma once

void SeedApplications();
// Takes away what SeedApplications planted, and nothing else.
void RemoveApplications();
