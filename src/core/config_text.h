// Editing the text of an ini file as the player wrote it: one key's value is
// set and every other line (comments, blank lines, keys the game does not know,
// other sections) stays exactly as it was.
#pragma once

#include <string>

// The text with `key = value` in [section]: a key already there (in any case,
// the last one where Allegro would read the last) gets the new value in place;
// a new key goes after the last line of its section; a new section goes at the
// end. Line ends follow the text's own ("\r\n" or "\n").
std::string with_config_value(const std::string& text, const std::string& section, const std::string& key,
                              const std::string& value);
