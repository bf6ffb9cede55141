#include "art/kit.h"

#include <algorithm>
#include <cmath>
#include <vector>

void sky(Canvas& c, Rgb top, Rgb bottom, int horizon)
{
    c.gradient(0, horizon, {top, mix(top, bottom, 0.2), mix(top, bottom, 0.4), mix(top, bottom, 0.6),
                            mix(top, bottom, 0.8), bottom});
}

void sun(Canvas& c, int x, int y, int r, Rgb core, Rgb halo)
{
    c.glow(x, y, r * 3, halo, 0.6);
    c.circle(x, y, r, core);
}

void moon(Canvas& c, int x, int y, int r, Rgb face, Rgb halo, Rgb skyColour)
{
    c.glow(x, y, r * 3, halo, 0.5);
    c.circle(x, y, r, face);
    // a few darker seas on the face
    c.pixel(x - 1, y - 1, mix(face, skyColour, 0.25));
    c.pixel(x + 1, y + 1, mix(face, skyColour, 0.2));
    c.pixel(x, y + 1, mix(face, skyColour, 0.15));
}

void stars(Canvas& c, int bottom, Rgb colour, int count, uint32_t seed)
{
    Dice d(seed);
    for (int i = 0; i < count; ++i) {
        int x = d.range(0, c.width() - 1), y = d.range(0, bottom);
        c.pixel(x, y, d.unit() < 0.3 ? colour : mix(c.get(x, y), colour, 0.5));
    }
}

void cloud(Canvas& c, int x, int y, int w, Rgb light, Rgb dark)
{
    c.ellipse(x + w / 2, y + 1, w / 2, 2, dark);
    c.ellipse(x + w / 3, y, w / 4, 2, light);
    c.ellipse(x + 2 * w / 3, y - 1, w / 4, 2, light);
    c.hline(x + 1, x + w - 2, y + 2, dark);
}

void hills(Canvas& c, int base, Rgb colour, uint32_t seed, double height)
{
    Dice d(seed);
    double p1 = d.unit(), p2 = d.unit();
    c.ridge(base, {height, 37.0, p1, height * 0.5, 13.0, p2}, colour, GROUND_TOP);
}

void street(Canvas& c, const StreetColours& s, uint32_t seed)
{
    c.rect(0, GROUND_TOP, c.width() - 1, c.height() - 1, s.stone);
    c.hline(0, c.width() - 1, GROUND_TOP, s.kerb);
    // cobble joints: staggered short dashes that widen towards the front
    for (int y = GROUND_TOP + 2; y < c.height() - 3; y += 2) {
        int step = 3 + (y - GROUND_TOP) / 3;
        int off = ((y / 2) % 2) * step / 2;
        for (int x = -off; x < c.width(); x += step)
            c.pixel(x, y, s.joint);
    }
    c.speckle(0, GROUND_TOP + 1, c.width() - 1, c.height() - 1, s.joint, 0.05, seed);
    c.gradient(c.height() - 4, c.height() - 1, {s.stone, s.front});
}

void path_ground(Canvas& c, Rgb grass, Rgb grassDark, Rgb path, Rgb pathEdge, uint32_t seed)
{
    c.rect(0, GROUND_TOP, c.width() - 1, c.height() - 1, grass);
    c.speckle(0, GROUND_TOP, c.width() - 1, c.height() - 1, grassDark, 0.18, seed);
    c.rect(0, 50, c.width() - 1, 55, path);
    c.hline(0, c.width() - 1, 49, pathEdge);
    c.speckle(0, 50, c.width() - 1, 55, pathEdge, 0.07, seed + 1);
    c.hline(0, c.width() - 1, 56, pathEdge);
}

void house(Canvas& c, const House& h)
{
    int x1 = h.x + h.w - 1;
    c.rect(h.x, h.wallTop, x1, GROUND_TOP - 1, h.wall);
    c.vline(x1, h.wallTop, GROUND_TOP - 1, shade(h.wall, 0.85));
    if (h.pitched) {
        int rise = (h.w + 2) / 3;
        c.polygon({h.x - 1, h.wallTop, x1 + 1, h.wallTop, x1 - h.w / 4, h.wallTop - rise,
                   h.x + h.w / 4, h.wallTop - rise},
                  h.roof);
        c.hline(h.x - 1, x1 + 1, h.wallTop, shade(h.roof, 0.7));
        for (int y = h.wallTop - rise + 2; y < h.wallTop; y += 2)
            c.hline(h.x + h.w / 4 - (y - h.wallTop + rise) * (h.w / 4) / rise, x1 - h.w / 4 + (y - h.wallTop + rise) * (h.w / 4) / rise, y,
                    shade(h.roof, 0.88));
    } else {
        c.rect(h.x - 1, h.wallTop - 2, x1 + 1, h.wallTop - 1, h.trim);
    }
    c.hline(h.x, x1, GROUND_TOP - 1, shade(h.wall, 0.75));
}

