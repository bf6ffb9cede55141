// The hero's road: the mountain road and the castle, the crowds and volunteers, the
// darkening hills, the old man and the fallen at the cave (p6s1 to p6s12).
#include "art/scenes/paintings.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "art/kit.h"
#include "art/palettes.h"

namespace paintings {

constexpr double PI_SQUARE = 3.14159265358979323846;  // for the bunting's sag

// The hill of the slope rooms as a road: a grass bank with a lit rim, the dirt
// road on the line of the feet, tufted grass falling away in front.
void slope_road(Canvas& c, Rgb grass, Rgb grassDark, Rgb dirt, uint32_t seed)
{
    const Rgb dirtDark = shade(dirt, 0.8), dirtLight = mix(dirt, {255, 240, 210}, 0.25);
    const Rgb rim = mix(grass, {255, 250, 220}, 0.3), tuft = mix(grass, {255, 250, 220}, 0.22);
    Dice d(seed);
    for (int x = 0; x < 80; ++x) {
        int line = int(52.25 - x / 5.5);
        c.vline(x, line - 5, line - 2, grass);
        c.pixel(x, line - 5, rim);  // the lit rim
        c.vline(x, line - 1, line + 3, dirt);
        c.pixel(x, line - 1, dirtLight);
        c.pixel(x, line + 3, dirtDark);
        c.vline(x, line + 4, 59, grassDark);
        if (d.unit() < 0.2)
            c.pixel(x, line + d.range(0, 2), dirtDark);  // ruts and stones
    }
    for (int i = 0; i < 40; ++i) {  // tufts on the bank and in front
        int x = d.range(0, 78);
        int line = int(52.25 - x / 5.5);
        int y = d.unit() < 0.35 ? line - 3 : d.range(line + 6, 58);
        c.pixel(x, y, tuft);
        c.pixel(x + 1, y - 1, tuft);
        c.pixel(x - 1, y, shade(grassDark, 0.8));
    }
}

void scene_mountain_road(Canvas& c)  // p6s1
{
    sky(c, hero::skyTop, hero::skyLow, 59);
    cloud(c, 6, 9, 18, town::cloudLight, town::cloudDark);
    mountain(c, {0, 30, 14, 20, 22, 22, 36, 4, 50, 16, 58, 18, 79, 28}, 36, 10, {156, 168, 190}, {110, 120, 150},
             112);
    // green foothills that rise with the road
    for (int x = 0; x < 80; ++x) {
        int top = int(44 - x / 5.5 + 1.5 * std::sin(x / 9.0));
        c.vline(x, top, 59, shade(hero::grass, 0.75));
        c.pixel(x, top, shade(hero::grass, 0.95));
    }
    castle(c, 58, 77, 9, 24, hero::stone, hero::stoneDark, hero::blue, hero::red);
    tree(c, 8, 44, 4, town::leaves, town::leavesDark, town::trunk);
    tree(c, 46, 36, 3, town::leaves, town::leavesDark, town::trunk);
    slope_road(c, hero::grass, hero::grassDark, {178, 142, 98}, 113);
    c.rect(30, 49, 33, 50, hero::stoneDark);  // a milestone below the road
    c.pixel(30, 49, hero::stone);
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
    c.rect(60, 20, 74, 44, shade(hero::red, 0.6));  // the cloth of estate behind the throne
    c.rect(58, 4, 76, 8, hero::red);
    c.polygon({58, 8, 76, 8, 74, 12, 60, 12}, hero::red);
    c.hline(58, 76, 8, hero::gold);
    c.vline(58, 4, 43, hero::gold);  // the poles that carry the canopy
    c.vline(76, 4, 43, hero::gold);
    for (int side : {59, 74}) {  // drapes gathered to the poles
        c.polygon({side, 9, side + 2, 9, side + 1 + (side < 66 ? 2 : -2), 30, side, 43}, shade(hero::red, 0.8));
        c.pixel(side, 30, hero::gold);
    }
    c.rect(62, 22, 72, 43, hero::gold);
    c.rect(63, 24, 71, 41, hero::red);
    c.triangle(62, 22, 72, 22, 67, 16, hero::gold);
    banner(c, 54, 14, 4, 18, hero::blue, hero::gold);
    banner(c, 76, 14, 3, 18, hero::blue, hero::gold);
    c.rect(0, 50, 79, 55, hero::carpet);
    c.hline(0, 79, 50, hero::carpetEdge);
    c.hline(0, 79, 55, hero::carpetEdge);
}

// A crowd as heads and shoulders: each a coat, a face and hair or a hat, some
// with an arm raised, the back row smaller and in shade.
void crowd(Canvas& c, int y, int x0, int x1, uint32_t seed, double light = 1.0)
{
    Dice d(seed);
    static const Rgb clothes[] = {{170, 60, 60}, {60, 86, 150}, {190, 160, 70}, {86, 124, 76}, {140, 96, 140}, {116, 86, 66}};
    static const Rgb hair[] = {{60, 40, 30}, {30, 24, 20}, {150, 110, 60}, {120, 120, 120}};
    const Rgb skin{226, 184, 146};
    for (int x = x0 + d.range(0, 2); x <= x1 - 3; x += d.range(4, 5)) {
        int top = y - d.range(5, 6);
        Rgb coat = shade(clothes[d.range(0, 5)], light);
        c.rect(x, top + 3, x + 3, y, coat);  // shoulders
        c.pixel(x, top + 3, shade(coat, 0.8));
        c.pixel(x + 3, top + 3, shade(coat, 0.8));
        c.vline(x + 3, top + 4, y, shade(coat, 0.8));
        c.rect(x + 1, top + 1, x + 2, top + 2, shade(skin, light));  // face
        Rgb h = d.unit() < 0.25 ? shade(hero::blue, 0.7) : hair[d.range(0, 3)];
        c.hline(x + 1, x + 2, top, shade(h, light));
        c.pixel(x + (d.unit() < 0.5 ? 1 : 2), top + 1, shade(h, light));
        if (d.unit() < 0.25) {  // an arm raised, waving
            c.vline(x + 4, top - 1, top + 3, coat);
            c.pixel(x + 4, top - 2, shade(skin, light));
        }
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
    c.rect(0, 39, 79, GROUND_TOP - 1, shade(hero::stone, 0.82));  // the far side of the square
    c.hline(0, 79, 39, hero::stoneDark);
    crowd(c, 43, 0, 42, 152, 0.75);
    crowd(c, 43, 52, 79, 153, 0.75);
    crowd(c, 46, 2, 40, 154);
    crowd(c, 46, 54, 79, 155);
    c.rect(0, GROUND_TOP, 79, 59, hero::stoneJoint);
    street(c, {hero::stone, hero::stoneJoint, hero::stoneDark, hero::stoneJoint}, 156);
}

void scene_square(Canvas& c)  // p6s6: the volunteers stand up the steps
{
    // the town square under the castle: a ring of fronts all round it, bunting
    // strung across, a fountain, and the steps of the hall where the volunteers
    // stand
    sky(c, mix(hero::skyTop, hero::duskTop, 0.2), mix(hero::skyLow, hero::duskLow, 0.25), 30);
    // the castle's gate tower on the left, the hall in the middle, houses on the right
    stone_wall(c, 0, 8, 17, GROUND_TOP - 1, hero::stone, hero::stoneJoint, 161);
    battlements(c, 0, 17, 8, hero::stone);
    c.rect(5, 30, 12, GROUND_TOP - 1, shade(hero::stoneDark, 0.5));  // the gate
    c.ellipse(8, 30, 4, 3, shade(hero::stoneDark, 0.5));
    banner(c, 6, 12, 5, 10, hero::red, hero::gold);
    const Rgb hall = mix(hero::stone, town::cream, 0.5), hallDark = shade(hall, 0.8);
    c.rect(18, 14, 56, GROUND_TOP - 1, hall);
    c.polygon({16, 14, 58, 14, 50, 7, 24, 7}, town::tile);
    c.hline(16, 58, 14, shade(town::tile, 0.7));
    c.rect(35, 2, 39, 7, hall);  // the bell turret
    c.triangle(34, 2, 40, 2, 37, -2, town::tile);
    c.pixel(37, 4, hero::gold);
    for (int x = 21; x < 56; x += 7) {  // the arcade below, windows above
        c.rect(x, 31, x + 4, GROUND_TOP - 1, hallDark);
        c.ellipse(x + 2, 31, 2, 2, hallDark);
        c.rect(x + 1, 32, x + 3, GROUND_TOP - 1, shade(hallDark, 0.6));
        window(c, x + 1, 19, 3, 5, hero::stoneDark, town::glass);
    }
    c.rect(31, 25, 43, 26, hero::stoneDark);  // the balcony, a banner hung from it
    banner(c, 34, 27, 6, 4, hero::blue, hero::gold);
    house(c, {57, 12, 22, town::rose, town::tile, town::trim});
    window(c, 60, 26, 4, 5, town::trim, town::glass);
    house(c, {69, 12, 19, town::cream, town::slate, town::trim});
    window(c, 72, 24, 4, 5, town::trim, town::glass);
    window(c, 72, 33, 4, 5, town::trim, town::glass);
    // bunting from the tower to the houses
    const Rgb flags[] = {hero::red, hero::gold, hero::blue, {240, 240, 230}};
    for (int x = 0; x < 80; ++x) {
        int y = 16 + int(std::lround(3.0 * std::sin(PI_SQUARE * x / 40.0)));
        c.pixel(x, y, {90, 70, 50});
        if (x % 3 == 1) {
            c.pixel(x, y + 1, flags[(x / 3) % 4]);
            c.pixel(x, y + 2, flags[(x / 3) % 4]);
        }
    }
    street(c, {hero::stone, hero::stoneJoint, hero::stoneDark, hero::stoneJoint}, 162);
    // the fountain
    c.ellipse(18, 47, 7, 2, hero::stoneDark);
    c.ellipse(18, 46, 6, 1, town::water);
    c.rect(17, 39, 19, 45, hero::stone);
    c.rect(15, 39, 21, 39, hero::stone);
    c.pixel(18, 37, town::waterLight);
    c.pixel(16, 38, town::waterLight);
    c.pixel(20, 38, town::waterLight);
    // the hall's steps, each a row higher towards the right
    for (int k = 0; k < 3; ++k) {
        int x0 = 34 + 10 * k, y = 47 - k;
        c.rect(x0, y, 79, y + 1, hero::stone);
        c.hline(x0, 79, y, shade(hero::stone, 1.12));
        c.hline(x0, 79, y + 2 - (k == 0), hero::stoneDark);
    }
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
    bare_tree(c, 44, 37, 9, {40, 30, 34});
    slope_road(c, hero::duskHill, hero::duskHillDark, {122, 94, 84}, 171);
    c.rect(62, 46, 64, 48, hero::duskHillDark);  // a stone below the road
}

void scene_old_man(Canvas& c)  // p6s8: his hut with a lit window, a bench, a lantern
{
    sky(c, shade(hero::duskTop, 0.8), shade(hero::duskLow, 0.75));
    stars(c, 12, {220, 200, 220}, 6, 182);
    c.ridge(32, {3.0, 30.0, 0.2, 1.0, 9.0, 0.5}, shade(hero::duskHillDark, 0.9), GROUND_TOP);
    bare_tree(c, 10, 46, 12, {40, 30, 34});
    const Rgb logs{76, 52, 42}, logsDark{52, 36, 32}, thatch{110, 84, 58}, lit{255, 196, 110};
    // the hut behind where he stands, its window lit
    c.glow(70, 38, 12, {240, 150, 80}, 0.3);
    c.rect(57, 32, 77, 46, logs);
    for (int y = 34; y < 46; y += 3)
        c.hline(57, 77, y, logsDark);
    c.vline(77, 32, 46, logsDark);
    c.polygon({54, 33, 80, 33, 72, 24, 62, 24}, thatch);
    c.hline(54, 80, 33, shade(thatch, 0.7));
    for (int x = 58; x < 78; x += 3)
        c.line(x, 26, x - 1, 32, shade(thatch, 0.85));
    c.rect(75, 20, 76, 25, logsDark);  // the chimney, a thread of smoke
    c.glow(74, 16, 4, {120, 100, 110}, 0.4);
    window(c, 62, 36, 5, 4, logsDark, {40, 30, 30}, true, lit);
    door(c, 70, 35, 5, 11, logsDark, shade(logsDark, 0.7));
    // the bench by the wall, and a lantern on a post beside the path
    c.hline(50, 56, 43, logs);
    c.vline(51, 44, 46, logsDark);
    c.vline(55, 44, 46, logsDark);
    c.vline(47, 34, 46, logsDark);
    c.hline(46, 48, 34, logsDark);
    c.glow(48, 37, 6, lit, 0.45);
    c.rect(47, 35, 49, 37, lit);
    c.hline(47, 49, 35, logsDark);
    dusk_ground(c, shade(hero::duskHill, 0.8), hero::duskHillDark, 181);
    // the worn path to his door, catching the window light
    Rgb path = mix(shade(hero::duskHill, 1.0), lit, 0.12);
    c.rect(0, 50, 79, 55, path);  // one flat, lighter track along the walk
    c.hline(0, 79, 49, mix(path, hero::duskHillDark, 0.4));
    c.hline(0, 79, 56, mix(path, hero::duskHillDark, 0.5));
    c.polygon({60, 50, 70, 50, 72, 47, 66, 47}, path);  // and the turn to his door
    // rocks in front
    const Rgb rockLit{96, 80, 84}, rock{64, 52, 58}, rockDark{40, 32, 38};
    c.ellipse(4, 59, 7, 4, rock);
    c.ellipse(3, 57, 4, 2, rockLit);
    c.ellipse(76, 59, 6, 3, rockDark);
    c.ellipse(75, 58, 3, 1, rock);
    c.ellipse(42, 59, 3, 1, rock);
    c.pixel(41, 58, rockLit);
}

// A stony road at night: a worn track on the walking rows, stones either side.
void night_road(Canvas& c, Rgb ground, Rgb track, uint32_t seed)
{
    c.rect(0, GROUND_TOP, 79, 59, ground);
    c.hline(0, 79, GROUND_TOP, mix(ground, hero::duskLow, 0.2));
    c.rect(0, 49, 79, 55, track);
    c.hline(0, 79, 49, mix(track, hero::duskLow, 0.15));
    c.hline(0, 79, 56, shade(ground, 0.8));
    Dice d(seed);
    for (int i = 0; i < 26; ++i) {  // stones, lit on top
        int x = d.range(0, 78), y = d.unit() < 0.4 ? d.range(47, 48) : d.range(56, 58);
        int w = d.range(1, 3);
        c.hline(x, x + w, y, shade(ground, 0.7));
        c.hline(x, x + w - 1, y - 1, mix(ground, hero::duskLow, 0.14));
    }
    c.speckle(0, 50, 79, 55, shade(track, 0.85), 0.08, seed + 1);
}

// A range of crags against the sky: for every column its top from a sum of
// waves, filled down to `bottom`, with the rim lit by what is left of the light
// on the side that faces it and a few fissures down the faces.
void crags(Canvas& c, int base, std::initializer_list<double> waves, Rgb rock, Rgb rim, int bottom, uint32_t seed)
{
    std::vector<double> w(waves);
    std::vector<int> top(80);
    for (int x = 0; x < 80; ++x) {
        double t = base;
        for (size_t i = 0; i + 2 < w.size(); i += 3)
            t += w[i] * std::sin((x / w[i + 1] + w[i + 2]) * 6.283185307179586);
        top[size_t(x)] = int(std::lround(t));
    }
    Dice d(seed);
    for (int x = 0; x < 80; ++x) {
        int y = top[size_t(x)];
        c.vline(x, y, bottom, rock);
        // a face that turns to the west (the ground rising to the right) catches the light
        bool lit = x + 1 < 80 && top[size_t(x + 1)] < y;
        c.pixel(x, y, rim);
        if (lit)
            c.vline(x, y, std::min(bottom, y + 2), mix(rock, rim, 0.55));
        if (d.unit() < 0.12)
            c.vline(x, y + 3, std::min(bottom, y + 3 + d.range(2, 6)), shade(rock, 0.75));
    }
}

// A skull and a few bones by the road: what the dragon left.
void bones(Canvas& c, int x, int y, Rgb bone)
{
    const Rgb shadow = shade(bone, 0.55);
    c.hline(x, x + 2, y - 1, bone);
    c.hline(x, x + 2, y, bone);
    c.pixel(x, y, shadow);  // the eye
    c.pixel(x + 1, y + 1, bone);
    c.line(x + 4, y + 1, x + 8, y, bone);
    c.pixel(x + 4, y, bone);
    c.pixel(x + 8, y + 1, bone);
    c.hline(x + 5, x + 8, y + 2, shadow);
}

void scene_darker(Canvas& c, int step)  // p6s9, p6s10
{
    if (step == 0) {
        // even darker: a road over the shoulder of the range, the last red light
        // low in the west, the peaks ahead lit along their rims
        sky(c, hero::nightTop, mix(hero::nightLow, hero::duskLow, 0.35), GROUND_TOP);
        stars(c, 18, {200, 190, 210}, 12, 190);
        c.circle(62, 8, 2, {220, 212, 200});  // a thin old moon
        c.circle(63, 7, 2, c.get(66, 4));
        const Rgb rim = mix(hero::duskLow, {255, 220, 170}, 0.2);
        crags(c, 28, {5.0, 41.0, 0.1, 2.5, 13.0, 0.7, 0.6, 6.0, 0.3}, {58, 40, 54}, mix({58, 40, 54}, rim, 0.5),
              GROUND_TOP, 191);
        crags(c, 36, {3.5, 29.0, 0.55, 1.5, 7.0, 0.2}, {40, 28, 36}, mix({40, 28, 36}, rim, 0.45), GROUND_TOP, 192);
        // a ruined watchtower on the near shoulder, a cairn by the road
        const Rgb stone{62, 46, 54}, stoneDark{40, 30, 36};
        c.rect(60, 24, 67, 40, stone);
        c.vline(67, 24, 40, stoneDark);
        c.polygon({60, 24, 62, 21, 64, 23, 66, 20, 67, 24}, stone);
        c.rect(63, 29, 64, 32, {16, 10, 14});  // its empty window
        c.vline(60, 24, 40, mix(stone, rim, 0.4));
        c.ellipse(63, 42, 9, 3, {40, 28, 36});
        bare_tree(c, 14, 46, 10, {22, 16, 22});
        c.line(14, 36, 19, 33, {22, 16, 22});
        night_road(c, {46, 38, 42}, {64, 54, 56}, 192);
        for (int k = 0; k < 3; ++k)  // the cairn
            c.ellipse(36 - k, 45 - 2 * k, 3 - k, 1, k % 2 ? stoneDark : stone);
        c.pixel(35, 41, mix(stone, rim, 0.5));
    } else {
        // again darker: the road enters a pass between black cliffs; far ahead,
        // where it leads, a red glow and smoke under the cloud
        for (int k = 0; k < 4; ++k)  // the sky in four flat bands, darkest on top
            c.rect(0, k * 12, 79, k == 3 ? GROUND_TOP : k * 12 + 11, mix({34, 22, 40}, {96, 40, 40}, k / 3.0));
        stars(c, 14, {190, 170, 190}, 9, 196);
        c.glow(46, 40, 22, hero::ember, 0.5);
        c.glow(46, 44, 10, {250, 150, 80}, 0.5);
        smoke(c, 48, 28, 5, {60, 36, 40}, 197);
        crags(c, 41, {1.5, 17.0, 0.3, 0.8, 5.0, 0.1}, {34, 18, 24}, mix({34, 18, 24}, hero::ember, 0.6), GROUND_TOP,
              198);
        // the cliffs either side, their inner faces lit red by the glow
        const Rgb cliff{14, 10, 14}, face = mix({14, 10, 14}, hero::ember, 0.45);
        c.polygon({0, 0, 22, 0, 24, 10, 20, 18, 27, 30, 24, 40, 30, GROUND_TOP, 0, GROUND_TOP}, cliff);
        c.polygon({79, 0, 64, 0, 60, 8, 66, 16, 58, 26, 62, 36, 55, GROUND_TOP, 79, GROUND_TOP}, cliff);
        c.line(22, 0, 24, 10, face);
        c.line(24, 10, 20, 18, face);
        c.line(20, 18, 27, 30, face);
        c.line(27, 30, 24, 40, face);
        c.line(24, 40, 30, GROUND_TOP, face);
        c.line(64, 0, 60, 8, face);
        c.line(60, 8, 66, 16, face);
        c.line(66, 16, 58, 26, face);
        c.line(58, 26, 62, 36, face);
        c.line(62, 36, 55, GROUND_TOP, face);
        Dice d(199);
        for (int i = 0; i < 14; ++i) {  // ledges on the cliffs
            int x = d.unit() < 0.5 ? d.range(2, 16) : d.range(66, 77), y = d.range(4, 44);
            c.hline(x, x + d.range(1, 3), y, shade(face, 0.8));
        }
        bare_tree(c, 70, 46, 8, {12, 8, 12});
        night_road(c, {36, 28, 32}, {52, 40, 44}, 193);
        c.glow(46, 50, 14, hero::ember, 0.18);  // the road catches the glow ahead
        bones(c, 8, 57, {150, 140, 130});
        bones(c, 62, 47, {120, 108, 104});
        c.reduce_colours(72);
    }
}

// The field after the battle, painted like the fallen soldiers' sprite: each man
// on his side with his helmet, an outflung arm, his round shield by him and a
// broken spear. They lie behind the walk (rows 47-49) and in front of it
// (rows 55-59), so the floor the player walks stays clear.
void battlefield(Canvas& c, uint32_t seed, int clearX0, int clearX1)
{
    const Rgb helmet{96, 100, 110}, helmetLit{150, 154, 166}, skin{190, 156, 138}, boots{40, 30, 28},
              wood{96, 76, 60}, iron{150, 150, 156};
    const Rgb tunics[] = {{112, 40, 46}, {52, 62, 104}, {96, 88, 70}};
    const Rgb shields[] = {{150, 44, 50}, {60, 76, 136}, {120, 96, 60}};
    Dice d(seed);
    for (int row : {48, 57})
        for (int x = d.range(0, 5); x < 70; x += d.range(13, 17)) {
            if (x + 14 > clearX0 && x < clearX1 && row < 52)
                continue;
            int y = row + d.range(-1, 1);
            // on his side, head to one end: helmet, face, tunic, belt, legs,
            // boots; one arm flung out above him
            static const char* const shape[] = {
                "............s..",
                ".HH.........a..",
                "HHHsTTTTTTtaPPB",
                "hhssTTTlTTTPPPB",
            };
            const Rgb tunic = tunics[d.range(0, 2)];
            bool flip = d.unit() < 0.5;
            for (int r = 0; r < 4; ++r)
                for (int k = 0; k < 15; ++k) {
                    char ch = shape[r][flip ? 14 - k : k];
                    Rgb col = ch == 'H' ? helmetLit : ch == 'h' ? helmet : ch == 's' ? skin
                            : ch == 'T' ? tunic : ch == 't' ? shade(tunic, 0.7) : ch == 'a' ? shade(tunic, 0.85)
                            : ch == 'l' ? Rgb{60, 44, 30} : ch == 'P' ? Rgb{70, 64, 62} : ch == 'B' ? boots
                            : Rgb{-1, 0, 0};
                    if (col.r >= 0)
                        c.pixel(x + k, y - 3 + r, col);
                }
            c.hline(x + 3, x + 11, y + 1, shade(c.get(x + 7, y + 2), 0.7));  // his shadow on the ground
            // his round shield by him: a rim, the face, the boss
            if (d.unit() < 0.7) {
                Rgb sc = shields[d.range(0, 2)];
                int sx = flip ? x - 3 : x + 17, sy = y - 1;
                c.ellipse(sx, sy, 2, 2, shade(sc, 0.6));
                c.ellipse(sx, sy, 1, 1, sc);
                c.pixel(sx, sy, iron);
                c.pixel(sx - 1, sy - 2, mix(sc, {255, 255, 255}, 0.3));
            }
            // a broken spear, fallen at its own angle
            int sx = x + d.range(3, 10), len = d.range(5, 8);
            double a = (d.unit() - 0.5) * 2.4;
            int ex = sx + int(std::lround(std::sin(a) * len)), ey = y - 3 - int(std::lround(std::abs(std::cos(a)) * len * 0.5));
            c.line(sx, y - 3, ex, ey, wood);
            c.pixel(ex, ey, iron);
        }
}

void scene_fallen(Canvas& c, bool caveMouth)  // p6s11, p6s12
{
    sky(c, hero::nightTop, hero::nightLow);
    stars(c, 18, {180, 170, 190}, 12, caveMouth ? 201 : 202);
    // the ridge, and the last red light of burning along its rim
    for (int x = 0; x < 80; ++x) {
        int top = int(31 + 5 * std::sin(x / 17.0 + 0.4) + 1.6 * std::sin(x / 5.3) + (x % 7 == 3));
        c.vline(x, top, 46, hero::rockDark);
        c.pixel(x, top, mix(hero::rockDark, hero::ember, 0.6));
        c.pixel(x, top - 1, mix(c.get(x, top - 1), hero::ember, 0.3));
    }
    c.glow(22, 36, 16, hero::ember, 0.22);
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
    dusk_ground(c, {68, 56, 60}, hero::rockDark, caveMouth ? 203 : 204);
    if (!caveMouth) {
        // a torn banner on a leaning pole
        const Rgb pole{62, 50, 42}, cloth = shade(hero::red, 0.45);
        c.line(30, 47, 34, 22, pole);
        c.polygon({34, 23, 44, 25, 43, 29, 41, 28, 40, 32, 37, 29, 35, 33, 33, 30}, cloth);
        c.line(34, 23, 44, 25, shade(cloth, 1.5));
        c.pixel(38, 27, shade(hero::gold, 0.55));
        c.pixel(39, 27, shade(hero::gold, 0.55));
    }
    battlefield(c, caveMouth ? 205 : 206, caveMouth ? 44 : 52, caveMouth ? 60 : 70);
}

}  // namespace paintings
