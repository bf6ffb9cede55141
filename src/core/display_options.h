// How big the game is shown and where: the scale and full-screen choices from
// config.ini's [graphics] section and the command line (the command line wins).
#pragma once

#include <string>

#include "core/settings.h"

// What the command line asked of the display; the scale itself is settings.scale.
struct DisplayOptions {
    bool scaleGiven = false;     // --scale was on the command line
    int fullscreenOption = -1;   // -1 none, 0 --window, 1 --fullscreen
};

extern DisplayOptions displayOptions;

// Reads "1".."8" or "auto". Anything else leaves `out` alone and returns false.
bool parse_scale(const std::string& text, ScaleSetting& out);
// As parse_scale, but a bad value prints one line on stderr naming the setting
// (`source`, such as "--scale") and gives scale 1.
ScaleSetting read_scale(const std::string& text, const char* source);

// Takes the display option at argv[i]: returns how many arguments it used (0 when
// argv[i] is not one), or -1 after printing why the option cannot be used (an
// option that needs a value and is followed by nothing, or by another option).
int take_display_option(int argc, char** argv, int i);
// After the configuration file is set and `fullscreen` read from it: the scale from
// the file unless the command line gave one, then --window or --fullscreen.
void apply_display_options();
