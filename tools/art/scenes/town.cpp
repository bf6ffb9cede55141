// The town in daylight: home in the morning, the streets, the fields, the bridge and
// the foot of the castle track (scene1 to scene9, scene12 to scene15).
#include "art/scenes/paintings.h"

#include <cmath>

#include "art/kit.h"
#include "art/palettes.h"

namespace paintings {

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
    door(c, 11, 35, 4, 12, seed % 2 ? town::doorBlue : town::doorGreen, town::trim);
    chimney(c, 12, 16, 5, town::slate);
    house(c, {19, 18, 30, town::ochre, town::slate, town::trim});
    window(c, 22, 34, 4, 5, town::trim, town::glass);
    window(c, 30, 34, 4, 5, town::trim, town::glass);
    house(c, {38, 22, 26, town::rose, town::tile, town::trim});
    window(c, 42, 30, 4, 5, town::trim, town::glass);
    window(c, 52, 30, 4, 5, town::trim, town::glass);
    door(c, 48, 35, 4, 12, town::doorRed, town::trim);
    house(c, {61, 21, 29, town::chalk, town::tile, town::trim});
    window(c, 65, 33, 4, 5, town::trim, town::glass);
    chimney(c, 74, 19, 5, town::slate);
}

void scene_home_morning(Canvas& c)
{
    interior(c, home::room, 1);
    wallpaper_stripes(c, home::stripe, 6);
    // the morning window on the left, its light falling across the floor; a
    // window and a door at the size of the people in the room
    window(c, 9, 23, 10, 10, home::wood, {170, 210, 236});
    c.rect(9, 23, 18, 24, {200, 226, 240});
    c.dither_rect(12, 49, 30, 51, home::floor, mix(home::floor, home::morning, 0.35), 0.5);  // sun on the floor
    c.rect(6, 21, 21, 22, home::cloth);  // curtain rail and curtains
    c.rect(6, 21, 8, 35, home::cloth);
    c.rect(19, 21, 21, 35, home::cloth);
    picture(c, 31, 18, 8, 6, home::woodDark, {130, 170, 120}, {90, 130, 80});
    shelf(c, 42, 24, 10, home::woodDark, home::cloth, {90, 110, 150});
    table(c, 28, 20, 44, home::wood, home::woodDark);
    c.rect(31, 43, 33, 43, {240, 240, 230});  // cups on the table
    c.rect(43, 43, 44, 43, {240, 240, 230});
    c.rect(36, 42, 38, 43, {220, 120, 60});
    chair(c, 23, WALL_BASE + 2, home::wood, true);
    chair(c, 50, WALL_BASE + 2, home::wood, false);
    rug(c, 18, 56, 50, 54, home::cloth, home::clothLight);
    // the front door on the right, with daylight round it
    door(c, 70, 32, 7, 15, {116, 72, 40}, home::woodDark);
    c.rect(72, 34, 74, 36, {200, 226, 240});  // its small window
}

void scene_street(Canvas& c)  // scene2
{
    town_sky(c, 3);
    town_row(c, 1);
    tree(c, 34, 46, 5, town::leaves, town::leavesDark, town::trunk);
    street(c, town::street, 2);
}

// A row of rounded bushes clipped into a hedge, lit from the upper left.
void hedge(Canvas& c, int x0, int x1, int top, Rgb leaves, Rgb dark, uint32_t seed)
{
    c.rect(x0, top + 2, x1, GROUND_TOP - 1, dark);
    for (int x = x0 + 2; x <= x1 - 1; x += 4) {
        c.ellipse(x, top + 2, 3, 2, dark);
        c.ellipse(x - 1, top + 2, 2, 1, leaves);
    }
    c.speckle(x0, top, x1, GROUND_TOP - 2, shade(leaves, 1.2), 0.08, seed);
    c.speckle(x0, top + 3, x1, GROUND_TOP - 1, shade(dark, 0.8), 0.15, seed + 1);
}

