// Every scene of the game as a short painting: the layers from back to front.
// To change a room, change its entry in the table at the bottom (or the shared
// painting it calls); the colours of each path are in palettes.h.
#include "art/scenes.h"

#include "art/kit.h"
#include "art/palettes.h"

namespace {

// ---- the town in daylight ----

void town_sky(Canvas& c, uint32_t seed)
{
    sky(c, town::skyTop, town::skyLow);
    cloud(c, 8 + int(seed % 20), 7, 14, town::cloudLight, town::cloudDark);
    cloud(c, 50 + int(seed % 13), 12, 10, town::cloudLight, town::cloudDark);
}

void town_row(Canvas& c, int seed)
{
    // a row of small houses along the back of the street
    house(c, {-2, 20, 27, town::cream, town::tile, town::trim});
    window(c, 4, 31, 4, 5, town::trim, town::glass);
    door(c, 11, 37, 4, 10, seed % 2 ? town::doorBlue : town::doorGreen, town::trim);
    chimney(c, 12, 16, 5, town::slate);
    house(c, {19, 18, 30, town::ochre, town::slate, town::trim});
    window(c, 22, 34, 4, 5, town::trim, town::glass);
    window(c, 30, 34, 4, 5, town::trim, town::glass);
    house(c, {38, 22, 26, town::rose, town::tile, town::trim});
    window(c, 42, 30, 4, 5, town::trim, town::glass);
    window(c, 52, 30, 4, 5, town::trim, town::glass);
    door(c, 48, 37, 4, 10, town::doorRed, town::trim);
    house(c, {61, 21, 29, town::chalk, town::tile, town::trim});
    window(c, 65, 33, 4, 5, town::trim, town::glass);
    chimney(c, 74, 19, 5, town::slate);
}

void scene_home_morning(Canvas& c)
{
    interior(c, home::room, 1);
    wallpaper_stripes(c, home::stripe, 6);
    // the morning window on the left, its light falling across the floor
    window(c, 8, 18, 12, 14, home::wood, {170, 210, 236});
    c.rect(8, 18, 19, 20, {200, 226, 240});
    c.dither_rect(12, 49, 30, 51, home::floor, mix(home::floor, home::morning, 0.35), 0.5);  // sun on the floor
    c.rect(6, 16, 21, 17, home::cloth);  // curtain rail and curtains
    c.rect(5, 16, 7, 34, home::cloth);
    c.rect(20, 16, 22, 34, home::cloth);
    picture(c, 31, 18, 8, 6, home::woodDark, {130, 170, 120}, {90, 130, 80});
    shelf(c, 42, 24, 10, home::woodDark, home::cloth, {90, 110, 150});
    table(c, 28, 20, 38, home::wood, home::woodDark);
    c.rect(31, 37, 33, 37, {240, 240, 230});  // cups on the table
    c.rect(43, 37, 44, 37, {240, 240, 230});
    c.rect(36, 36, 38, 37, {220, 120, 60});
    chair(c, 23, WALL_BASE + 2, home::wood, true);
    chair(c, 50, WALL_BASE + 2, home::wood, false);
    rug(c, 18, 56, 50, 54, home::cloth, home::clothLight);
    // the front door on the right, with daylight round it
    door(c, 69, 27, 9, 20, {116, 72, 40}, home::woodDark);
    c.rect(71, 29, 75, 32, {200, 226, 240});  // its small window
    c.vline(73, 29, 32, {116, 72, 40});
}

void scene_home_evening(Canvas& c)
{
    interior(c, home::room, 1);
    wallpaper_stripes(c, home::stripe, 6);
    // curtains drawn over a dark window; the lamp warms the room
    window(c, 8, 18, 12, 14, home::wood, {34, 40, 70});
    c.rect(5, 16, 12, 34, home::cloth);
    c.rect(16, 16, 22, 34, home::cloth);
    c.rect(5, 16, 22, 17, home::woodDark);
    picture(c, 31, 18, 8, 6, home::woodDark, {130, 170, 120}, {90, 130, 80});
    table(c, 28, 22, 38, home::wood, home::woodDark);
    c.rect(28, 36, 49, 37, {236, 230, 210});  // tablecloth
    c.rect(33, 35, 35, 35, {240, 240, 230});
    c.rect(42, 35, 44, 35, {240, 240, 230});
    c.rect(38, 33, 39, 35, {240, 220, 160});  // a candle
    c.pixel(38, 32, {255, 220, 120});
    chair(c, 23, WALL_BASE + 2, home::wood, true);
    chair(c, 52, WALL_BASE + 2, home::wood, false);
    rug(c, 18, 56, 50, 54, home::cloth, home::clothLight);
    hanging_lamp(c, 38, 0, 12, home::woodDark, home::cloth, home::lampLight, 22);
    door(c, 69, 27, 9, 20, {116, 72, 40}, home::woodDark);
    c.darken(0.82);
    c.glow(38, 20, 26, home::lampLight, 0.35);
}

void scene_street(Canvas& c)  // scene2
{
    town_sky(c, 3);
    town_row(c, 1);
    tree(c, 34, 46, 5, town::leaves, town::leavesDark, town::trunk);
    street(c, town::street, 2);
}

void scene_corner(Canvas& c)  // scene3
{
    town_sky(c, 11);
    house(c, {-2, 22, 25, town::ochre, town::tile, town::trim});
    window(c, 3, 29, 4, 5, town::trim, town::glass);
    window(c, 12, 29, 4, 5, town::trim, town::glass);
    door(c, 7, 37, 4, 10, town::doorGreen, town::trim);
    house(c, {21, 19, 28, town::cream, town::slate, town::trim});
    window(c, 25, 32, 4, 5, town::trim, town::glass);
    window(c, 32, 32, 4, 5, town::trim, town::glass);
    // the side street runs off into the distance between the houses
    hills(c, 36, town::farHill, 5, 2);
    track_up(c, 41, 56, 37, 46, 50, town::stone, town::joint);
    house(c, {57, 25, 24, town::rose, town::tile, town::trim});
    window(c, 61, 28, 4, 5, town::trim, town::glass);
    window(c, 71, 28, 4, 5, town::trim, town::glass);
    c.rect(60, 39, 67, 40, {200, 80, 70});  // flower box
    c.speckle(60, 38, 67, 38, {240, 200, 80}, 0.5, 9);
    lamp_post(c, 40, 47, town::slate, town::trim, false);
    street(c, town::street, 4);
}

void scene_fork(Canvas& c)  // scene4: the way north into town (column 3)
{
    town_sky(c, 21);
    hills(c, 34, town::farHill, 7, 2);
    // the town centre far up the northern road
    house(c, {44, 6, 30, town::cream, town::tile, town::trim});
    house(c, {51, 7, 29, town::ochre, town::slate, town::trim});
    c.rect(48, 20, 49, 29, town::chalk);  // a church tower
    c.triangle(47, 20, 50, 20, 48, 16, town::slate);
    c.ridge(38, {1.0, 25.0, 0.3}, town::nearHill, GROUND_TOP);
    track_up(c, 43, 56, 36, 48, 50, town::path, town::pathEdge);
    fence(c, 30, 42, 46, town::wood);
    fence(c, 57, 66, 46, town::wood);
    house(c, {-2, 18, 28, town::cream, town::tile, town::trim});
    window(c, 4, 32, 4, 5, town::trim, town::glass);
    door(c, 11, 37, 4, 10, town::doorBlue, town::trim);
    tree(c, 28, 46, 5, town::leaves, town::leavesDark, town::trunk);
    tree(c, 70, 46, 6, town::leaves, town::leavesDark, town::trunk);
    // a signpost at the fork
    c.vline(62, 36, 47, town::wood);
    c.rect(59, 36, 66, 37, town::trim);
    c.pixel(58, 36, town::trim);
    path_ground(c, town::grass, town::grassDark, town::path, town::pathEdge, 5);
    c.polygon({43, 47, 56, 47, 58, 50, 41, 50}, town::path);
}

void scene_fields(Canvas& c, bool riverNear)  // scene5, scene6
{
    town_sky(c, riverNear ? 29 : 17);
    sun(c, 66, 9, 3, town::sunCore, town::sunHalo);
    hills(c, 33, town::farHill, riverNear ? 13 : 11, 3);
    c.ridge(38, {2.0, 40.0, riverNear ? 0.7 : 0.1}, town::nearHill, GROUND_TOP);
    if (riverNear) {
        c.polygon({40, 42, 79, 40, 79, 47, 30, 47}, town::water);
        c.line(40, 42, 79, 40, town::waterLight);
        c.speckle(34, 43, 79, 46, town::glint, 0.08, 3);
        for (int x = 28; x < 40; x += 2)
            c.vline(x, 42 + (x % 3), 46, town::grassDark);  // reeds
    } else {
        c.hline(56, 79, 41, town::waterLight);  // the river glinting far off
        c.speckle(58, 41, 79, 41, town::glint, 0.3, 5);
    }
    // field strips
    for (int y = 40; y < GROUND_TOP; y += 2)
        c.hline(0, riverNear ? 26 : 50, y, mix(town::nearHill, {200, 190, 110}, 0.3));
    tree(c, 14, 44, 4, town::leaves, town::leavesDark, town::trunk);
    if (!riverNear)
        tree(c, 36, 45, 5, town::leaves, town::leavesDark, town::trunk);
    fence(c, 0, 79, 47, town::wood);
    path_ground(c, town::grass, town::grassDark, town::path, town::pathEdge, riverNear ? 8 : 6);
}

void scene_bridge(Canvas& c)  // scene7
{
    town_sky(c, 5);
    hills(c, 30, town::farHill, 31, 3);
    c.ridge(36, {1.5, 30.0, 0.2}, town::nearHill, 44);
    water(c, 40, 59, town::water, town::waterLight, town::glint, 7);
    // the deck of the bridge, carried on posts in the water
    c.rect(0, 47, 79, 53, town::wood);
    for (int x = 2; x < 80; x += 4)
        c.vline(x, 48, 53, shade(town::wood, 0.8));
    c.hline(0, 79, 47, shade(town::wood, 1.25));
    c.hline(0, 79, 54, shade(town::wood, 0.55));
    for (int x = 6; x < 80; x += 18) {
        c.rect(x, 55, x + 1, 59, shade(town::wood, 0.6));
        c.line(x - 6, 54, x, 58, shade(town::wood, 0.6));
    }
    // rails behind the walk
    c.hline(0, 79, 40, town::wood);
    c.hline(0, 79, 43, shade(town::wood, 0.85));
    for (int x = 1; x < 80; x += 8)
        c.vline(x, 39, 47, shade(town::wood, 0.75));
}

void scene_far_bank(Canvas& c)  // scene14
{
    town_sky(c, 41);
    hills(c, 32, town::farHill, 17, 3);
    c.ridge(38, {2.0, 45.0, 0.6}, town::nearHill, GROUND_TOP);
    water(c, 44, 48, town::water, town::waterLight, town::glint, 9);
    c.polygon({0, 44, 9, 44, 14, 47, 0, 47}, town::grassDark);
    c.rect(0, 41, 12, 48, town::wood);  // the end of the bridge
    c.hline(0, 12, 40, shade(town::wood, 0.8));
    tree(c, 30, 44, 6, town::leaves, town::leavesDark, town::trunk);
    tree(c, 62, 45, 4, town::leaves, town::leavesDark, town::trunk);
    path_ground(c, town::grass, town::grassDark, town::path, town::pathEdge, 12);
    c.speckle(0, 56, 79, 59, {230, 220, 120}, 0.05, 13);  // flowers
}

void scene_castle_path(Canvas& c)  // scene15: a mountain track up in column 2
{
    town_sky(c, 7);
    // mountains with the castle far above
    c.polygon({0, 40, 14, 18, 26, 10, 40, 22, 52, 14, 66, 26, 79, 20, 79, 40}, {132, 146, 160});
    c.polygon({22, 13, 26, 10, 30, 13, 27, 14}, {236, 240, 244});
    c.rect(24, 5, 31, 10, hero::stone);  // the castle
    c.rect(23, 3, 24, 10, hero::stone);
    c.rect(31, 3, 32, 10, hero::stone);
    c.pixel(24, 2, hero::red);
    c.ridge(36, {2.0, 33.0, 0.5}, town::nearHill, GROUND_TOP);
    // the track winding up from the road
    // a track zig-zagging up the slope
    track_up(c, 25, 33, 40, 29, 31, town::path, town::pathEdge);
    for (int i = 0; i < 4; ++i) {
        int y = 38 - i * 6;
        c.line(30 - (i % 2 ? 6 : -6) / 2, y + 1, 30 + (i % 2 ? 6 : -6) / 2, y - 4, town::path);
        c.line(30 - (i % 2 ? 6 : -6) / 2, y + 2, 30 + (i % 2 ? 6 : -6) / 2, y - 3, town::pathEdge);
    }
    tree(c, 10, 44, 5, town::leaves, town::leavesDark, town::trunk);
    tree(c, 58, 45, 4, town::leaves, town::leavesDark, town::trunk);
    tree(c, 70, 44, 5, town::leaves, town::leavesDark, town::trunk);
    c.rect(18, 44, 19, 47, town::stone);  // marker stones at the foot of the track
    c.rect(39, 44, 40, 47, town::stone);
    path_ground(c, town::grass, town::grassDark, town::path, town::pathEdge, 14);
    c.polygon({25, 47, 33, 47, 35, 50, 23, 50}, town::path);
}

void scene_busy_town(Canvas& c)  // scene8
{
    town_sky(c, 23);
    house(c, {-2, 16, 20, town::rose, town::tile, town::trim});
    window(c, 3, 24, 3, 5, town::trim, town::glass);
    window(c, 9, 24, 3, 5, town::trim, town::glass);
    house(c, {14, 22, 16, town::cream, town::slate, town::trim, false});
    window(c, 18, 20, 3, 5, town::trim, town::glass);
    window(c, 29, 20, 3, 5, town::trim, town::glass);
    // a shop with a striped awning and goods outside
    c.rect(16, 33, 35, 46, town::chalk);
    window(c, 18, 37, 8, 6, town::trim, town::glass);
    door(c, 29, 37, 4, 10, town::doorGreen, town::trim);
    for (int x = 15; x <= 36; ++x)
        c.vline(x, 31, 33, (x / 2) % 2 ? town::doorRed : town::trim);
    house(c, {37, 20, 22, town::ochre, town::tile, town::trim});
    window(c, 41, 26, 4, 5, town::trim, town::glass);
    window(c, 50, 26, 4, 5, town::trim, town::glass);
    door(c, 45, 37, 5, 10, town::doorBlue, town::trim);
    house(c, {58, 24, 18, town::cream, town::tile, town::trim});
    window(c, 62, 22, 4, 5, town::trim, town::glass);
    window(c, 72, 22, 4, 5, town::trim, town::glass);
    window(c, 62, 33, 4, 5, town::trim, town::glass);
    door(c, 71, 37, 4, 10, town::doorRed, town::trim);
    // bunting across the street
    for (int x = 0; x < 80; ++x) {
        int y = 12 + (x % 40 - 20) * (x % 40 - 20) / 60;
        c.pixel(x, y, town::slate);
        if (x % 4 == 0) {
            Rgb flag = (x / 4) % 3 == 0 ? town::doorRed : (x / 4) % 3 == 1 ? Rgb{240, 200, 80} : town::doorBlue;
            c.pixel(x, y + 1, flag);
            c.pixel(x + 1, y + 1, flag);
            c.pixel(x, y + 2, flag);
        }
    }
    // a market stall
    c.rect(56, 41, 66, 43, town::wood);
    c.speckle(56, 40, 66, 40, {220, 120, 60}, 0.7, 3);
    c.speckle(57, 40, 65, 40, {120, 170, 70}, 0.3, 4);
    street(c, town::street, 16);
}

void scene_steps_street(Canvas& c)  // scene9: steps down in column 3
{
    town_sky(c, 27);
    town_row(c, 0);
    tree(c, 58, 46, 4, town::leaves, town::leavesDark, town::trunk);
    street(c, town::street, 18);
    steps_down(c, 42, 57, town::stone, {60, 56, 56}, town::slate);
}

void scene_quiet_street(Canvas& c, bool herDoor)  // scene12, scene13
{
    sky(c, mix(town::skyTop, {150, 130, 170}, 0.25), mix(town::skyLow, {240, 200, 170}, 0.35));
    cloud(c, 20, 9, 16, town::cloudLight, town::cloudDark);
    hills(c, 34, town::farHill, herDoor ? 33 : 35, 2);
    house(c, {-2, 18, 30, town::chalk, town::slate, town::trim});
    window(c, 3, 34, 4, 5, town::trim, town::glass);
    tree(c, 22, 46, 6, town::leaves, town::leavesDark, town::trunk);
    house(c, {30, 18, 31, town::cream, town::tile, town::trim});
    window(c, 34, 35, 4, 5, town::trim, town::glass);
    window(c, 41, 35, 4, 5, town::trim, town::glass);
    fence(c, 0, 79, 47, town::trim);
    if (herDoor) {
        // her house: rose walls, a red door with a lamp, flowers
        house(c, {56, 26, 22, family::wall, town::tile, town::trim});
        window(c, 60, 27, 5, 6, town::trim, town::glass, true, {255, 226, 160});
        door(c, 70, 33, 6, 14, town::doorRed, town::trim);
        c.glow(73, 31, 5, {255, 230, 170}, 0.5);
        c.speckle(58, 44, 68, 46, {230, 110, 120}, 0.4, 21);
        c.speckle(58, 45, 68, 46, town::leavesDark, 0.3, 22);
    } else {
        tree(c, 62, 46, 5, town::leaves, town::leavesDark, town::trunk);
        house(c, {68, 14, 32, town::ochre, town::tile, town::trim});
    }
    street(c, town::street, herDoor ? 24 : 23);
}

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

void scene_pub(Canvas& c)  // scene11: bar, stools, lamps, the clock, the back door
{
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
    door(c, 25, 30, 9, 17, pub::panelDark, pub::bar);
    c.rect(27, 32, 31, 36, {60, 40, 30});
    c.pixel(26, 39, pub::brass);
    // shelves of bottles and the bar counter
    for (int y = 20; y <= 26; y += 6) {
        c.hline(38, 62, y, pub::panelDark);
        for (int x = 39; x < 62; x += 2)
            c.vline(x, y - 3 + (x % 3 == 0), y - 1, (x / 2) % 3 == 0 ? pub::bottle1 : (x / 2) % 3 == 1 ? pub::bottle2 : pub::brass);
    }
    c.rect(37, 35, 57, 47, pub::bar);
    c.rect(36, 34, 58, 35, pub::barTop);
    for (int x = 40; x < 57; x += 5)
        c.vline(x, 37, 46, pub::panelDark);
    c.hline(37, 57, 45, pub::brass);  // foot rail
    c.rect(40, 31, 41, 33, {230, 220, 190});  // glasses
    c.rect(50, 32, 51, 33, pub::brass);
    for (int x : {11, 50})  // stools
    {
        c.rect(x, 40, x + 3, 40, pub::barTop);
        c.vline(x, 41, 47, pub::panelDark);
        c.vline(x + 3, 41, 47, pub::panelDark);
        c.hline(x, x + 3, 44, pub::panelDark);
    }
    c.rect(60, 44, 69, 47, pub::bar);  // the cabinet the clock case stands on
    c.hline(59, 70, 44, pub::barTop);
    c.vline(64, 45, 47, pub::panelDark);
    hanging_lamp(c, 20, 0, 8, pub::panelDark, pub::bar, pub::lamp, 14);
    hanging_lamp(c, 47, 0, 10, pub::panelDark, pub::bar, pub::lamp, 14);
    hanging_lamp(c, 70, 0, 8, pub::panelDark, pub::bar, pub::lamp, 12);
}

// ---- the loan sharks ----

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

// ---- the pub at night and the drunken way home ----

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

// ---- the war ----

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

// ---- the affair ----

void scene_her_bedroom(Canvas& c)  // p4s1
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
        hills(c, 34, shade(affair::greyWall2, 0.8), 91, 3);
        house(c, {-2, 16, 30, affair::greyWall, affair::greyRoof, affair::greyLow});
        bare_tree(c, 32, 46, 9, affair::greyRoof);
        bare_tree(c, 60, 46, 7, affair::greyRoof);
        fence(c, 20, 79, 47, affair::greyRoof);
        path_ground(c, {128, 132, 120}, {108, 112, 104}, {170, 166, 158}, {140, 136, 130}, 92);
    } else {
        town_row(c, 1);
        c.tint(affair::greyLow, 0.55);
        street(c, {{150, 148, 146}, {126, 124, 124}, {108, 106, 108}, {128, 126, 126}}, 93);
    }
}

