// The other woman: her bedroom, the cold night, the grey morning (p4s1 to p4s5), and
// her house with its second family (p5s1 to p5s4).
#include "art/scenes/paintings.h"

#include "art/kit.h"
#include "art/palettes.h"

namespace paintings {

// p4s1. Remembered in the maze, the rug lies clear of the way down in column 2.
void scene_her_bedroom(Canvas& c, bool remembered)
{
    interior(c, affair::room, 9);
    wallpaper_stripes(c, affair::stripe, 5);
    window(c, 58, 14, 10, 14, affair::wood, {30, 34, 70});
    c.pixel(61, 17, night::star);
    c.pixel(65, 22, night::star);
    c.rect(55, 12, 58, 34, affair::cover);  // heavy curtains
    c.rect(67, 12, 70, 34, affair::cover);
    bed(c, 8, 26, affair::wood, affair::sheet, affair::cover, affair::sheet);
    c.rect(37, 38, 41, 47, affair::wood);  // bedside table and lamp
    c.rect(38, 34, 40, 37, affair::lamp);
    c.rect(37, 32, 41, 33, affair::halo);
    if (remembered)
        rug(c, 40, 64, 50, 54, affair::cover, affair::wall);
    else
        rug(c, 12, 50, 50, 54, affair::cover, affair::wall);
    picture(c, 18, 18, 10, 7, affair::wood, {220, 180, 170}, affair::cover);
    c.darken(0.8);
    c.glow(39, 34, 24, affair::halo, 0.45);
}

void scene_cold_street(Canvas& c, bool houseDoor)  // p4s2, p4s5: blue night
{
    sky(c, affair::coldTop, affair::coldLow);
    stars(c, 26, night::star, 24, houseDoor ? 81 : 82);
    moon(c, houseDoor ? 12 : 66, 8, 3, night::moonFace, night::moonHalo, affair::coldTop);
    if (houseDoor) {
        house(c, {-2, 30, 22, affair::coldWall2, affair::coldRoof, night::trim});
        window(c, 4, 27, 5, 6, night::trim, night::glass);
        window(c, 16, 27, 5, 6, night::trim, night::glass, true, affair::lamp);
        door(c, 10, 33, 6, 14, shade(town::doorRed, 0.55), night::trim);
        house(c, {30, 20, 28, affair::coldWall, affair::coldRoof, night::trim});
        window(c, 35, 32, 4, 5, night::trim, night::glass);
        house(c, {52, 30, 24, affair::coldWall2, affair::coldRoof, night::trim});
        window(c, 57, 29, 4, 5, night::trim, night::glass);
        window(c, 69, 29, 4, 5, night::trim, night::glass);
    } else {
        house(c, {-2, 26, 22, family::wall, affair::coldRoof, night::trim});
        window(c, 4, 27, 5, 6, night::trim, night::glass, true, affair::halo);
        house(c, {24, 24, 27, affair::coldWall, affair::coldRoof, night::trim});
        window(c, 30, 32, 4, 5, night::trim, night::glass);
        tree(c, 54, 46, 5, {34, 50, 70}, {24, 36, 56}, {24, 28, 40});
        house(c, {60, 22, 29, affair::coldWall2, affair::coldRoof, night::trim});
        window(c, 66, 33, 4, 5, night::trim, night::glass);
    }
    c.tint(affair::coldLow, 0.35);
    street(c, {{56, 64, 96}, {42, 48, 76}, {30, 34, 58}, {44, 50, 80}}, houseDoor ? 83 : 84);
    lamp_post(c, houseDoor ? 46 : 40, 47, {24, 28, 40}, {200, 214, 240}, true, {110, 130, 190});
}

void scene_grey_town(Canvas& c, bool road)  // p4s3, p4s4: grey morning
{
    sky(c, affair::greyTop, affair::greyLow);
    cloud(c, 10, 8, 26, affair::greyLow, affair::greyTop);
    cloud(c, 46, 14, 22, affair::greyLow, affair::greyTop);
    if (road) {
        // the last house of the town on the left, then the road running out
        // into grey fields, telegraph poles going away along it
        hills(c, 34, shade(affair::greyWall2, 0.8), 91, 3);
        c.ridge(39, {1.0, 31.0, 0.4}, mix(affair::greyWall2, {120, 130, 110}, 0.4), GROUND_TOP);
        const Rgb wall = affair::greyWall, roof = affair::greyRoof, dark = shade(affair::greyRoof, 0.7);
        house(c, {3, 18, 30, wall, roof, affair::greyLow});
        chimney(c, 15, 19, 5, dark);
        window(c, 6, 34, 4, 4, affair::greyLow, {96, 100, 110});
        door(c, 14, 35, 4, 12, shade(town::doorRed, 0.6), affair::greyLow);
        c.glow(8, 36, 4, {230, 210, 170}, 0.35);  // a light left on
        // a low stone wall from the house along the road
        for (int x = 22; x < 44; ++x) {
            c.vline(x, 43, 46, affair::greyWall2);
            c.pixel(x, 43, shade(affair::greyWall2, 1.15));
            if (x % 4 == 0)
                c.pixel(x, 45, dark);
        }
        // telegraph poles, smaller as they go, and the wire sagging between them
        const int poleX[] = {50, 63, 72, 78}, poleH[] = {20, 14, 10, 8};
        for (int i = 0; i < 4; ++i) {
            int base = 46 - i;
            c.vline(poleX[i], base - poleH[i], base, dark);
            c.hline(poleX[i] - 1 - (i < 2), poleX[i] + 1 + (i < 2), base - poleH[i] + 1, dark);
            if (i < 3)
                c.line(poleX[i], base - poleH[i] + 1, poleX[i + 1], base - 1 - poleH[i + 1] + 1, shade(dark, 1.2));
        }
        bare_tree(c, 30, 42, 8, roof);
        bare_tree(c, 58, 44, 6, roof);
        path_ground(c, {128, 132, 120}, {108, 112, 104}, {170, 166, 158}, {140, 136, 130}, 92);
        // puddles on the road holding the grey of the sky
        c.ellipse(36, 53, 4, 1, affair::greyLow);
        c.hline(34, 37, 53, mix(affair::greyLow, {255, 255, 255}, 0.3));
        c.ellipse(64, 55, 3, 1, affair::greyLow);
        c.pixel(26, 58, affair::greyLow);
        c.hline(70, 72, 51, affair::greyLow);
    } else {
        town_row(c, 1);
        c.tint(affair::greyLow, 0.55);
        street(c, {{150, 148, 146}, {126, 124, 124}, {108, 106, 108}, {128, 126, 126}}, 93);
    }
}

// p5s1: the bedroom door up in column 3. Remembered in the maze, the rug lies
// clear of the way down in column 2.
void scene_her_hall(Canvas& c, bool remembered)
{
    interior(c, family::room, 11);
    wallpaper_stripes(c, family::stripe, 7);
    // three steps rise to a landing and the bedroom door at the back, ajar
    // and lit from inside
    c.rect(43, 38, 57, 47, family::woodDark);
    door(c, 46, 24, 8, 15, family::wood, family::woodDark, true, {34, 22, 30});
    // beyond it the dark bedroom, the lamp-lit corner of a bed just showing
    c.rect(49, 33, 53, 38, affair::cover);
    c.hline(49, 53, 33, mix(affair::cover, affair::lamp, 0.45));
    c.rect(50, 31, 53, 32, affair::sheet);
    c.vline(48, 25, 38, mix({34, 22, 30}, affair::lamp, 0.3));  // lamplight on the jamb
    for (int i = 0; i < 3; ++i) {
        int y = 39 + 3 * i;
        c.rect(43 - i, y, 57 + i, y + 2, shade(family::wood, 1.0 - 0.06 * i));
        c.hline(43 - i, 57 + i, y, mix(family::wood, {255, 255, 255}, 0.2));
    }
    picture(c, 12, 18, 9, 7, family::woodDark, {230, 220, 190}, family::accent);
    picture(c, 26, 20, 6, 8, family::woodDark, {180, 200, 220}, family::accent);
    c.vline(70, 22, 47, family::woodDark);  // coat stand
    c.hline(68, 72, 22, family::woodDark);
    c.rect(68, 24, 71, 32, family::accent);
    shelf(c, 6, 36, 12, family::woodDark, family::accent, family::cloth);
    c.rect(6, 37, 17, 47, family::wood);
    if (remembered)
        rug(c, 40, 66, 50, 54, family::accent, family::cloth);
    else
        rug(c, 20, 62, 50, 54, family::accent, family::cloth);
}

void scene_child_room(Canvas& c)  // p5s2
{
    interior(c, {family::childWall, family::childShade, family::woodDark, family::floor, family::floorShade}, 12);
    // stencilled stars in even rows along the wall, and a shelf of toys
    for (int y = 12; y <= 30; y += 9)
        for (int x = 4 + (y / 9) % 2 * 6; x < 80; x += 12)
            if (x < 32 || x > 46) {
                c.pixel(x, y, family::toyYellow);
                c.pixel(x - 1, y + 1, mix(family::childWall, family::toyYellow, 0.5));
                c.pixel(x + 1, y + 1, mix(family::childWall, family::toyYellow, 0.5));
                c.pixel(x, y + 2, family::toyYellow);
            }
    c.hline(4, 24, 33, family::woodDark);
    c.rect(6, 30, 8, 32, family::toyBlue);  // a boat, a doll, books
    c.rect(12, 29, 13, 32, family::toyRed);
    c.pixel(12, 28, {240, 210, 180});
    for (int x = 17; x < 24; x += 2)
        c.vline(x, 30 - (x % 3 == 0), 32, x % 4 == 1 ? family::accent : family::toyYellow);
    c.hline(4, 24, 34, shade(family::woodDark, 0.8));
    window(c, 34, 14, 10, 11, town::trim, family::childShade);
    c.rect(58, 39, 74, 44, family::cloth);  // the little bed
    c.rect(57, 35, 58, 47, family::wood);
    c.rect(74, 37, 75, 47, family::wood);
    c.rect(59, 38, 63, 39, {250, 250, 250});
    c.rect(64, 39, 73, 42, family::toyBlue);
    c.vline(65, 2, 10, family::woodDark);  // a mobile
    c.hline(61, 69, 10, family::woodDark);
    c.pixel(61, 11, family::toyRed);
    c.pixel(65, 12, family::toyYellow);
    c.pixel(69, 11, family::toyBlue);
    c.rect(8, 42, 14, 47, family::toyRed);  // toy box, blocks, a ball
    c.hline(8, 14, 42, family::toyYellow);
    c.rect(44, 48, 45, 49, family::toyYellow);
    c.rect(47, 48, 48, 49, family::toyBlue);
    c.circle(20, 55, 1, family::toyRed);
    rug(c, 14, 50, 50, 55, family::toyYellow, family::cloth);
}

void scene_dinner(Canvas& c)  // p5s3
{
    interior(c, family::room, 14);
    wallpaper_stripes(c, family::stripe, 7);
    window(c, 10, 14, 12, 14, family::woodDark, {230, 170, 120});
    c.rect(8, 12, 24, 13, family::accent);
    table(c, 30, 30, 44, family::wood, family::woodDark);
    c.rect(30, 43, 59, 44, family::cloth);
    for (int x : {34, 44, 54})
        c.ellipse(x, 42, 2, 0, {250, 250, 250});
    c.rect(43, 40, 46, 42, family::accent);  // the dish
    c.pixel(44, 39, {250, 250, 250});
    chair(c, 25, WALL_BASE + 2, family::wood, true);
    chair(c, 61, WALL_BASE + 2, family::wood, false);
    hanging_lamp(c, 45, 0, 14, family::woodDark, family::accent, family::lamp, 22);
    shelf(c, 66, 26, 10, family::woodDark, family::accent, family::cloth);
}

void scene_leave_house(Canvas& c)  // p5s4
{
    sky(c, {100, 110, 170}, {240, 180, 140});
    sun(c, 70, 38, 4, {255, 220, 160}, {250, 170, 120});
    hills(c, 38, {120, 120, 120}, 101, 2);
    house(c, {-2, 28, 22, family::wall, town::tile, town::trim});
    window(c, 4, 27, 5, 6, town::trim, town::glass, true, family::lamp);
    window(c, 16, 27, 5, 6, town::trim, town::glass, true, family::lamp);
    door(c, 10, 34, 5, 13, town::doorRed, town::trim);
    fence(c, 26, 79, 47, town::trim);
    tree(c, 40, 46, 6, town::leaves, town::leavesDark, town::trunk);
    c.tint({240, 170, 120}, 0.2);
    path_ground(c, town::grass, town::grassDark, town::path, town::pathEdge, 102);
}

}  // namespace paintings