void window(Canvas& c, int x, int y, int w, int h, Rgb frame, Rgb glass, bool lit, Rgb light)
{
    c.rect(x - 1, y - 1, x + w, y + h, frame);
    c.rect(x, y, x + w - 1, y + h - 1, lit ? light : glass);
    if (!lit)
        c.pixel(x, y, mix(glass, {255, 255, 255}, 0.45));
    if (w >= 4)
        c.vline(x + w / 2, y, y + h - 1, frame);
    if (h >= 4)
        c.hline(x, x + w - 1, y + h / 2, frame);
    c.hline(x - 1, x + w, y + h + 1, shade(frame, 0.8));
    if (lit) {
        // the light spills down the wall below the sill, widening and fading
        // in two flat tones
        for (int k = 0; k < 4; ++k) {
            double t = k < 2 ? 0.24 : 0.11;
            for (int px = x - 1 - k / 2; px <= x + w + k / 2; ++px)
                c.pixel(px, y + h + 2 + k, mix(c.get(px, y + h + 2 + k), light, t));
        }
    }
}

void door(Canvas& c, int x, int y, int w, int h, Rgb colour, Rgb frame, bool open, Rgb inside)
{
    c.rect(x - 1, y - 1, x + w, y + h - 1, frame);
    if (open) {
        c.rect(x, y, x + w - 1, y + h - 1, inside);
        c.rect(x, y, x + 1, y + h - 1, colour);  // the door leaf swung in
    } else {
        c.rect(x, y, x + w - 1, y + h - 1, colour);
        c.rect(x + 1, y + 1, x + w - 2, y + h / 2 - 1, shade(colour, 0.85));
        c.rect(x + 1, y + h / 2 + 1, x + w - 2, y + h - 2, shade(colour, 0.85));
        c.pixel(x + w - 2, y + h / 2 + 1, {220, 190, 90});
    }
}

void chimney(Canvas& c, int x, int y, int h, Rgb colour)
{
    c.rect(x, y, x + 2, y + h, colour);
    c.hline(x - 1, x + 3, y, shade(colour, 0.7));
}

void tree(Canvas& c, int x, int baseY, int size, Rgb leaves, Rgb leavesDark, Rgb trunk)
{
    c.rect(x, baseY - size, x + 1, baseY, trunk);
    int cy = baseY - size - size / 2;
    c.ellipse(x, cy + 1, size, size * 3 / 4 + 1, leavesDark);
    c.ellipse(x - 1, cy, size - 1, size * 3 / 4, leaves);
    c.glow(x - size / 3, cy - size / 3, size / 2 + 1, mix(leaves, {255, 255, 200}, 0.3), 0.5);
    Dice d(uint32_t(x * 31 + baseY));
    for (int i = 0; i < size * 2; ++i)
        c.pixel(x + d.range(-size, size - 1), cy + d.range(-size / 2, size / 2), leavesDark);
}

void bare_tree(Canvas& c, int x, int baseY, int size, Rgb colour)
{
    c.vline(x, baseY - size, baseY, colour);
    c.vline(x + 1, baseY - size / 2, baseY, colour);
    c.line(x, baseY - size / 2, x - size / 2, baseY - size, colour);
    c.line(x, baseY - size * 2 / 3, x + size / 2, baseY - size - 2, colour);
    c.line(x - size / 4, baseY - size * 3 / 4, x - size / 3, baseY - size - 2, colour);
    c.line(x, baseY - size, x + 2, baseY - size - 3, colour);
}

void fence(Canvas& c, int x0, int x1, int baseY, Rgb colour)
{
    c.hline(x0, x1, baseY - 3, colour);
    c.hline(x0, x1, baseY - 1, shade(colour, 0.85));
    for (int x = x0; x <= x1; x += 3)
        c.vline(x, baseY - 5, baseY, colour);
}

