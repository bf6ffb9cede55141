// Shared set-up of the unit tests: Allegro with no display, 32-bit memory bitmaps.
#pragma once

#include <allegro.h>

#include <cerrno>
#include <cstdlib>

inline void ensure_allegro()
{
    if (!system_driver) install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
}