// ---- a second family ----

void scene_her_hall(Canvas& c)  // p5s1: the bedroom door up in column 3
{
    interior(c, family::room, 11);
    wallpaper_stripes(c, family::stripe, 7);
    // the stairs rise towards the bedroom door at the back
    door(c, 45, 26, 10, 21, family::wood, family::woodDark, true, {110, 60, 80});
    c.glow(50, 36, 6, affair::halo, 0.4);
    for (int i = 0; i < 5; ++i)
        c.hline(41 - i, 58 + i, 47 - i * 0 + 0, family::woodDark);
    picture(c, 12, 18, 9, 7, family::woodDark, {230, 220, 190}, family::accent);
    picture(c, 26, 20, 6, 8, family::woodDark, {180, 200, 220}, family::accent);
    c.vline(70, 22, 47, family::woodDark);  // coat stand
    c.hline(68, 72, 22, family::woodDark);
    c.rect(68, 24, 71, 32, family::accent);
    shelf(c, 6, 36, 12, family::woodDark, family::accent, family::cloth);
    c.rect(6, 37, 17, 47, family::wood);
    rug(c, 20, 62, 50, 54, family::accent, family::cloth);
}

void scene_child_room(Canvas& c)  // p5s2
{
    interior(c, {family::childWall, family::childShade, family::woodDark, family::floor, family::floorShade}, 12);
    stars(c, 30, {250, 240, 180}, 20, 13);
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
    table(c, 30, 30, 38, family::wood, family::woodDark);
    c.rect(30, 37, 59, 38, family::cloth);
    for (int x : {34, 44, 54})
        c.ellipse(x, 36, 2, 0, {250, 250, 250});
    c.rect(43, 34, 46, 36, family::accent);  // the dish
    c.pixel(44, 33, {250, 250, 250});
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

// ---- the hero's road ----

// The hill of the slope rooms: the feet of a figure at column x rest on row
// 52.25 - x / 5.5.
void slope_hill(Canvas& c, Rgb ground, Rgb dark, Rgb edge, uint32_t seed)
{
    for (int x = 0; x < 80; ++x) {
        int top = int(52.25 - x / 5.5);
        c.vline(x, top, 59, ground);
        c.pixel(x, top, edge);
    }
    c.speckle(0, 42, 79, 59, dark, 0.15, seed);
    for (int x = 0; x < 80; ++x)  // keep the surface line clean
        c.pixel(x, int(52.25 - x / 5.5), edge);
}

void scene_mountain_road(Canvas& c)  // p6s1
{
    sky(c, hero::skyTop, hero::skyLow, 59);
    cloud(c, 14, 10, 18, town::cloudLight, town::cloudDark);
    c.polygon({0, 34, 20, 16, 34, 24, 54, 8, 79, 22, 79, 59, 0, 59}, {140, 156, 176});
    c.ridge(44, {2.0, 30.0, 0.3}, shade(hero::grass, 0.8), 59);
    c.polygon({50, 11, 54, 8, 58, 11, 54, 12}, {240, 244, 248});
    // the castle on the heights ahead
    c.rect(60, 12, 74, 22, hero::stone);
    c.rect(58, 8, 61, 22, hero::stone);
    c.rect(72, 8, 75, 22, hero::stone);
    battlements(c, 58, 75, 12, hero::stone);
    c.vline(66, 4, 11, hero::stoneDark);
    c.rect(67, 4, 70, 6, hero::red);
    slope_hill(c, hero::grass, hero::grassDark, shade(hero::grass, 1.2), 111);
    tree(c, 12, 48, 4, town::leaves, town::leavesDark, town::trunk);
    c.rect(30, 44, 32, 46, hero::stoneDark);  // rocks beside the road
    c.rect(56, 40, 57, 41, hero::stoneDark);
}

void scene_castle_gate(Canvas& c)  // p6s2
{
    sky(c, hero::skyTop, hero::skyLow);
    cloud(c, 50, 8, 20, town::cloudLight, town::cloudDark);
    stone_wall(c, 0, 18, 79, GROUND_TOP - 1, hero::stone, hero::stoneJoint, 121);
    battlements(c, 0, 79, 18, hero::stone);
    // two towers and the open gate between them
    stone_wall(c, 28, 6, 38, GROUND_TOP - 1, hero::stone, hero::stoneJoint, 122);
    stone_wall(c, 56, 6, 66, GROUND_TOP - 1, hero::stone, hero::stoneJoint, 123);
    battlements(c, 28, 38, 6, hero::stone);
    battlements(c, 56, 66, 6, hero::stone);
    c.ellipse(47, 30, 8, 6, hero::stoneDark);
    c.rect(39, 30, 55, GROUND_TOP - 1, hero::stoneDark);
    c.ellipse(47, 31, 7, 5, {60, 56, 60});
    c.rect(40, 31, 54, GROUND_TOP - 1, {60, 56, 60});
    for (int x = 41; x < 54; x += 3)  // the raised portcullis
        c.vline(x, 26, 29, {50, 46, 40});
    banner(c, 31, 10, 5, 12, hero::red, hero::gold);
    banner(c, 59, 10, 5, 12, hero::blue, hero::gold);
    window(c, 10, 26, 2, 4, hero::stoneDark, {40, 40, 60});
    window(c, 72, 26, 2, 4, hero::stoneDark, {40, 40, 60});
    c.rect(0, GROUND_TOP, 79, 59, hero::stoneJoint);
    street(c, {hero::stone, hero::stoneJoint, hero::stoneDark, hero::stoneJoint}, 124);
}

void scene_castle_hall(Canvas& c)  // p6s3
{
    interior(c, hero::hall, 13);
    stone_wall(c, 0, 0, 79, WALL_BASE - 2, hero::hallWall, hero::hallShade, 131);
    for (int x = 8; x < 80; x += 22) {  // pillars, banners and torches between them
        c.rect(x, 0, x + 4, WALL_BASE, hero::stone);
        c.vline(x + 4, 0, WALL_BASE, hero::stoneDark);
        c.rect(x - 1, 4, x + 5, 5, hero::stoneDark);
    }
    banner(c, 18, 10, 6, 16, hero::red, hero::gold);
    banner(c, 40, 10, 6, 16, hero::blue, hero::gold);
    banner(c, 62, 10, 6, 16, hero::red, hero::gold);
    torch(c, 21, 32, {255, 200, 90}, {255, 170, 80});
    torch(c, 43, 32, {255, 200, 90}, {255, 170, 80});
    torch(c, 65, 32, {255, 200, 90}, {255, 170, 80});
    c.rect(0, 50, 79, 55, hero::carpet);  // the long carpet
    c.hline(0, 79, 50, hero::carpetEdge);
    c.hline(0, 79, 55, hero::carpetEdge);
}

void scene_throne(Canvas& c)  // p6s4
{
    interior(c, hero::hall, 14);
    stone_wall(c, 0, 0, 79, WALL_BASE - 2, hero::hallWall, hero::hallShade, 141);
    for (int x = 6; x < 50; x += 14) {  // tall windows letting in the light
        c.ellipse(x + 3, 10, 3, 3, {200, 226, 250});
        c.rect(x, 10, x + 6, 26, {200, 226, 250});
        c.vline(x + 3, 8, 26, hero::stoneDark);
    }
    // the throne on its dais, under a canopy
    c.rect(52, 44, 79, WALL_BASE, hero::stoneDark);
    c.rect(58, 4, 76, 8, hero::red);
    c.polygon({58, 8, 76, 8, 74, 12, 60, 12}, hero::red);
    c.hline(58, 76, 8, hero::gold);
    c.rect(62, 22, 72, 43, hero::gold);
    c.rect(63, 24, 71, 41, hero::red);
    c.triangle(62, 22, 72, 22, 67, 16, hero::gold);
    banner(c, 54, 14, 4, 18, hero::blue, hero::gold);
    banner(c, 76, 14, 3, 18, hero::blue, hero::gold);
    c.rect(0, 50, 79, 55, hero::carpet);
    c.hline(0, 79, 50, hero::carpetEdge);
    c.hline(0, 79, 55, hero::carpetEdge);
}

void crowd(Canvas& c, int y, int x0, int x1, uint32_t seed)
{
    Dice d(seed);
    static const Rgb clothes[] = {{180, 60, 60}, {60, 90, 160}, {200, 170, 70}, {90, 130, 80}, {150, 100, 150}, {120, 90, 70}};
    for (int x = x0; x <= x1; x += d.range(2, 3)) {
        int h = d.range(5, 7);
        Rgb col = clothes[d.range(0, 5)];
        c.rect(x, y - h + 2, x + 1, y, col);
        c.pixel(x, y - h, {230, 190, 150});
        c.pixel(x + 1, y - h + 1, {230, 190, 150});
        c.pixel(x, y - h + 1, {230, 190, 150});
        if (d.unit() < 0.3)
            c.pixel(x + 2, y - h, {230, 190, 150});  // a raised arm
    }
}

void scene_crowds(Canvas& c)  // p6s5
{
    sky(c, hero::skyTop, hero::skyLow);
    stone_wall(c, 0, 20, 79, 38, hero::stone, hero::stoneJoint, 151);
    battlements(c, 0, 79, 20, hero::stone);
    for (int x = 5; x < 80; x += 18)
        banner(c, x, 22, 5, 10, (x / 18) % 2 ? hero::blue : hero::red, hero::gold);
    for (int x = 0; x < 80; ++x) {  // bunting
        int y = 14 + ((x % 26) - 13) * ((x % 26) - 13) / 40;
        if (x % 3 == 0)
            c.pixel(x, y, (x / 3) % 2 ? hero::gold : hero::red);
    }
    crowd(c, 44, 0, 40, 152);
    crowd(c, 44, 52, 78, 153);
    crowd(c, 46, 2, 38, 154);
    crowd(c, 46, 56, 79, 155);
    c.rect(0, GROUND_TOP, 79, 59, hero::stoneJoint);
    street(c, {hero::stone, hero::stoneJoint, hero::stoneDark, hero::stoneJoint}, 156);
}

void scene_square(Canvas& c)  // p6s6: the volunteers stand up the steps
{
    sky(c, mix(hero::skyTop, hero::duskTop, 0.2), mix(hero::skyLow, hero::duskLow, 0.25));
    stone_wall(c, 0, 24, 22, GROUND_TOP - 1, hero::stone, hero::stoneJoint, 161);
    battlements(c, 0, 22, 24, hero::stone);
    banner(c, 8, 28, 5, 10, hero::red, hero::gold);
    house(c, {60, 20, 26, town::cream, town::tile, town::trim});
    window(c, 64, 30, 4, 5, town::trim, town::glass);
    // a well in the square
    c.rect(26, 38, 33, 45, hero::stoneDark);
    c.hline(25, 34, 38, hero::stone);
    c.vline(26, 30, 38, town::wood);
    c.vline(33, 30, 38, town::wood);
    c.triangle(24, 31, 35, 31, 29, 27, town::tile);
    c.rect(0, 44, 79, 59, hero::stoneJoint);
    street(c, {hero::stone, hero::stoneJoint, hero::stoneDark, hero::stoneJoint}, 162);
    c.hline(36, 79, 45, hero::stone);  // a low step behind the group
    c.hline(46, 79, 46, hero::stoneDark);
}

void dusk_ground(Canvas& c, Rgb ground, Rgb dark, uint32_t seed)
{
    c.rect(0, GROUND_TOP, 79, 59, ground);
    c.speckle(0, GROUND_TOP, 79, 59, mix(ground, dark, 0.6), 0.12, seed);
    c.hline(0, 79, GROUND_TOP, shade(ground, 1.15));
}

void scene_dark_hill(Canvas& c)  // p6s7
{
    sky(c, hero::duskTop, hero::duskLow, 59);
    sun(c, 18, 34, 4, {255, 200, 120}, {240, 140, 90});
    c.polygon({0, 36, 16, 28, 30, 33, 50, 22, 79, 30, 79, 59, 0, 59}, shade(hero::duskHill, 0.8));
    slope_hill(c, hero::duskHill, hero::duskHillDark, {150, 110, 90}, 171);
    bare_tree(c, 40, 45, 8, hero::duskHillDark);
    c.rect(62, 38, 64, 40, hero::duskHillDark);
}

void scene_old_man(Canvas& c)  // p6s8
{
    sky(c, shade(hero::duskTop, 0.8), shade(hero::duskLow, 0.75));
    c.ridge(32, {3.0, 30.0, 0.2, 1.0, 9.0, 0.5}, shade(hero::duskHillDark, 0.9), GROUND_TOP);
    bare_tree(c, 14, 46, 12, {40, 30, 34});
    c.rect(66, 40, 74, 46, hero::rock);  // his stone seat
    c.hline(66, 74, 40, shade(hero::rock, 1.4));
    dusk_ground(c, shade(hero::duskHill, 0.8), hero::duskHillDark, 181);
}

void scene_darker(Canvas& c, int step)  // p6s9, p6s10
{
    double f = step == 0 ? 0.55 : 0.35;
    sky(c, shade(hero::nightTop, 1.0), mix(hero::nightLow, hero::duskLow, f * 0.6));
    stars(c, 20, {200, 190, 210}, step == 0 ? 10 : 20, 190 + step);
    c.polygon({0, 40, 10, 26, 18, 34, 28, 20, 40, 36, 52, 24, 64, 34, 79, 28, 79, 46, 0, 46}, hero::rockDark);
    if (step == 1)
        c.glow(72, 40, 16, hero::ember, 0.4);  // a red glow far ahead
    c.polygon({0, 46, 6, 38, 12, 46}, hero::rock);
    c.polygon({50, 46, 58, 36, 66, 46}, hero::rock);
    dusk_ground(c, shade(hero::rock, 1.1), hero::rockDark, 192 + step);
    bare_tree(c, 32, 46, 9, {20, 16, 20});
}

void scene_fallen(Canvas& c, bool caveMouth)  // p6s11, p6s12
{
    sky(c, hero::nightTop, hero::nightLow);
    stars(c, 18, {180, 170, 190}, 12, caveMouth ? 201 : 202);
    c.polygon({0, 44, 14, 24, 30, 32, 46, 18, 79, 26, 79, 46, 0, 46}, hero::rockDark);
    if (caveMouth) {
        // the mountain wall with the cave's mouth on the right
        c.polygon({36, 46, 44, 8, 79, 0, 79, 46}, hero::rock);
        c.ellipse(64, 36, 11, 13, {8, 4, 6});
        c.rect(53, 36, 75, 46, {8, 4, 6});
        c.glow(64, 42, 10, hero::ember, 0.35);
        c.ellipse(64, 36, 11, 13, hero::rockDark);
        c.ellipse(64, 37, 10, 12, {8, 4, 6});
        c.rect(54, 37, 74, 46, {8, 4, 6});
    }
    dusk_ground(c, hero::rock, hero::rockDark, caveMouth ? 203 : 204);
    // broken spears and shields on the ground
    Dice d(caveMouth ? 205 : 206);
    for (int x = 4; x < 80; x += d.range(10, 18)) {
        int lean = d.range(-4, 4);
        c.line(x, 47, x + lean, 39 + d.range(0, 3), {110, 96, 80});
        c.ellipse(x + 4, 48, 1, 1, d.unit() < 0.5 ? shade(hero::red, 0.5) : shade(hero::blue, 0.6));
    }
}

// ---- the simple walk home ----

void scene_home_road(Canvas& c, int variant)  // p7s1 (0), p7s1a (1), p7s2 (2)
{
    if (variant == 0) {
        sky(c, {60, 60, 110}, {230, 140, 110});
        c.glow(60, 46, 20, {250, 180, 120}, 0.4);
    } else {
        sky(c, night::skyTop, night::skyLow);
        stars(c, 32, night::star, variant == 1 ? 26 : 36, 211 + variant);
    }
    Rgb hill = variant == 0 ? Rgb{70, 70, 90} : Rgb{28, 34, 54};
    hills(c, 37, hill, 213, 2);
    if (variant != 2) {
        // a house far off; its window goes dark after the fade
        house(c, {52, 9, 38, variant == 0 ? Rgb{110, 90, 100} : Rgb{40, 44, 66}, hill, night::trim});
        window(c, 55, 40, 2, 2, night::trim, night::glass, variant == 0, night::lit);
    } else {
        moon(c, 20, 10, 3, night::moonFace, night::moonHalo, night::skyTop);
    }
    tree(c, 18, 46, 5, shade(hill, 0.8), shade(hill, 0.6), shade(hill, 0.5));
    tree(c, 72, 46, 4, shade(hill, 0.8), shade(hill, 0.6), shade(hill, 0.5));
    fence(c, 0, 79, 47, shade(hill, 0.7));
    Rgb path = variant == 0 ? Rgb{150, 120, 110} : night::path;
    path_ground(c, shade(hill, 0.9), shade(hill, 0.7), path, shade(path, 0.8), 214 + variant);
}

void scene_house_moon(Canvas& c)  // p7s3
{
    night_sky(c, 221);
    moon(c, 18, 11, 5, night::moonFace, night::moonHalo, night::skyTop);
    hills(c, 38, {28, 34, 54}, 222, 2);
    // home, the door on the right of its front, one window lit
    house(c, {38, 36, 26, {72, 70, 96}, {40, 34, 54}, night::trim});
    chimney(c, 64, 15, 6, {40, 34, 54});
    window(c, 43, 31, 6, 6, night::trim, night::glass, true, night::lit);
    window(c, 55, 31, 6, 6, night::trim, night::glass);
    door(c, 66, 33, 6, 14, {80, 50, 40}, night::trim);
    tree(c, 12, 46, 6, night::tree, {16, 20, 32}, {16, 18, 26});
    fence(c, 0, 36, 47, {40, 44, 64});
    path_ground(c, night::grass, night::grassDark, night::path, shade(night::path, 0.8), 223);
}

// ---- the last path: faded echoes ----

void fade_to_dream(Canvas& c, Rgb hue, double fade)
{
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            Rgb p = desaturate(c.get(x, y), 0.6);
            p = mix(p, hue, fade);
            // darker towards the edges, as in a memory
            double dx = (x - 40) / 40.0, dy = (y - 30) / 30.0;
            double v = 1.0 - 0.3 * (dx * dx + dy * dy);
            c.pixel(x, y, shade(p, v));
        }
}