void lamp_post(Canvas& c, int x, int baseY, Rgb post, Rgb light, bool lit, Rgb halo)
{
    if (lit)
        c.glow(x, baseY - 17, 9, halo, 0.55);
    c.vline(x, baseY - 16, baseY, post);
    c.hline(x - 1, x + 1, baseY, post);
    c.rect(x - 1, baseY - 19, x + 1, baseY - 17, lit ? light : shade(post, 1.2));
    c.hline(x - 2, x + 2, baseY - 20, post);
}

void interior(Canvas& c, const RoomColours& r, uint32_t seed)
{
    c.rect(0, 0, c.width() - 1, WALL_BASE, r.wall);
    c.gradient(0, 8, {r.wallShade, r.wall});
    c.rect(0, WALL_BASE - 1, c.width() - 1, WALL_BASE, r.skirting);
    c.rect(0, FLOOR_TOP, c.width() - 1, c.height() - 1, r.floor);
    // boards: lines that widen towards the viewer, with staggered joints
    for (int y = FLOOR_TOP + 1, gap = 2; y < c.height(); y += gap, gap += (gap < 4))
        c.hline(0, c.width() - 1, y, r.floorShade);
    Dice d(seed);
    for (int y = FLOOR_TOP + 2; y < c.height(); y += 3)
        for (int x = d.range(0, 10); x < c.width(); x += d.range(10, 18))
            c.vline(x, y, y + 1, r.floorShade);
    c.gradient(c.height() - 3, c.height() - 1, {r.floor, r.floorShade});
}

void wallpaper_stripes(Canvas& c, Rgb stripe, int spacing, int bottom)
{
    for (int x = spacing / 2; x < c.width(); x += spacing)
        c.vline(x, 9, bottom - 3, stripe);
}

void table(Canvas& c, int x, int w, int topY, Rgb wood, Rgb dark)
{
    c.rect(x, topY, x + w - 1, topY + 1, wood);
    c.hline(x, x + w - 1, topY + 2, dark);
    c.vline(x + 1, topY + 2, WALL_BASE + 3, dark);
    c.vline(x + w - 2, topY + 2, WALL_BASE + 3, dark);
}

void chair(Canvas& c, int x, int baseY, Rgb wood, bool facingRight)
{
    int back = facingRight ? x : x + 3;
    c.vline(back, baseY - 7, baseY, wood);
    c.hline(x, x + 3, baseY - 3, wood);
    c.vline(facingRight ? x + 3 : x, baseY - 3, baseY, shade(wood, 0.8));
}

void picture(Canvas& c, int x, int y, int w, int h, Rgb frame, Rgb inside, Rgb detail)
{
    c.rect(x - 1, y - 1, x + w, y + h, frame);
    c.rect(x, y, x + w - 1, y + h - 1, inside);
    c.hline(x, x + w - 1, y + h * 2 / 3, detail);
    c.pixel(x + w / 3, y + h / 3, detail);
}

void hanging_lamp(Canvas& c, int x, int cordTop, int y, Rgb cord, Rgb shadeColour, Rgb light, int glowRadius)
{
    c.glow(x, y + 2, glowRadius, light, 0.5);
    c.vline(x, cordTop, y, cord);
    c.rect(x - 2, y, x + 2, y + 1, shadeColour);
    c.hline(x - 1, x + 1, y + 2, light);
}

void shelf(Canvas& c, int x, int y, int w, Rgb wood, Rgb a, Rgb b)
{
    c.hline(x, x + w - 1, y, wood);
    for (int i = 1; i < w - 1; i += 2) {
        c.vline(x + i, y - 2 - (i % 3 == 0), y - 1, (i / 2) % 2 ? a : b);
    }
}

void bed(Canvas& c, int x, int w, Rgb frame, Rgb sheet, Rgb cover, Rgb pillow)
{
    int top = WALL_BASE - 5;
    c.rect(x, top - 5, x + 1, WALL_BASE + 3, frame);  // headboard
    c.rect(x + 2, top, x + w - 1, top + 2, sheet);
    c.rect(x + 2, top - 1, x + 5, top, pillow);
    c.rect(x + 6, top, x + w - 1, top + 4, cover);
    c.hline(x + 6, x + w - 1, top, shade(cover, 1.2));
    c.rect(x + w - 1, top + 2, x + w, WALL_BASE + 3, frame);
    c.hline(x + 2, x + w - 1, top + 5, shade(frame, 0.8));
}

