// Saving the player's settings: each one changed in play is written to the
// player's config.ini at the end of its frame, the rest of the file as it was.
#pragma once

#include <string>
#include <vector>

#include "core/settings.h"

// Once a frame: writes the settings marked with setting_changed, if any.
void save_settings_if_changed();
// Writes the given settings' values into the config.ini at `path`, through a
// new file renamed over the old one (a link is followed; the folders of a file
// not there yet are made). A file that cannot be written gives one line on
// stderr in the run, and false; the settings stay as they are for the run.
bool write_settings_to(const std::string& path, const std::vector<SettingKey>& keys);
// Forgets that a failure was said (tests).
void reset_settings_file();