// A glowing way up (a stair of light rising at the back) and a way down (steps
// in front), in the given columns (1..4).
void dream_ways(Canvas& c, int upColumn, int downColumn)
{
    // up: a tall doorway of pale light at the back, three steps rising into it
    int ux = (upColumn - 1) * 20 + 4;
    c.glow(ux + 6, 30, 12, dream::way, 0.5);
    c.rect(ux, 24, ux + 11, GROUND_TOP - 1, dream::wayEdge);
    c.ellipse(ux + 5, 24, 6, 4, dream::wayEdge);
    c.gradient(24, GROUND_TOP - 1, {dream::way, mix(dream::way, dream::wayEdge, 0.5)}, ux + 1, ux + 10);
    c.ellipse(ux + 5, 24, 5, 3, dream::way);
    for (int i = 0; i < 3; ++i)
        c.hline(ux + 1 + i, ux + 10 - i, GROUND_TOP - 1 - 2 * i, shade(dream::wayEdge, 0.8));
    // down: steps going down in front of the walk
    int dx = (downColumn - 1) * 20;
    steps_down(c, dx + 2, dx + 17, dream::way, shade(dream::deep, 0.6), dream::way);
}

void echo(Canvas& c, void (*paint)(Canvas&), Rgb hue, int up, int down)
{
    paint(c);
    fade_to_dream(c, hue, 0.35);
    dream_ways(c, up, down);
}

