// The war: barracks, the sergeant, the truck, the trench and no man's land (p3s1 to p3s6).
#include "art/scenes/paintings.h"

#include "art/kit.h"
#include "art/palettes.h"

namespace paintings {

void war_sky(Canvas& c, double dark, uint32_t seed)
{
    sky(c, shade(war::skyTop, dark), shade(war::skyLow, dark));
    cloud(c, 4 + int(seed % 9), 8, 20, shade(war::smoke, dark), shade(war::skyTop, dark));
    cloud(c, 44, 5, 24, shade(war::smoke, dark), shade(war::skyTop, dark));
}

void mud_ground(Canvas& c, double dark, uint32_t seed)
{
    c.rect(0, GROUND_TOP, 79, 59, shade(war::mud, dark));
    c.speckle(0, GROUND_TOP, 79, 59, shade(war::mudDark, dark), 0.25, seed);
    c.speckle(0, GROUND_TOP, 79, 59, shade(war::mudLight, dark), 0.08, seed + 1);
    for (int x = 0; x < 80; x += 7)  // ruts
        c.hline(x, x + 4, 51 + (x % 3), shade(war::mudDark, dark));
}

void scene_barracks(Canvas& c)  // p3s1
{
    war_sky(c, 1.0, 3);
    hills(c, 36, mix(war::khakiDark, war::skyLow, 0.5), 71, 2);
    for (int i = 0; i < 3; ++i) {  // huts with curved tin roofs
        int x = 2 + i * 27;
        c.rect(x, 34, x + 21, GROUND_TOP - 1, war::hut);
        c.ellipse(x + 10, 34, 11, 5, war::hutRoof);
        c.rect(x - 1, 34, x + 22, 35, shade(war::hutRoof, 0.8));
        for (int xx = x + 1; xx < x + 21; xx += 2)
            c.vline(xx, 30, 33, shade(war::hutRoof, 0.9));
        door(c, x + 8, 38, 5, 9, war::khakiDark, shade(war::hut, 0.7));
        window(c, x + 2, 38, 3, 3, shade(war::hut, 0.7), {60, 64, 66});
        window(c, x + 16, 38, 3, 3, shade(war::hut, 0.7), {60, 64, 66});
    }
    c.vline(26, 8, 46, war::wire);  // the flagpole
    c.rect(27, 8, 32, 11, war::khaki);
    mud_ground(c, 1.0, 72);
}

void scene_sergeant(Canvas& c)  // p3s2
{
    interior(c, war::room, 7);
    c.rect(0, 0, 79, 4, war::khakiDark);  // a low ceiling beam
    picture(c, 10, 14, 20, 13, war::khakiDark, {200, 190, 150}, {120, 110, 80});  // the map
    c.line(12, 18, 27, 24, war::fire);
    c.pixel(20, 20, war::fire);
    c.pixel(15, 22, {60, 80, 160});
    window(c, 40, 14, 8, 10, war::khakiDark, war::skyLow);
    // the desk with papers and a lamp
    table(c, 50, 20, 37, war::plank, shade(war::plank, 0.7));
    c.rect(52, 36, 56, 36, {236, 230, 210});
    c.rect(63, 33, 64, 36, war::khakiDark);
    c.rect(61, 32, 66, 33, {60, 80, 60});
    c.glow(64, 35, 10, {255, 230, 160}, 0.4);
    chair(c, 72, WALL_BASE + 2, war::plank, false);
    c.vline(4, 30, 47, war::plank);  // a rifle rack
    c.vline(7, 30, 47, war::plank);
    c.hline(3, 8, 33, war::wire);
}

void scene_truck(Canvas& c)  // p3s3: climb in at the back, near x 48
{
    war_sky(c, 0.95, 17);
    hills(c, 36, mix(war::khakiDark, war::skyLow, 0.5), 73, 2);
    mud_ground(c, 1.0, 74);
    // the lorry: canvas cover, open tailgate on the left, cab on the right
    c.rect(48, 26, 70, 43, war::khaki);
    c.ellipse(59, 27, 11, 3, war::khaki);
    for (int x = 52; x < 70; x += 5)
        c.vline(x, 25, 43, war::khakiDark);
    c.rect(48, 29, 51, 42, {34, 30, 24});  // the dark opening at the back
    c.rect(70, 32, 79, 43, war::khakiDark);
    window(c, 72, 34, 5, 4, war::khakiDark, war::skyLow);
    c.rect(46, 43, 79, 45, {60, 56, 44});
    c.rect(44, 46, 51, 46, war::plank);  // the tailgate step
    for (int x : {55, 73}) {
        c.circle(x, 47, 3, {30, 28, 26});
        c.circle(x, 47, 1, {90, 86, 80});
    }
}

void scene_trench(Canvas& c)  // p3s4
{
    war_sky(c, 0.9, 29);
    // the far wall of the trench: sandbags and planks up to the sky
    sandbags(c, 0, 79, 14, 24, war::bag, war::bagSeam);
    c.rect(0, 25, 79, GROUND_TOP - 1, war::mudDark);
    for (int x = 2; x < 80; x += 3)
        c.vline(x, 26, GROUND_TOP - 1, war::plank);
    for (int x = 0; x < 80; x += 16) {
        c.rect(x + 5, 20, x + 6, GROUND_TOP, shade(war::plank, 0.7));
        c.hline(x, x + 12, 26, shade(war::plank, 0.7));
    }
    c.rect(36, 30, 44, 40, {30, 24, 20});  // a dug-out
    // duckboards along the bottom
    c.rect(0, GROUND_TOP, 79, 59, war::mudDark);
    c.rect(0, 49, 79, 55, war::plank);
    for (int x = 0; x < 80; x += 3)
        c.vline(x, 49, 55, shade(war::plank, 0.75));
    c.hline(0, 79, 56, war::mudDark);
    c.speckle(0, 57, 79, 59, war::mud, 0.3, 30);
    barbed_wire(c, 0, 79, 12, war::wire);
}

void scene_no_mans_land(Canvas& c, bool second)  // p3s5, p3s6
{
    double dark = second ? 0.7 : 0.88;
    war_sky(c, dark, second ? 41 : 43);
    c.glow(second ? 60 : 20, 30, 20, shade(war::fire, dark), 0.35);
    c.ridge(36, {1.5, 20.0, 0.3, 0.8, 7.0, 0.1}, shade(war::mudDark, dark * 0.9), GROUND_TOP);
    bare_tree(c, second ? 64 : 12, 40, 10, shade(war::wire, dark));
    mud_ground(c, dark, second ? 46 : 44);
    crater(c, 20, 50, 14, shade(war::mudLight, dark), shade(war::mudDark, dark * 0.8));
    crater(c, 58, 56, 18, shade(war::mudLight, dark), shade(war::mudDark, dark * 0.8));
    crater(c, 70, 44, 10, shade(war::mudLight, dark), shade(war::mudDark, dark * 0.8));
    barbed_wire(c, 0, 79, 44, shade(war::wire, dark));
    smoke(c, second ? 30 : 50, 30, 6, shade(war::smoke, dark), second ? 4 : 5);
    if (second) {
        smoke(c, 70, 34, 5, shade(war::smoke, dark), 8);
        c.speckle(0, 0, 79, 30, shade(war::fire, 0.8), 0.004, 9);
    }
}

}  // namespace paintings
