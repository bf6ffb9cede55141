// Shared set-up of the unit tests: Allegro with no display, 32-bit memory bitmaps.
#pragma once

#include <allegro.h>

#include <cerrno>
#include <cstdlib>

inline void ensure_allegro()
{
    static bool ready = false;
    if (ready) return;
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    ready = true;
}