void scene_girl_greyed(Canvas& c)  // p8s1
{
    scene_corner(c);
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            c.pixel(x, y, shade(desaturate(c.get(x, y), 0.9), 0.75));
}

void scene_last_street(Canvas& c)  // p8s9
{
    c.fill({6, 6, 10});
    c.gradient(0, 40, {{4, 4, 8}, {10, 10, 18}});
    house(c, {4, 30, 24, {14, 14, 20}, {10, 10, 14}, {20, 20, 26}});
    house(c, {40, 34, 22, {16, 16, 22}, {10, 10, 14}, {20, 20, 26}});
    window(c, 52, 28, 5, 6, {24, 22, 26}, {12, 12, 16}, true, {250, 210, 130});
    c.rect(0, GROUND_TOP, 79, 59, {22, 21, 28});
    c.hline(0, 79, GROUND_TOP, {40, 38, 46});
    c.glow(54, 52, 8, {90, 70, 40}, 0.3);
}

void scene_blank(Canvas& c)  // the cave: near black, a few dim rock edges
{
    c.fill({4, 3, 5});
    Dice d(241);
    for (int i = 0; i < 9; ++i) {
        int x = d.range(0, 75), y = d.range(2, 56), len = d.range(3, 8);
        for (int k = 0; k < len; ++k)
            c.pixel(x + k, y + (k * (i % 3 - 1)) / 3, {20, 16, 20});
    }
    c.rect(0, GROUND_TOP + 1, 79, 59, {10, 8, 10});
    c.hline(0, 79, GROUND_TOP, {34, 28, 32});
    c.speckle(0, GROUND_TOP + 1, 79, 59, {18, 15, 18}, 0.15, 242);
}

