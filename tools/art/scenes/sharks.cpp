// The loan sharks: their back room under a bare bulb and the blind alley (p1s1, p1s2).
#include "art/scenes/paintings.h"

#include <algorithm>
#include <cmath>

#include "art/kit.h"
#include "art/palettes.h"

namespace paintings {

// Lights a room from one bare bulb: every pixel dimmed by its distance from it,
// smoothly, so the crates and the safe keep their edges.
void bulb_light(Canvas& c, int bx, int by, double reach, double ambient)
{
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            double d = std::hypot(x - bx, (y - by) * 1.2) / reach;
            double f = ambient + (1.15 - ambient) * std::max(0.0, 1.0 - d * d);
            c.pixel(x, y, mix(shade(c.get(x, y), f), shark::halo, 0.12 * std::max(0.0, 1.0 - d)));
        }
}

void crate(Canvas& c, int x, int y, int s)
{
    c.rect(x, y, x + s, y + s, shark::crate);
    c.rect(x, y, x + s, y, shade(shark::crate, 1.25));  // the lit top edge
    c.vline(x + s, y, y + s, shark::crateDark);
    c.hline(x, x + s, y + s, shark::crateDark);
    c.line(x + 1, y + s - 1, x + s - 1, y + 1, shark::crateDark);  // the brace
}

void scene_sharks_room(Canvas& c)  // p1s1
{
    c.fill(shark::dark);
    stone_wall(c, 0, 0, 79, WALL_BASE, shark::brick, shark::mortar, 41);
    c.rect(0, FLOOR_TOP, 79, 59, shark::floor);
    c.speckle(0, FLOOR_TOP, 79, 59, shark::floorShade, 0.25, 42);
    c.hline(0, 79, WALL_BASE, shark::dark);
    c.hline(0, 79, FLOOR_TOP, shade(shark::floor, 1.5));  // where the light meets the floor
    // crates stacked in the corner, a card table, a safe
    crate(c, 3, 40, 7);
    crate(c, 11, 41, 6);
    crate(c, 6, 32, 7);
    crate(c, 20, 43, 4);
    table(c, 34, 14, 44, shark::crate, shark::crateDark);
    c.rect(36, 43, 39, 43, shark::green);
    c.rect(42, 42, 44, 43, {220, 210, 180});
    const Rgb steel{70, 72, 78}, steelDark{44, 46, 52};
    c.rect(63, 33, 74, 47, steel);  // the safe
    c.rect(64, 34, 73, 46, steelDark);
    c.rect(65, 35, 72, 45, steel);
    c.hline(63, 74, 33, shade(steel, 1.4));
    c.circle(68, 39, 2, steelDark);
    c.circle(68, 39, 1, {150, 146, 130});
    c.rect(71, 41, 71, 43, {150, 146, 130});  // the handle
    c.rect(64, 47, 73, 47, shark::dark);
    hanging_lamp(c, 40, 0, 14, shark::dark, shark::dark, shark::bulb, 4);
    bulb_light(c, 40, 17, 46, 0.42);
    c.circle(40, 16, 1, shark::bulb);
    c.glow(40, 16, 5, shark::bulb, 0.5);
    c.reduce_colours(40);
}