void scene_corner(Canvas& c)  // scene3
{
    town_sky(c, 11);
    hills(c, 34, town::farHill, 5, 2);
    // the side street runs off between the houses to a far row of roofs
    const int vx = 49, vy = 33;  // where it meets the distance
    house(c, {43, 6, 30, mix(town::cream, town::skyLow, 0.4), mix(town::tile, town::skyLow, 0.4), town::trim});
    house(c, {49, 6, 31, mix(town::chalk, town::skyLow, 0.4), mix(town::slate, town::skyLow, 0.4), town::trim});
    c.polygon({39, GROUND_TOP, 58, GROUND_TOP, vx + 3, vy + 4, vx - 3, vy + 4}, town::stone);
    for (int y = vy + 5; y < GROUND_TOP; y += 2) {  // cobble courses narrowing away
        int half = 3 + (y - vy - 4) * 7 / 10;
        for (int x = vx - half; x <= vx + half; x += 2 + (y - vy) / 4)
            c.pixel(x, y, town::joint);
    }
    c.line(39, GROUND_TOP, vx - 3, vy + 4, town::kerb);
    c.line(58, GROUND_TOP, vx + 3, vy + 4, town::kerb);
    // the corner house, its front and its side wall in shade along the lane
    house(c, {21, 19, 28, town::cream, town::slate, town::trim});
    c.polygon({40, 24, vx - 3, 31, vx - 3, vy + 4, 40, GROUND_TOP - 1}, shade(town::cream, 0.72));
    c.polygon({40, 24, vx - 3, 31, vx - 3, 29, 40, 19}, shade(town::slate, 0.8));
    c.vline(40, 24, GROUND_TOP - 1, shade(town::cream, 0.6));
    window(c, 43, 31, 2, 3, shade(town::trim, 0.75), shade(town::glass, 0.8));
    window(c, 25, 32, 4, 5, town::trim, town::glass);
    window(c, 32, 32, 4, 5, town::trim, town::glass);
    door(c, 29, 38, 3, 9, town::doorBlue, town::trim);
    house(c, {-2, 22, 25, town::ochre, town::tile, town::trim});
    window(c, 3, 29, 4, 5, town::trim, town::glass);
    window(c, 12, 29, 4, 5, town::trim, town::glass);
    door(c, 7, 35, 4, 12, town::doorGreen, town::trim);
    // the far corner house, its side wall lit
    house(c, {57, 25, 24, town::rose, town::tile, town::trim});
    c.polygon({57, 24, vx + 3, 31, vx + 3, vy + 4, 57, GROUND_TOP - 1}, shade(town::rose, 1.08));
    c.vline(57, 24, GROUND_TOP - 1, shade(town::rose, 0.85));
    window(c, 61, 28, 4, 5, town::trim, town::glass);
    window(c, 71, 28, 4, 5, town::trim, town::glass);
    c.rect(60, 39, 67, 40, {200, 80, 70});  // flower box
    c.speckle(60, 38, 67, 38, {240, 200, 80}, 0.5, 9);
    hedge(c, 0, 20, 41, town::leaves, town::leavesDark, 12);
    hedge(c, 68, 79, 42, town::leaves, town::leavesDark, 13);
    lamp_post(c, 38, 47, town::slate, town::trim, false);
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
    door(c, 11, 35, 4, 12, town::doorBlue, town::trim);
    tree(c, 28, 46, 5, town::leaves, town::leavesDark, town::trunk);
    tree(c, 70, 46, 6, town::leaves, town::leavesDark, town::trunk);
    // a signpost at the fork
    c.vline(62, 36, 47, town::wood);
    c.rect(59, 36, 66, 37, town::trim);
    c.pixel(58, 36, town::trim);
    path_ground(c, town::grass, town::grassDark, town::path, town::pathEdge, 5);
    c.polygon({43, 47, 56, 47, 58, 50, 41, 50}, town::path);
}

