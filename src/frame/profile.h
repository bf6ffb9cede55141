// The endings found, kept across runs in data/profile.dat (or, for an installed
// game, in the player's own data folder: see profile_path()).
#pragma once

#include <cstdio>

void read_profile();
void write_profile();

// The same, on a path of the caller's choosing (tests, and the two above).
void read_profile_from(const char* path);
// Reads the eight values from an open stream and chooses the first page.
void read_profile_stream(FILE* file);
// Returns false, and leaves the old file as it was, when the profile cannot be written.
bool write_profile_to(const char* path);
