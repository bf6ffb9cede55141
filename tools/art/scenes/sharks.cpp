// The loan sharks: their back room under a bare bulb and the blind alley (p1s1, p1s2).
#include "art/scenes/paintings.h"

#include "art/kit.h"
#include "art/palettes.h"

namespace paintings {

void scene_sharks_room(Canvas& c)  // p1s1
{
    c.fill(shark::dark);
    stone_wall(c, 0, 0, 79, WALL_BASE, shark::brick, shark::mortar, 41);
    c.rect(0, FLOOR_TOP, 79, 59, shark::floor);
    c.speckle(0, FLOOR_TOP, 79, 59, shark::floorShade, 0.25, 42);
    // crates, a card table, a safe
    for (int i = 0; i < 3; ++i) {
        int x = 4 + i * 7, y = i == 2 ? 33 : 40;
        c.rect(x, y, x + 6, y + 6, shark::crate);
        c.line(x, y, x + 6, y + 6, shark::crateDark);
        c.rect(x, y, x + 6, y, shark::crateDark);
    }
    c.rect(4, 33, 10, 39, shark::crate);
    c.line(4, 33, 10, 39, shark::crateDark);
    table(c, 34, 14, 39, shark::crate, shark::crateDark);
    c.rect(36, 38, 39, 38, shark::green);
    c.rect(42, 37, 44, 38, {220, 210, 180});
    c.rect(64, 34, 73, 47, {60, 62, 66});  // the safe
    c.circle(68, 40, 1, {140, 140, 130});
    c.hline(0, 79, WALL_BASE, shark::dark);
    hanging_lamp(c, 40, 0, 14, shark::dark, shark::dark, shark::bulb, 4);
    c.darken(0.7);
    c.glow(40, 22, 34, shark::halo, 0.6);
    c.circle(40, 16, 1, shark::bulb);
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
    c.speckle(0, GROUND_TOP, 79, 59, shark::floorShade, 0.2, 52);
    // bins and a single lamp over the dead end
    c.rect(48, 38, 53, 46, {70, 76, 70});
    c.hline(47, 54, 38, {90, 96, 90});
    c.rect(26, 41, 30, 46, shark::crate);
    window(c, 30, 18, 4, 4, shark::dark, {30, 30, 40});
    c.darken(0.7);
    c.glow(40, 12, 22, shark::halo, 0.45);
    c.rect(39, 11, 41, 12, shark::bulb);
}

}  // namespace paintings
