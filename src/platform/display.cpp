#include "platform/display.h"

#include <allegro.h>

#include <algorithm>
#include <cstdio>

#include "core/display_layout.h"
#include "core/display_options.h"
#include "platform/window_icon.h"
#include "platform/x_server.h"

namespace {

// A scale asked for that the desktop cannot show is lowered, and said once.
int fitted(int asked, int largest, int width, int height)
{
    if (asked <= largest) return asked;
    static bool told = false;
    if (!told)
        std::fprintf(stderr, "Karvelle: scale %d does not fit the %dx%d desktop; using %d, the largest that fits\n",
                     asked, width, height, largest);
    told = true;
    return largest;
}

bool open_window(int factor)
{
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, FRAME_WIDTH * factor, FRAME_HEIGHT * factor, 0, 0) != 0) return false;
    displayLayout = DisplayLayout{factor, 0, 0};
    return true;
}

// The monitor's own 640x480 mode (or whatever Allegro's full-screen driver makes of it).
bool open_natural_fullscreen()
{
    if (set_gfx_mode(GFX_AUTODETECT_FULLSCREEN, FRAME_WIDTH, FRAME_HEIGHT, 0, 0) != 0) return false;
    displayLayout = DisplayLayout{};
    return true;
}

// Full-screen at the desktop's resolution, so the monitor keeps its mode; the
// frame is enlarged by the largest factor that fits, or by a smaller one asked for.
bool open_desktop_fullscreen(const ScaleSetting& scale)
{
    int width = 0, height = 0;
    if (get_desktop_resolution(&width, &height) != 0 || width < FRAME_WIDTH || height < FRAME_HEIGHT) return false;
    if (set_gfx_mode(GFX_AUTODETECT_FULLSCREEN, width, height, 0, 0) != 0) return false;
    int factor = fullscreen_scale_for_desktop(SCREEN_W, SCREEN_H);
    if (!scale.automatic && scale.factor > 1) factor = fitted(scale.factor, factor, SCREEN_W, SCREEN_H);
    displayLayout = DisplayLayout{factor, (SCREEN_W - FRAME_WIDTH * factor) / 2, (SCREEN_H - FRAME_HEIGHT * factor) / 2};
    return true;
}

int window_factor(const ScaleSetting& scale)
{
    int width = 0, height = 0;
    if (get_desktop_resolution(&width, &height) != 0) return scale.automatic ? 1 : scale.factor;
    int largest = window_scale_for_desktop(width, height);
    return scale.automatic ? largest : fitted(scale.factor, largest, width, height);
}

}  // namespace

bool open_display_mode(bool fullscreen)
{
    const ScaleSetting& scale = settings.scale;
    bool opened;
    if (fullscreen) {
        bool natural = scale.factor == 1 && !scale.automatic && x_server_can_switch_to(FRAME_WIDTH, FRAME_HEIGHT);
        opened = natural ? open_natural_fullscreen() : (open_desktop_fullscreen(scale) || open_natural_fullscreen());
    } else {
        int factor = window_factor(scale);
        opened = open_window(factor);
        if (!opened && factor > 1) {
            std::fprintf(stderr, "Karvelle: cannot open a %dx%d window (%s); opening 640x480\n", FRAME_WIDTH * factor,
                         FRAME_HEIGHT * factor, allegro_error);
            opened = open_window(1);
        }
    }
    // The bars around an enlarged frame are never drawn on again: black from here.
    if (opened && screen) clear_bitmap(screen);
    if (opened) show_game_icon();
    return opened;
}
