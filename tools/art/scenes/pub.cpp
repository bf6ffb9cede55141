// The pub and the night out: the pub's street and bar (scene10, scene11), the
// night street outside, the drunken walk and home in the evening (p2s1 to p2s3).
#include "art/scenes/paintings.h"

#include <algorithm>

#include "art/kit.h"
#include "art/palettes.h"

namespace paintings {

void scene_pub_street(Canvas& c)  // scene10: the pub's lit door up in column 3
{
    town_sky(c, 33);
    sky(c, mix(town::skyTop, {90, 90, 150}, 0.3), mix(town::skyLow, {250, 190, 130}, 0.4));
    house(c, {-2, 20, 28, town::cream, town::tile, town::trim});
    window(c, 4, 32, 4, 5, town::trim, town::glass);
    window(c, 11, 32, 4, 5, town::trim, town::glass);
    // the pub: dark wood front, lit windows, its door open and bright
    house(c, {22, 46, 20, pub::panel, town::slate, town::trim});
    c.rect(24, 22, 65, 26, pub::panelDark);
    c.rect(34, 22, 54, 26, {40, 24, 16});
    c.hline(36, 52, 24, pub::brass);  // the sign board
    window(c, 26, 33, 9, 7, pub::brass, town::glass, true, pub::lamp);
    window(c, 57, 33, 9, 7, pub::brass, town::glass, true, pub::lamp);
    door(c, 45, 34, 7, 13, pub::panelDark, pub::brass, true, pub::lamp);
    c.glow(48, 48, 8, pub::halo, 0.5);
    c.rect(43, 42, 44, 46, pub::barTop);
    c.vline(70, 28, 36, pub::panelDark);  // hanging sign
    c.rect(68, 29, 73, 33, pub::bar);
    c.pixel(70, 31, pub::brass);
    house(c, {69, 13, 30, town::rose, town::tile, town::trim});
    window(c, 72, 34, 4, 5, town::trim, town::glass);
    street(c, town::street, 26);
    c.polygon({42, 47, 55, 47, 58, 52, 39, 52}, mix(town::stone, pub::lamp, 0.35));
}

// scene11: bar, stools, lamps, the clock, the back door. Remembered in the
// maze, the bar stands further right, so the way up has the back wall to itself.
void scene_pub(Canvas& c, bool remembered)
{
    const int bx = remembered ? 22 : 0;  // how far right the bar and its shelves stand
    interior(c, pub::room, 4);
    c.rect(0, 30, 79, WALL_BASE, pub::panel);  // wainscot
    c.hline(0, 79, 30, pub::barTop);
    for (int x = 3; x < 80; x += 6)
        c.vline(x, 32, WALL_BASE - 2, pub::panelDark);
    // the wall clock's face: the game draws the hands
    c.circle(14, 19, 6, pub::clockRim);
    c.circle(14, 19, 5, pub::clockFace);
    c.pixel(14, 19, pub::panelDark);
    // the back door (column 2)
    door(c, 26, 32, 8, 15, pub::panelDark, pub::bar);
    c.rect(28, 34, 31, 37, {60, 40, 30});
    c.pixel(27, 40, pub::brass);
    // shelves of bottles and the bar counter
    for (int y = 20; y <= 26; y += 6) {
        c.hline(38 + bx, std::min(79, 62 + bx), y, pub::panelDark);
        for (int x = 39 + bx; x < std::min(80, 62 + bx); x += 2)
            c.vline(x, y - 3 + (x % 3 == 0), y - 1, (x / 2) % 3 == 0 ? pub::bottle1 : (x / 2) % 3 == 1 ? pub::bottle2 : pub::brass);
    }
    // the counter at a man's hip, the back bar behind it
    c.rect(37 + bx, 34, 57 + bx, 41, pub::panelDark);
    c.hline(37 + bx, 57 + bx, 34, pub::barTop);
    c.rect(37 + bx, 43, 57 + bx, 49, pub::bar);
    c.rect(36 + bx, 42, 58 + bx, 43, pub::barTop);
    c.hline(36 + bx, 58 + bx, 42, mix(pub::barTop, pub::lamp, 0.4));
    for (int x = 40 + bx; x < 57 + bx; x += 5)
        c.vline(x, 45, 48, pub::panelDark);
    c.hline(37 + bx, 57 + bx, 48, pub::brass);  // foot rail
    c.rect(40 + bx, 40, 41 + bx, 41, {230, 220, 190});  // glasses
    c.rect(50 + bx, 40, 51 + bx, 41, pub::brass);
    for (int x : {11, remembered ? 19 : 50})  // stools, four rows high
    {
        c.rect(x, 45, x + 3, 45, pub::barTop);
        c.vline(x, 46, 49, pub::panelDark);
        c.vline(x + 3, 46, 49, pub::panelDark);
        c.hline(x, x + 3, 48, pub::panelDark);
    }
    if (!remembered) {
        c.rect(60, 44, 69, 47, pub::bar);  // the cabinet the clock case stands on
        c.hline(59, 70, 44, pub::barTop);
        c.vline(64, 45, 47, pub::panelDark);
    }
    hanging_lamp(c, 20, 0, 8, pub::panelDark, pub::bar, pub::lamp, 14);
    hanging_lamp(c, 47, 0, 10, pub::panelDark, pub::bar, pub::lamp, 14);
    hanging_lamp(c, 70, 0, 8, pub::panelDark, pub::bar, pub::lamp, 12);
}

void night_sky(Canvas& c, uint32_t seed)
{
    sky(c, night::skyTop, night::skyLow);
    stars(c, 30, night::star, 30, seed);
}

void scene_pub_night(Canvas& c)  // p2s1
{
    night_sky(c, 61);
    house(c, {-2, 18, 28, night::wallA, night::roof, night::trim});
    window(c, 4, 32, 4, 5, night::trim, night::glass);
    house(c, {16, 46, 20, shade(pub::panel, 0.7), night::roof, night::trim});
    window(c, 20, 31, 9, 7, pub::brass, night::glass, true, pub::lamp);
    window(c, 49, 31, 9, 7, pub::brass, night::glass, true, pub::lamp);
    door(c, 36, 33, 7, 14, pub::panelDark, pub::brass, false);
    c.rect(28, 22, 50, 26, pub::panelDark);
    c.hline(30, 48, 24, pub::brass);
    house(c, {63, 19, 26, night::wallB, night::roof, night::trim});
    window(c, 67, 30, 4, 5, night::trim, night::glass);
    street(c, night::street, 62);
    // lamp light shining on the wet street
    for (int x : {24, 53})
        for (int y = 49; y < 59; y += 2)
            c.hline(x - 2 + (y % 4), x + 2 - (y % 4), y, night::wet);
    lamp_post(c, 70, 47, night::roof, pub::lamp, true, night::halo);
    c.vline(70, 49, 58, night::wet);
}

void scene_drunk_street(Canvas& c)  // p2s2
{
    night_sky(c, 63);
    moon(c, 62, 9, 3, night::moonFace, night::moonHalo, night::skyTop);
    house(c, {-2, 22, 24, night::wallA, night::roof, night::trim});
    window(c, 3, 28, 4, 5, night::trim, night::glass);
    window(c, 12, 28, 4, 5, night::trim, night::glass, true, night::lit);
    house(c, {20, 18, 30, night::wallB, night::roof, night::trim});
    window(c, 25, 34, 4, 5, night::trim, night::glass);
    house(c, {38, 24, 26, night::wallA, night::roof, night::trim});
    window(c, 43, 30, 4, 5, night::trim, night::glass);
    window(c, 53, 30, 4, 5, night::trim, night::glass);
    house(c, {62, 20, 29, night::wallB, night::roof, night::trim});
    window(c, 67, 33, 4, 5, night::trim, night::glass);
    street(c, night::street, 64);
    lamp_post(c, 34, 47, night::roof, night::lit, true, night::halo);
    for (int x : {12, 30, 58})  // puddles holding the lamp light
        c.ellipse(x, 56, 4, 1, night::wet);
    c.hline(28, 32, 56, mix(night::wet, night::lit, 0.4));
}

void scene_home_evening(Canvas& c)
{
    interior(c, home::room, 1);
    wallpaper_stripes(c, home::stripe, 6);
    // curtains drawn over a dark window; the lamp warms the room
    window(c, 9, 23, 10, 10, home::wood, {34, 40, 70});
    c.rect(6, 21, 12, 35, home::cloth);
    c.rect(16, 21, 21, 35, home::cloth);
    c.rect(6, 21, 21, 22, home::woodDark);
    picture(c, 31, 18, 8, 6, home::woodDark, {130, 170, 120}, {90, 130, 80});
    table(c, 28, 22, 44, home::wood, home::woodDark);
    c.rect(28, 43, 49, 44, {236, 230, 210});  // tablecloth
    c.rect(33, 42, 35, 42, {240, 240, 230});
    c.rect(42, 42, 44, 42, {240, 240, 230});
    c.rect(38, 39, 39, 42, {240, 220, 160});  // a candle
    c.pixel(38, 38, {255, 220, 120});
    chair(c, 23, WALL_BASE + 2, home::wood, true);
    chair(c, 52, WALL_BASE + 2, home::wood, false);
    rug(c, 18, 56, 50, 54, home::cloth, home::clothLight);
    hanging_lamp(c, 38, 0, 12, home::woodDark, home::cloth, home::lampLight, 22);
    door(c, 70, 32, 7, 15, {116, 72, 40}, home::woodDark);
    c.darken(0.82);
    c.glow(38, 20, 26, home::lampLight, 0.35);
}

}  // namespace paintings
