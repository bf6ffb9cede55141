// The hero's road: the mountain road and the castle, the crowds and volunteers, the
// darkening hills, the old man and the fallen at the cave (p6s1 to p6s12).
#include "art/scenes/paintings.h"

#include "art/kit.h"
#include "art/palettes.h"

namespace paintings {

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

}  // namespace paintings
