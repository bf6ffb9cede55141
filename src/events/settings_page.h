// The settings page: a full-screen page over the title, the continue prompt or
// the pause, where the player sets every setting of the record. Up and Down
// choose a line, Left and Right (Space too) change it at once, and each change is
// saved; F1 or Escape goes back to where the player was. With the voice on, each
// line is said as it is chosen or changed.
#pragma once

#include <string>

#include "render/render_context.h"

// The page's lines, top to bottom.
enum class SettingsLine {
    MusicVolume,
    EffectsVolume,
    VoiceVolume,
    Voice,
    VoiceRate,
    Captions,
    Calm,
    AutoWalk,
    ExitHold,
    Hurry,
    Fullscreen,
    Scale,
    Keys,
};
constexpr int SETTINGS_LINE_COUNT = 13;

bool settings_page_open();
// Opens the page on its first line and says so.
void open_settings_page();
// Closes it; the keys that closed it count as up until let go, so the page
// beneath does not take them too.
void close_settings_page();
// The page's step, on the frame's actions.
void settings_page_input();
void draw_settings_page(RenderContext& context);
// The page on the back buffer, not yet shown.
void compose_settings_page(RenderContext& context);

// The line as shown and said: "Music volume: 70".
std::string settings_line_text(SettingsLine line);
// Changes a line's setting one step down (-1) or up (+1), as Left and Right do,
// with everything the change brings about (the music's volume, the display).
void change_setting(SettingsLine line, int step);
SettingsLine chosen_settings_line();
