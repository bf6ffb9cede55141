// The endings found, kept across runs in data/profile.dat (or, for an installed
// game, in the player's own data folder: see profile_path()).
#pragma once

#include <cstdio>

void read_profile();
void write_profile();
// Writes the profile when the endings differ from those last read or written:
// called every frame, so an ending is saved the moment it is recorded. It never
// waits for another copy's lock: while that is held, a later frame saves.
void save_profile_if_changed();
// The player cleared the endings (N on the continue prompt): the next write keeps
// them cleared instead of merging back what the file holds.
void note_endings_cleared();
// From now on read_profile, write_profile and save_profile_if_changed do nothing
// (a warped walk, which is not the player's).
void keep_profile_untouched();

// The same, on a path of the caller's choosing (tests, and the ones above).
void read_profile_from(const char* path);
// Reads the eight values from an open stream and chooses the first page.
void read_profile_stream(FILE* file);
// The save at exit: waits a moment for another copy's lock, then saves without
// it. Returns false, and leaves the old file as it was, when the profile cannot be
// written: it could not be read at start-up, it is not a regular file, it is
// read-only, or the new one cannot be made beside it.
bool write_profile_to(const char* path);
bool save_profile_if_changed_to(const char* path);