void rug(Canvas& c, int x0, int x1, int y0, int y1, Rgb a, Rgb b)
{
    c.rect(x0, y0, x1, y1, a);
    c.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, b);
    c.dither_rect(x0 + 2, y0 + 1, x1 - 2, y1 - 1, b, a, 0.3);
}

void track_up(Canvas& c, int x0, int x1, int topY, int topX0, int topX1, Rgb path, Rgb edge)
{
    c.polygon({x0, GROUND_TOP + 1, x1, GROUND_TOP + 1, topX1, topY, topX0, topY}, path);
    c.line(x0, GROUND_TOP + 1, topX0, topY, edge);
    c.line(x1, GROUND_TOP + 1, topX1, topY, edge);
}

void steps_down(Canvas& c, int x0, int x1, Rgb stone, Rgb dark, Rgb rail)
{
    // an opening in the ground in front of the walk, with treads going down
    c.rect(x0, 54, x1, c.height() - 1, dark);
    for (int i = 0, y = 55; y < c.height(); ++i, y += 2) {
        c.hline(x0 + 1 + i, x1 - 1 - i, y, mix(stone, dark, 0.25 * i));
    }
    c.hline(x0, x1, 53, rail);
    c.vline(x0, 50, 59, rail);
    c.vline(x1, 50, 59, rail);
    c.hline(x0, x0 + 2, 50, rail);
    c.hline(x1 - 2, x1, 50, rail);
}

void water(Canvas& c, int y0, int y1, Rgb deep, Rgb light, Rgb glint, uint32_t seed)
{
    c.gradient(y0, y1, {light, deep});
    Dice d(seed);
    for (int i = 0; i < (y1 - y0) * 5; ++i) {
        int x = d.range(0, c.width() - 3), y = d.range(y0, y1);
        c.hline(x, x + d.range(1, 3), y, d.unit() < 0.4 ? glint : mix(deep, light, 0.7));
    }
}

void stone_wall(Canvas& c, int x0, int y0, int x1, int y1, Rgb stone, Rgb joint, uint32_t seed)
{
    c.rect(x0, y0, x1, y1, stone);
    Dice d(seed);
    for (int y = y0 + 2; y <= y1; y += 3) {
        c.hline(x0, x1, y, joint);
        int off = ((y - y0) / 3) % 2 ? 2 : 0;
        for (int x = x0 + off; x <= x1; x += 5)
            c.vline(x, y - 2, y - 1, joint);
    }
    c.speckle(x0, y0, x1, y1, shade(stone, 1.12), 0.04, seed);
}

void battlements(Canvas& c, int x0, int x1, int y, Rgb stone)
{
    for (int x = x0; x <= x1 - 2; x += 4)
        c.rect(x, y - 2, x + 1, y - 1, stone);
}

void banner(Canvas& c, int x, int y, int w, int h, Rgb cloth, Rgb emblem)
{
    c.hline(x - 1, x + w, y - 1, {90, 70, 40});
    c.rect(x, y, x + w - 1, y + h - 2, cloth);
    c.pixel(x, y + h - 1, cloth);
    c.pixel(x + w - 1, y + h - 1, cloth);
    c.rect(x + w / 2 - 1, y + h / 3, x + w / 2, y + h / 3 + 2, emblem);
}

void torch(Canvas& c, int x, int y, Rgb flame, Rgb halo)
{
    c.glow(x, y, 7, halo, 0.5);
    c.vline(x, y + 1, y + 3, {80, 60, 40});
    c.pixel(x, y, flame);
    c.pixel(x, y - 1, mix(flame, {255, 255, 220}, 0.5));
}

void barbed_wire(Canvas& c, int x0, int x1, int y, Rgb wire)
{
    for (int x = x0; x <= x1; x += 6) {
        c.line(x, y + 3, x + 2, y - 3, shade(wire, 0.8));
        c.line(x + 3, y - 3, x + 5, y + 3, shade(wire, 0.8));
    }
    for (int x = x0; x <= x1; ++x) {
        int dy = int(std::lround(std::sin(x * 0.9) * 1.5));
        c.pixel(x, y + dy, wire);
        if (x % 3 == 0)
            c.pixel(x, y + dy - 1, wire);
    }
}

