// Building blocks of the scenes: houses, rooms, doors, lamps, hills... Each takes
// its colours from the caller, so one block serves every path's palette.
#pragma once

#include "art/canvas.h"

// Rows where figures meet the ground: the player's feet are on row 52, the
// residents' on row 50.
constexpr int GROUND_TOP = 47;   // first row of an outdoor walking surface
constexpr int WALL_BASE = 47;    // last row of an indoor back wall
constexpr int FLOOR_TOP = 48;    // first row of an indoor floor

struct StreetColours {
    Rgb stone, joint, kerb, front;
};

struct RoomColours {
    Rgb wall, wallShade, skirting, floor, floorShade;
};

void sky(Canvas& c, Rgb top, Rgb bottom, int horizon = GROUND_TOP - 1);
void sun(Canvas& c, int x, int y, int r, Rgb core, Rgb halo);
void moon(Canvas& c, int x, int y, int r, Rgb face, Rgb halo, Rgb skyColour);
void stars(Canvas& c, int bottom, Rgb colour, int count, uint32_t seed);
void cloud(Canvas& c, int x, int y, int w, Rgb light, Rgb dark);
void hills(Canvas& c, int base, Rgb colour, uint32_t seed, double height = 3.0);

// A cobbled or paved walking surface from GROUND_TOP to the bottom.
void street(Canvas& c, const StreetColours& s, uint32_t seed);
// A grassy or earthen walking surface with a trodden path.
void path_ground(Canvas& c, Rgb grass, Rgb grassDark, Rgb path, Rgb pathEdge, uint32_t seed);

// A house front standing on the ground; roofTop is the row of the roof's ridge.
struct House {
    int x, w, wallTop;
    Rgb wall, roof, trim;
    bool pitched = true;
};
void house(Canvas& c, const House& h);
void window(Canvas& c, int x, int y, int w, int h, Rgb frame, Rgb glass, bool lit = false, Rgb light = {});
void door(Canvas& c, int x, int y, int w, int h, Rgb colour, Rgb frame, bool open = false, Rgb inside = {});
void chimney(Canvas& c, int x, int y, int h, Rgb colour);

void tree(Canvas& c, int x, int baseY, int size, Rgb leaves, Rgb leavesDark, Rgb trunk);
void bare_tree(Canvas& c, int x, int baseY, int size, Rgb colour);
void fence(Canvas& c, int x0, int x1, int baseY, Rgb colour);
void lamp_post(Canvas& c, int x, int baseY, Rgb post, Rgb light, bool lit, Rgb halo = {});

// Indoor room: back wall down to WALL_BASE with a skirting board, floor boards below.
void interior(Canvas& c, const RoomColours& r, uint32_t seed);
void wallpaper_stripes(Canvas& c, Rgb stripe, int spacing, int bottom = WALL_BASE - 1);
void table(Canvas& c, int x, int w, int topY, Rgb wood, Rgb dark);
void chair(Canvas& c, int x, int baseY, Rgb wood, bool facingRight);
void picture(Canvas& c, int x, int y, int w, int h, Rgb frame, Rgb inside, Rgb detail);
void hanging_lamp(Canvas& c, int x, int cordTop, int y, Rgb cord, Rgb shade, Rgb light, int glowRadius);
void shelf(Canvas& c, int x, int y, int w, Rgb wood, Rgb a, Rgb b);
void bed(Canvas& c, int x, int w, Rgb frame, Rgb sheet, Rgb cover, Rgb pillow);
void rug(Canvas& c, int x0, int x1, int y0, int y1, Rgb a, Rgb b);

// Ways out taken with Up or Down: a lighter track leading back into the
// picture, or steps going down in front.
void track_up(Canvas& c, int x0, int x1, int topY, int topX0, int topX1, Rgb path, Rgb edge);
void steps_down(Canvas& c, int x0, int x1, Rgb stone, Rgb dark, Rgb rail);

// Water with glints between two rows.
void water(Canvas& c, int y0, int y1, Rgb deep, Rgb light, Rgb glint, uint32_t seed);

// Stone walls and battlements.
void stone_wall(Canvas& c, int x0, int y0, int x1, int y1, Rgb stone, Rgb joint, uint32_t seed);
void battlements(Canvas& c, int x0, int x1, int y, Rgb stone);
// A mountain in three tones: lit left of its peak, shaded right of it, snow
// above snowLine; the outline runs through (x, y) pairs from left to right.
void mountain(Canvas& c, std::initializer_list<int> outline, int peakX, int snowLine, Rgb lit, Rgb shaded,
              uint32_t seed);
// A castle of towers with pointed roofs between x0 and x1, from the roofs' row
// (top) to its foot (base), with a flag on the keep.
void castle(Canvas& c, int x0, int x1, int top, int base, Rgb stone, Rgb dark, Rgb roof, Rgb flag);
void banner(Canvas& c, int x, int y, int w, int h, Rgb cloth, Rgb emblem);
void torch(Canvas& c, int x, int y, Rgb flame, Rgb halo);

// War: wire, craters, smoke.
void barbed_wire(Canvas& c, int x0, int x1, int y, Rgb wire);
void crater(Canvas& c, int x, int y, int w, Rgb rim, Rgb hole);
void smoke(Canvas& c, int x, int y, int r, Rgb colour, uint32_t seed);
void sandbags(Canvas& c, int x0, int x1, int y0, int y1, Rgb bag, Rgb seam);
