// The game's icon: the man walking right along a path at dusk, as crisp pixel
// art at every size a desktop asks for.
#pragma once

#include <string>
#include <vector>

// The sizes written, in pixels: 16, 32 and 48 enlarge a hand-drawn 16x16 picture,
// 64 to 256 a 32x32 one, always by whole pixels.
const std::vector<int>& icon_sizes();

// Writes karvelle-SIZE.png for every size into folder, and window_icon.inc, the
// window's icon as C++ arrays for the game to build in; returns false on failure.
bool write_icons(const std::string& folder);
