#include "platform/window_icon.h"

#include <allegro.h>
#include <xalleg.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

// Painted by the asset generator into the build folder (build/icons).
#include <window_icon.inc>

// Allegro's X11 icon, XPM data; not declared in its headers.
extern "C" void* allegro_icon;

namespace {

constexpr int ICON_SIZE = 32;

// The 32-pixel icon as XPM lines: one character a colour, "None" where it is
// clear. They live as long as the process, as Allegro keeps the pointer.
std::vector<std::string> xpmText;
std::vector<const char*> xpmLines;

void make_xpm()
{
    const char* const SYMBOLS = ".#abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::map<uint32_t, char> symbolOf;
    std::vector<std::string> colours;
    std::vector<std::string> rows(ICON_SIZE, std::string(ICON_SIZE, ' '));
    for (int i = 0; i < ICON_SIZE * ICON_SIZE; ++i) {
        uint32_t pixel = WINDOW_ICON_32[i];
        if ((pixel >> 24) < 128) pixel = 0;  // clear
        auto found = symbolOf.find(pixel);
        if (found == symbolOf.end()) {
            if (symbolOf.size() >= 64) return;  // more colours than the icon has: keep Allegro's
            char symbol = SYMBOLS[symbolOf.size()];
            found = symbolOf.emplace(pixel, symbol).first;
            char line[32];
            if (pixel == 0)
                std::snprintf(line, sizeof line, "%c c None", symbol);
            else
                std::snprintf(line, sizeof line, "%c c #%06X", symbol, unsigned(pixel & 0xffffff));
            colours.push_back(line);
        }
        rows[size_t(i / ICON_SIZE)][size_t(i % ICON_SIZE)] = found->second;
    }
    xpmText.push_back(std::to_string(ICON_SIZE) + " " + std::to_string(ICON_SIZE) + " " +
                      std::to_string(colours.size()) + " 1");
    xpmText.insert(xpmText.end(), colours.begin(), colours.end());
    xpmText.insert(xpmText.end(), rows.begin(), rows.end());
    for (const std::string& line : xpmText) xpmLines.push_back(line.c_str());
}

}  // namespace

void name_game_window()
{
    xwin_set_window_name("karvelle", "Karvelle");
    if (xpmLines.empty()) make_xpm();
    if (!xpmLines.empty()) allegro_icon = xpmLines.data();
}

void show_game_icon()
{
    if (!system_driver || system_driver->id != SYSTEM_XWINDOWS || !_xwin.display) return;
    // _NET_WM_ICON: width, height and the pixels of each size, a long each.
    std::vector<unsigned long> data;
    for (const auto& [size, pixels] : {std::pair{16, WINDOW_ICON_16}, std::pair{32, WINDOW_ICON_32}}) {
        data.push_back(unsigned(size));
        data.push_back(unsigned(size));
        data.insert(data.end(), pixels, pixels + size * size);
    }
    XLOCK();
    Atom icon = XInternAtom(_xwin.display, "_NET_WM_ICON", False);
    Atom cardinal = XInternAtom(_xwin.display, "CARDINAL", False);
    for (Window window : {_xwin.wm_window, _xwin.fs_window}) {
        if (window == None) continue;
        XChangeProperty(_xwin.display, window, icon, cardinal, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(data.data()), int(data.size()));
    }
    XFlush(_xwin.display);
    XUNLOCK();
}