void haystack(Canvas& c, int x, int baseY, int r)
{
    const Rgb hay{214, 184, 100}, hayDark{170, 138, 70};
    c.ellipse(x, baseY - r / 2, r, r, hayDark);
    c.ellipse(x - 1, baseY - r / 2 - 1, r - 1, r - 1, hay);
    c.rect(x - r, baseY, x + r, baseY, shade(hayDark, 0.7));
}

void scene_fields(Canvas& c, bool riverNear)  // scene5, scene6
{
    town_sky(c, riverNear ? 29 : 17);
    sun(c, riverNear ? 58 : 66, 9, 3, town::sunCore, town::sunHalo);
    hills(c, 33, town::farHill, riverNear ? 13 : 11, 3);
    c.ridge(38, {2.0, 40.0, riverNear ? 0.7 : 0.1}, town::nearHill, GROUND_TOP);
    if (!riverNear) {
        // open fields falling to the river: it winds out of the hills on the
        // left and widens as it comes on towards the bridge on the right
        for (int y = 39; y < GROUND_TOP; y += 2)  // furrowed strips
            for (int x = 0; x < 80; ++x)
                if ((x / 20 + y / 4) % 2)
                    c.pixel(x, y, mix(town::nearHill, {200, 190, 110}, 0.35));
        for (int x = 10; x < 80; ++x) {
            double t = (x - 10) / 69.0;
            int centre = int(std::lround(38.5 + 3.5 * t + 1.2 * std::sin(x / 7.0)));
            int half = int(0.4 + 2.2 * t);
            c.vline(x, centre - half, centre + half, town::water);
            c.pixel(x, centre - half, town::waterLight);  // the far bank's reflection
            c.pixel(x, centre + half + 1, shade(town::nearHill, 0.8));  // the near bank's shadow
            if ((x * 7) % 11 == 0 && half > 0)
                c.pixel(x, centre, town::glint);
        }
        haystack(c, 28, 45, 4);
        haystack(c, 37, 45, 3);
        haystack(c, 60, 46, 4);
        tree(c, 14, 44, 4, town::leaves, town::leavesDark, town::trunk);
        tree(c, 70, 45, 5, town::leaves, town::leavesDark, town::trunk);
        // a field gate and a stretch of fence along the path, open beyond it
        fence(c, 0, 18, 47, town::wood);
        c.vline(22, 41, 47, shade(town::wood, 0.8));
        c.line(22, 42, 28, 45, town::wood);
        c.line(22, 45, 28, 42, town::wood);
        c.hline(22, 28, 42, town::wood);
        c.hline(22, 28, 45, town::wood);
        c.vline(28, 41, 47, shade(town::wood, 0.8));
    } else {
        // the river now runs just beyond the path, reeds along its bank
        c.polygon({0, 41, 79, 38, 79, 47, 0, 47}, town::water);
        c.line(0, 41, 79, 38, town::waterLight);
        c.speckle(0, 41, 79, 46, town::glint, 0.06, 3);
        for (int x = 2; x < 80; x += 9)
            c.hline(x, x + 3, 43 + (x % 3), town::waterLight);
        // trees on the far bank, mirrored in the water
        tree(c, 62, 38, 4, town::leaves, town::leavesDark, town::trunk);
        tree(c, 72, 37, 3, town::leaves, town::leavesDark, town::trunk);
        for (int x = 59; x < 66; x += 2)
            c.vline(x, 40, 42, mix(town::water, town::leavesDark, 0.5));
        // a boat drawn up at a short jetty
        c.rect(14, 43, 24, 44, town::wood);
        c.polygon({26, 43, 36, 43, 34, 45, 28, 45}, {150, 70, 50});
        c.hline(26, 36, 43, shade(town::wood, 1.3));
        for (int x = 40; x < 80; x += 3)
            c.vline(x, 44 + (x % 2), 47, town::grassDark);  // reeds
        c.speckle(40, 44, 79, 45, {120, 90, 60}, 0.15, 4);
    }
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
    water(c, 43, 48, town::water, town::waterLight, town::glint, 9);
    // the bridge the player has just crossed: its last span reaching the bank,
    // plank deck, rails on posts, a stone pier standing in the water
    const Rgb plank = town::wood, plankDark = shade(town::wood, 0.7), plankLit = shade(town::wood, 1.25);
    c.rect(0, 40, 14, 42, plank);
    c.hline(0, 14, 40, plankLit);
    for (int x = 1; x < 15; x += 3)
        c.vline(x, 41, 42, plankDark);
    c.hline(0, 14, 43, plankDark);
    c.rect(5, 44, 10, 48, town::stone);  // the pier
    c.vline(10, 44, 48, town::joint);
    c.hline(5, 10, 46, town::joint);
    for (int x = 0; x <= 12; x += 4)  // the rail
        c.vline(x, 34, 39, plankDark);
    c.hline(0, 13, 34, plank);
    c.hline(0, 13, 36, plankDark);
    c.polygon({12, 43, 18, 43, 22, 47, 10, 47}, town::grassDark);  // where it lands on the bank
    c.polygon({12, 42, 16, 42, 20, 46, 14, 46}, town::path);
    tree(c, 30, 44, 6, town::leaves, town::leavesDark, town::trunk);
    tree(c, 62, 45, 4, town::leaves, town::leavesDark, town::trunk);
    // a signpost where the track divides beyond the river
    c.vline(48, 36, 46, town::trunk);
    c.rect(44, 36, 52, 37, town::trim);
    c.pixel(53, 36, town::trim);
    c.rect(45, 39, 51, 40, town::trim);
    c.pixel(44, 39, town::trim);
    path_ground(c, town::grass, town::grassDark, town::path, town::pathEdge, 12);
    c.speckle(0, 56, 79, 59, {230, 220, 120}, 0.05, 13);  // flowers
}