void p6s10(Canvas& c) { scene_darker(c, 1); }
void p3s4(Canvas& c) { scene_trench(c); }

}  // namespace

const std::vector<SceneRecipe>& scene_recipes()
{
    static const std::vector<SceneRecipe> recipes = {
        {"scene1", scene_home_morning},
        {"scene2", scene_street},
        {"scene3", scene_corner},
        {"scene4", scene_fork},
        {"scene5", [](Canvas& c) { scene_fields(c, false); }},
        {"scene6", [](Canvas& c) { scene_fields(c, true); }},
        {"scene7", scene_bridge},
        {"scene8", scene_busy_town},
        {"scene9", scene_steps_street},
        {"scene10", scene_pub_street},
        {"scene11", scene_pub},
        {"scene12", [](Canvas& c) { scene_quiet_street(c, false); }},
        {"scene13", [](Canvas& c) { scene_quiet_street(c, true); }},
        {"scene14", scene_far_bank},
        {"scene15", scene_castle_path},
        {"p1s1", scene_sharks_room},
        {"p1s2", scene_alley},
        {"p2s1", scene_pub_night},
        {"p2s2", scene_drunk_street},
        {"p2s3", scene_home_evening},
        {"p3s1", scene_barracks},
        {"p3s2", scene_sergeant},
        {"p3s3", scene_truck},
        {"p3s4", scene_trench},
        {"p3s5", [](Canvas& c) { scene_no_mans_land(c, false); }},
        {"p3s6", [](Canvas& c) { scene_no_mans_land(c, true); }},
        {"p4s1", scene_her_bedroom},
        {"p4s2", [](Canvas& c) { scene_cold_street(c, false); }},
        {"p4s5", [](Canvas& c) { scene_cold_street(c, true); }},
        {"p4s3", [](Canvas& c) { scene_grey_town(c, false); }},
        {"p4s4", [](Canvas& c) { scene_grey_town(c, true); }},
        {"p5s1", scene_her_hall},
        {"p5s2", scene_child_room},
        {"p5s3", scene_dinner},
        {"p5s4", scene_leave_house},
        {"p6s1", scene_mountain_road},
        {"p6s2", scene_castle_gate},
        {"p6s3", scene_castle_hall},
        {"p6s4", scene_throne},
        {"p6s5", scene_crowds},
        {"p6s6", scene_square},
        {"p6s7", scene_dark_hill},
        {"p6s8", scene_old_man},
        {"p6s9", [](Canvas& c) { scene_darker(c, 0); }},
        {"p6s10", p6s10},
        {"p6s11", [](Canvas& c) { scene_fallen(c, false); }},
        {"p6s12", [](Canvas& c) { scene_fallen(c, true); }},
        {"p7s1", [](Canvas& c) { scene_home_road(c, 0); }},
        {"p7s1a", [](Canvas& c) { scene_home_road(c, 1); }},
        {"p7s2", [](Canvas& c) { scene_home_road(c, 2); }},
        {"p7s3", scene_house_moon},
        {"p8s1", scene_girl_greyed},
        // the maze of memories: each an echo of an earlier room
        {"p8s2", [](Canvas& c) { echo(c, scene_bridge, {150, 170, 220}, 2, 3); }},
        {"p8s3", [](Canvas& c) { echo(c, scene_pub, {210, 170, 140}, 3, 2); }},
        {"p8s4", [](Canvas& c) { echo(c, scene_castle_gate, {200, 190, 150}, 3, 2); }},
        {"p8s5", [](Canvas& c) { echo(c, scene_her_hall, {170, 210, 180}, 3, 2); }},
        {"p8s6", [](Canvas& c) { echo(c, scene_her_bedroom, {220, 160, 200}, 3, 2); }},
        {"p8s7", [](Canvas& c) { echo(c, p3s4, {180, 180, 150}, 3, 2); }},
        {"p8s8", [](Canvas& c) { echo(c, scene_sharks_room, {160, 150, 120}, 3, 2); }},
        {"p8s9", scene_last_street},
        {"blank", scene_blank},
    };
    return recipes;
}
