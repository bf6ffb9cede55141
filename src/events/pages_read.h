// The pages the player has read, remembered across runs in a small file of its
// own beside the profile. A page whose lines follow the count of endings counts
// once for each of its forms.
#pragma once

#include <string>

#include "core/game_state.h"

// "11", or "2.3" for code 2 as it reads with three endings found; "" for a code
// that is no dialogue page.
std::string page_read_key(EventCode code, int endingsCount);
bool page_was_read(EventCode code, int endingsCount);
void mark_page_read(EventCode code, int endingsCount);
// Forgets every page read (tests).
void forget_pages_read();

// The file: one key a line. Lines that name no page are skipped.
std::string pages_read_text();
void parse_pages_read(const std::string& text);

// Reads the file at start-up; a missing file is no page read. A file that is not
// a regular one (a link among them) is neither read nor ever written.
void read_pages_read_from(const char* path);
// Written through a new file renamed over the old, keeping the pages another copy
// of the game saved meanwhile. False when nothing was written. Before `atExit`
// the folder's lock is only tried: while another copy holds it nothing is
// written and the next save tries again; at exit it is waited for a moment.
bool write_pages_read_to(const char* path, bool atExit = true);
// Writes when a page has been read since the last read or write.
bool save_pages_read_if_changed_to(const char* path, bool atExit = false);

// The same, on the file beside the profile (no file without a profile folder).
void read_pages_read();
void save_pages_read_if_changed(bool atExit = false);