void scene_castle_path(Canvas& c)  // scene15: a mountain track up in column 2
{
    town_sky(c, 7);
    // mountains with the castle far above
    mountain(c, {0, 36, 12, 22, 27, 8, 40, 22, 52, 16, 66, 26, 79, 20}, 27, 13, {150, 162, 184}, {112, 122, 150}, 15);
    castle(c, 20, 34, 11, 18, hero::stone, hero::stoneDark, hero::blue, hero::red);
    c.ridge(36, {2.0, 33.0, 0.5}, town::nearHill, GROUND_TOP);
    // the track zig-zagging up the slope from the road
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
    door(c, 29, 35, 4, 12, town::doorGreen, town::trim);
    for (int x = 15; x <= 36; ++x)
        c.vline(x, 31, 33, (x / 2) % 2 ? town::doorRed : town::trim);
    house(c, {37, 20, 22, town::ochre, town::tile, town::trim});
    window(c, 41, 26, 4, 5, town::trim, town::glass);
    window(c, 50, 26, 4, 5, town::trim, town::glass);
    door(c, 45, 35, 5, 12, town::doorBlue, town::trim);
    house(c, {58, 24, 18, town::cream, town::tile, town::trim});
    window(c, 62, 22, 4, 5, town::trim, town::glass);
    window(c, 72, 22, 4, 5, town::trim, town::glass);
    window(c, 62, 33, 4, 5, town::trim, town::glass);
    door(c, 71, 35, 4, 12, town::doorRed, town::trim);
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
    // the street above the lower town: a tall narrow house, an inn under a
    // flat roof with its board, a baker's with an awning, a house with a bay
    house(c, {-2, 14, 20, town::chalk, town::slate, town::trim});
    window(c, 2, 24, 3, 4, town::trim, town::glass);
    window(c, 2, 32, 3, 4, town::trim, town::glass);
    door(c, 7, 36, 4, 11, town::doorGreen, town::trim);
    chimney(c, 8, 11, 5, town::slate);
    house(c, {12, 20, 24, town::ochre, town::tile, town::trim, false});
    c.rect(14, 26, 29, 28, town::wood);  // the inn's board
    c.hline(16, 27, 27, town::trim);
    window(c, 14, 32, 5, 5, town::trim, town::glass);
    window(c, 25, 32, 5, 5, town::trim, town::glass);
    door(c, 20, 35, 4, 12, town::doorBlue, town::trim);
    house(c, {32, 18, 28, town::cream, town::tile, town::trim});
    for (int x = 31; x <= 50; ++x)  // the baker's awning, a loaf painted on the glass
        c.vline(x, 36, 38, (x / 2) % 2 ? town::doorGreen : town::trim);
    window(c, 34, 40, 7, 5, town::trim, town::glass);
    c.hline(36, 38, 42, town::ochre);
    door(c, 44, 39, 4, 8, town::doorRed, town::trim);
    window(c, 36, 31, 3, 3, town::trim, town::glass);
    window(c, 44, 31, 3, 3, town::trim, town::glass);
    house(c, {50, 16, 26, town::rose, town::slate, town::trim});
    c.rect(53, 33, 62, 40, shade(town::rose, 0.85));  // the bay, standing out
    window(c, 54, 34, 8, 5, town::trim, town::glass);
    c.hline(52, 63, 41, town::trim);
    house(c, {66, 16, 30, town::cream, town::tile, town::trim});
    window(c, 70, 34, 4, 5, town::trim, town::glass);
    tree(c, 78, 46, 4, town::leaves, town::leavesDark, town::trunk);
    street(c, town::street, 18);
    steps_down(c, 42, 57, town::stone, {60, 56, 56}, town::slate);
    // a railing round the head of the steps and a sign pointing down them
    c.hline(42, 57, 50, town::slate);
    for (int x = 44; x < 57; x += 3)
        c.vline(x, 51, 53, town::slate);
    c.vline(60, 40, 52, town::wood);
    c.rect(57, 40, 64, 42, town::trim);
    c.hline(58, 63, 41, town::slate);
    c.pixel(60, 43, town::trim);  // the board's arrow, turned down
    c.hline(59, 61, 43, town::trim);
    c.pixel(60, 44, town::trim);
}