void scene_alley(Canvas& c)  // p1s2: a blind alley
{
    const Rgb brick = shade(shark::brick, 0.8), course = shade(shark::mortar, 0.85), side = shade(shark::brick, 0.62),
              sideFar = shade(shark::brick, 0.56), sideCourse = shade(shark::mortar, 0.62);
    sky(c, night::skyTop, night::skyLow, 12);
    // the end wall: flat brick, courses every three rows, joints staggered
    c.rect(22, 10, 58, GROUND_TOP - 1, brick);
    for (int y = 12; y < GROUND_TOP; y += 3) {
        c.hline(22, 58, y, course);
        for (int x = 23 + ((y / 3) % 2) * 3; x < 58; x += 6)
            c.vline(x, y - 2, y - 1, course);
    }
    // the side walls close in: their courses run to the end wall's corners and
    // their bricks shorten as they go
    c.polygon({0, 0, 22, 10, 22, GROUND_TOP, 0, 59}, side);
    c.polygon({79, 0, 58, 10, 58, GROUND_TOP, 79, 59}, sideFar);
    for (int k = 0; k <= 15; ++k) {
        int yl = k * 4;  // where the course leaves the frame's edge
        int yf = 10 + yl * 37 / 59;
        c.line(0, yl, 22, yf, sideCourse);
        c.line(79, yl, 58, yf, sideCourse);
        if (k == 15)
            break;
        // joints between this course and the next, closer together far off
        for (int j = 0; j < 6; ++j) {
            double t = 1.0 - 1.0 / (1.0 + (j + 0.5 * (k % 2)) * 0.45);
            int x = int(std::lround(t * 22));
            int y0 = yl + (yf - yl) * x / 22, y1 = (yl + 4) + ((10 + (yl + 4) * 37 / 59) - (yl + 4)) * x / 22;
            c.vline(x, y0 + 1, y1 - 1, sideCourse);
            c.vline(79 - x, y0 + 1, y1 - 1, sideCourse);
        }
    }
    c.vline(22, 10, GROUND_TOP - 1, shade(side, 0.8));  // the corners
    c.vline(58, 10, GROUND_TOP - 1, shade(sideFar, 0.8));
    // the paving, lighter down the middle where feet have worn it
    c.rect(0, GROUND_TOP, 79, 59, shark::floor);
    c.polygon({8, 59, 24, GROUND_TOP, 56, GROUND_TOP, 72, 59}, shade(shark::floor, 1.07));
    c.line(40, GROUND_TOP, 40, 59, shark::floorShade);  // the gutter
    for (int y = GROUND_TOP + 3; y < 60; y += 4)  // courses of setts widening towards us
        for (int x = (y / 4) % 2 * 3; x < 80; x += 6 + (y - GROUND_TOP) / 3)
            c.hline(x, x + 1, y, shark::floorShade);
    // bins and a crate against the end wall, a shuttered window
    c.rect(48, 38, 53, 46, {56, 60, 56});
    c.hline(47, 54, 38, {72, 78, 72});
    c.vline(53, 39, 46, {42, 46, 42});
    c.rect(26, 41, 30, 46, shark::crate);
    c.hline(26, 30, 41, shade(shark::crate, 1.2));
    c.line(26, 46, 30, 42, shark::crateDark);
    window(c, 30, 18, 4, 4, shark::dark, {30, 30, 40});
    // one lamp over the dead end: a clean cone of light down the end wall to a
    // pool on the paving
    const Rgb warm = shark::halo;
    for (int y = 13; y < GROUND_TOP; ++y) {
        int half = 2 + (y - 13) * 11 / 34;
        for (int x = 40 - half; x <= 40 + half; ++x)
            c.pixel(x, y, mix(c.get(x, y), warm, y < 24 ? 0.24 : 0.15));
    }
    for (int y = GROUND_TOP; y < 56; ++y) {
        double f = (y - GROUND_TOP) / 9.0;
        int half = int(std::lround(14 * std::sqrt(std::max(0.0, 1 - f * f))));
        for (int x = 40 - half; x <= 40 + half; ++x)
            c.pixel(x, y, mix(c.get(x, y), warm, 0.16));
    }
    c.ellipse(52, 55, 5, 1, shade(night::skyLow, 0.8));  // a puddle holding the sky
    c.hline(50, 53, 55, night::wet);
    c.hline(0, 79, GROUND_TOP, mix(shark::floor, shark::halo, 0.35));  // the kerb where the walls meet the ground
    c.rect(39, 11, 41, 12, shark::bulb);
    c.hline(38, 42, 10, shark::dark);
}

}  // namespace paintings