void crater(Canvas& c, int x, int y, int w, Rgb rim, Rgb hole)
{
    c.ellipse(x, y, w / 2 + 1, 2, rim);
    c.ellipse(x, y + 1, w / 2 - 1, 1, hole);
}

void smoke(Canvas& c, int x, int y, int r, Rgb colour, uint32_t seed)
{
    Dice d(seed);
    for (int i = 0; i < 5; ++i)
        c.glow(x + d.range(-r, r), y - i * r / 2, r, colour, 0.55);
}

void sandbags(Canvas& c, int x0, int x1, int y0, int y1, Rgb bag, Rgb seam)
{
    c.rect(x0, y0, x1, y1, bag);
    for (int y = y0 + 1; y <= y1; y += 2) {
        c.hline(x0, x1, y, seam);
        for (int x = x0 + ((y / 2) % 2) * 2; x <= x1; x += 4)
            c.pixel(x, y - 1, seam);
    }
}

// A mountain in three tones: lit on the left of its peak, shaded on the right,
// capped with snow above snowLine. The outline runs through (x, y) pairs.
void mountain(Canvas& c, std::initializer_list<int> outline, int peakX, int snowLine, Rgb lit, Rgb shaded,
              uint32_t seed)
{
    std::vector<int> pts(outline);
    Dice d(seed);
    const Rgb snow{240, 244, 250}, snowShade{190, 202, 226};
    for (int x = 0; x < c.width(); ++x) {
        int top = c.height();
        for (size_t i = 0; i + 3 < pts.size(); i += 2)
            if (x >= pts[i] && x <= pts[i + 2]) {
                int span = std::max(1, pts[i + 2] - pts[i]);
                top = pts[i + 1] + (pts[i + 3] - pts[i + 1]) * (x - pts[i]) / span;
            }
        int snowEdge = snowLine + d.range(-1, 2) + ((x / 3) % 2);
        for (int y = top; y < c.height(); ++y) {
            // the shadow side begins at the peak and leans out as the flank falls
            bool inShade = x > peakX + (y - top) / 3 - 1 && x >= peakX;
            Rgb rock = inShade ? shaded : lit;
            if (y <= snowEdge)
                rock = inShade ? snowShade : snow;
            else if ((x * 7 + y * 3) % 11 == 0)
                rock = mix(rock, shaded, 0.5);  // rock seams
            c.pixel(x, y, rock);
        }
        c.pixel(x, top, top <= snowEdge ? snow : shade(lit, 1.12));
    }
}

// A castle of towers with pointed roofs: a lit front, a shaded right side,
// windows, and a flag on the keep.
void castle(Canvas& c, int x0, int x1, int top, int base, Rgb stone, Rgb dark, Rgb roof, Rgb flag)
{
    int mid = (x0 + x1) / 2;
    c.rect(x0 + 2, top + 6, x1 - 2, base, stone);  // the curtain wall
    battlements(c, x0 + 2, x1 - 2, top + 6, stone);
    c.rect(mid - 3, top, mid + 3, base, stone);  // the keep
    c.rect(mid + 2, top, mid + 3, base, dark);
    c.triangle(mid - 4, top, mid + 4, top, mid, top - 5, roof);
    c.line(mid + 1, top - 4, mid + 4, top, shade(roof, 0.7));
    c.vline(mid, top - 9, top - 5, dark);
    c.rect(mid + 1, top - 9, mid + 4, top - 7, flag);
    for (int tx : {x0, x1 - 3}) {  // corner towers
        c.rect(tx, top + 3, tx + 3, base, stone);
        c.vline(tx + 3, top + 3, base, dark);
        c.triangle(tx - 1, top + 3, tx + 4, top + 3, tx + 1, top - 1, roof);
        c.pixel(tx + 1, top + 6, shade(dark, 0.5));
        c.pixel(tx + 1, top + 7, shade(dark, 0.5));
    }
    c.pixel(mid - 1, top + 3, shade(dark, 0.5));  // keep windows
    c.pixel(mid - 1, top + 4, shade(dark, 0.5));
    c.pixel(mid + 1, top + 3, shade(dark, 0.5));
    c.rect(mid - 1, base - 3, mid + 1, base, shade(dark, 0.45));  // the gate
    c.hline(x0 + 2, x1 - 2, base, dark);
}