void scene_quiet_street(Canvas& c, bool herDoor)  // scene12, scene13
{
    // the other side of town: a warm, quiet afternoon, houses close along the
    // street behind low garden walls
    sky(c, mix(town::skyTop, {150, 130, 170}, 0.25), mix(town::skyLow, {240, 200, 170}, 0.35), 30);
    cloud(c, 20, 6, 16, town::cloudLight, town::cloudDark);
    c.ridge(29, {1.5, 23.0, herDoor ? 0.6 : 0.2, 0.7, 7.0, 0.3}, town::farHill, GROUND_TOP);  // gardens behind
    for (int x = 6; x < 80; x += 17)
        tree(c, x, 34, 3, mix(town::leaves, town::farHill, 0.5), mix(town::leavesDark, town::farHill, 0.5), town::trunk);
    if (herDoor) {
        // a walnut over an orchard gate, then a low cottage with a dormer
        c.rect(0, 38, 13, GROUND_TOP - 1, town::leavesDark);  // the orchard hedge
        for (int x = 1; x < 14; x += 4)
            c.ellipse(x, 38, 2, 1, town::leaves);
        tree(c, 6, 36, 8, town::leaves, town::leavesDark, town::trunk);
        c.rect(5, 40, 10, GROUND_TOP - 1, shade(town::wood, 0.8));  // the gate
        for (int x = 6; x < 10; x += 2)
            c.vline(x, 41, GROUND_TOP - 1, town::wood);
        house(c, {15, 26, 32, town::ochre, town::slate, town::trim});
        c.rect(25, 24, 30, 30, town::ochre);  // the dormer
        c.triangle(24, 24, 31, 24, 27, 21, town::slate);
        window(c, 26, 26, 4, 3, town::trim, town::glass);
        window(c, 18, 36, 5, 5, town::trim, town::glass);
        window(c, 32, 36, 5, 5, town::trim, town::glass);
        door(c, 26, 37, 4, 10, town::doorBlue, town::trim);
        c.rect(18, 42, 22, 43, {200, 90, 90});  // a window box
        c.vline(42, 30, 46, town::slate);  // a wash line to a post, a sheet on it
        c.line(40, 31, 50, 33, town::slate);
        c.rect(44, 32, 47, 37, town::trim);
    } else {
        house(c, {-2, 18, 24, town::chalk, town::slate, town::trim});
        window(c, 3, 28, 4, 5, town::trim, town::glass);
        window(c, 10, 28, 4, 5, town::trim, town::glass);
        door(c, 6, 35, 4, 12, town::doorBlue, town::trim);
        chimney(c, 12, 12, 5, town::slate);
        tree(c, 21, 44, 6, town::leaves, town::leavesDark, town::trunk);
        house(c, {27, 22, 26, town::cream, town::tile, town::trim});
        window(c, 30, 30, 4, 5, town::trim, town::glass);
        window(c, 41, 30, 4, 5, town::trim, town::glass);
        door(c, 36, 35, 4, 12, town::doorGreen, town::trim);
        c.rect(30, 37, 33, 38, {200, 90, 90});  // a window box
        c.rect(41, 37, 44, 38, {220, 180, 90});
    }
    if (herDoor) {
        // her house: rose walls, a red door with a lamp, flowers
        house(c, {52, 27, 22, family::wall, town::tile, town::trim});
        window(c, 56, 27, 5, 6, town::trim, town::glass, true, {255, 226, 160});
        door(c, 70, 33, 6, 14, town::doorRed, town::trim);
        c.glow(73, 31, 5, {255, 230, 170}, 0.5);
        c.speckle(55, 44, 68, 46, {230, 110, 120}, 0.4, 21);
        c.speckle(55, 45, 68, 46, town::leavesDark, 0.3, 22);
    } else {
        house(c, {52, 14, 28, town::ochre, town::tile, town::trim});
        window(c, 56, 32, 4, 5, town::trim, town::glass);
        house(c, {67, 15, 22, town::rose, town::slate, town::trim});
        window(c, 70, 28, 4, 5, town::trim, town::glass);
        door(c, 71, 35, 4, 12, town::doorRed, town::trim);
        lamp_post(c, 64, 46, town::slate, town::sunCore, false);
        // a bench by the lamp, a cat on the wall
        c.hline(57, 62, 43, town::wood);
        c.vline(57, 44, 46, shade(town::wood, 0.7));
        c.vline(62, 44, 46, shade(town::wood, 0.7));
    }
    // low garden walls along the front, a gap at each gate
    for (int x = 0; x < 80; ++x) {
        bool gate = herDoor ? (x <= 13) || (x >= 25 && x <= 30) || (x >= 69 && x <= 76)
                            : (x >= 5 && x <= 10) || (x >= 35 && x <= 40) || (x >= 69 && x <= 76);
        if (gate)
            continue;
        c.vline(x, 44, 46, town::stone);
        c.pixel(x, 44, shade(town::stone, 1.15));
        if ((x + 1) % 4 == 0)
            c.pixel(x, 45, town::joint);
    }
    if (!herDoor) {
        c.pixel(24, 43, {60, 56, 60});  // the cat
        c.hline(23, 25, 42, {60, 56, 60});
        c.pixel(22, 41, {60, 56, 60});
    }
    street(c, town::street, herDoor ? 24 : 23);
}

}  // namespace paintings
