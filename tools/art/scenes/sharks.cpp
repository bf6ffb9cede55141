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
    sky(c, night::skyTop, night::skyLow, 20);
    // the walls close in from both sides to a dead end
    c.rect(18, 8, 62, GROUND_TOP - 1, shade(shark::brick, 0.75));
    stone_wall(c, 22, 10, 58, GROUND_TOP - 1, shade(shark::brick, 0.8), shark::mortar, 51);
    c.polygon({0, 0, 22, 10, 22, GROUND_TOP, 0, 59}, shark::brick);
    c.polygon({79, 0, 58, 10, 58, GROUND_TOP, 79, 59}, shade(shark::brick, 0.85));
    for (int y = 4; y < 56; y += 4) {
        c.line(0, y, 22, 10 + y * 37 / 59, shark::mortar);
        c.line(79, y, 58, 10 + y * 37 / 59, shark::mortar);
    }
    c.rect(0, GROUND_TOP, 79, 59, shark::floor);
    c.polygon({0, 59, 22, GROUND_TOP, 58, GROUND_TOP, 79, 59}, shade(shark::floor, 1.15));
    // a worn paving: a gutter down the middle, a few loose setts, a puddle
    c.line(40, GROUND_TOP, 40, 59, shark::floorShade);
    Dice d(52);
    for (int i = 0; i < 14; ++i) {
        int x = d.range(4, 74), y = d.range(GROUND_TOP + 1, 58);
        c.hline(x, x + 1, y, shark::floorShade);
    }
    c.ellipse(52, 55, 5, 1, shade(night::skyLow, 0.8));
    c.hline(50, 53, 55, night::wet);
    // bins and a single lamp over the dead end
    c.rect(48, 38, 53, 46, {70, 76, 70});
    c.hline(47, 54, 38, {90, 96, 90});
    c.rect(26, 41, 30, 46, shark::crate);
    window(c, 30, 18, 4, 4, shark::dark, {30, 30, 40});
    // one lamp over the dead end, its light falling off in a few flat bands
    bulb_light(c, 40, 14, 40, 0.5);
    c.reduce_colours(32);
    c.hline(0, 79, GROUND_TOP, mix(shark::floor, shark::halo, 0.35));  // the kerb where the walls meet the ground
    c.rect(39, 11, 41, 12, shark::bulb);
    c.hline(38, 42, 10, shark::dark);
}

}  // namespace paintings
