// The hero's road: the mountain road and the castle, the crowds and volunteers, the
// darkening hills, the old man and the fallen at the cave (p6s1 to p6s12).
#include "art/scenes/paintings.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "art/kit.h"
#include "art/palettes.h"

namespace paintings {

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
    door(c, 70, 37, 5, 9, logsDark, shade(logsDark, 0.7));
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
    c.polygon({20, 59, 34, 59, 64, 47, 72, 47, 72, 46, 60, 46}, path);
    c.speckle(20, 47, 72, 59, shade(path, 0.85), 0.1, 183);
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

void scene_darker(Canvas& c, int step)  // p6s9, p6s10
{
    double f = step == 0 ? 0.55 : 0.35;
    sky(c, shade(hero::nightTop, 1.0), mix(hero::nightLow, hero::duskLow, f * 0.6));
    stars(c, 20, {200, 190, 210}, step == 0 ? 10 : 20, 190 + step);
    // the range ahead, its western faces catching the last light
    Rgb lit = mix(hero::rockDark, hero::duskLow, step == 0 ? 0.16 : 0.09);
    mountain(c, {0, 34, 14, 22, 26, 30, 40, 18, 54, 30, 79, 26}, 40, -9, lit, hero::rockDark, 191 + step);
    mountain(c, {0, 60, 8, 30, 22, 40, 30, 60}, 8, -9, mix(lit, hero::rock, 0.4), hero::rock, 193 + step);
    if (step == 1)
        c.glow(72, 38, 16, hero::ember, 0.4);  // a red glow far ahead
    c.polygon({54, 46, 62, 34, 66, 36, 72, 46}, hero::rock);  // a crag by the road
    c.line(54, 46, 62, 34, lit);
    bare_tree(c, 32, 46, 9, {20, 16, 20});
    night_road(c, {46, 38, 42}, {64, 54, 56}, 192 + step);
}

// The field after the battle: slumped bodies, helmets and shields as dark shapes,
// broken spears at every angle. Figures lie behind the walk (rows 47-49) and in
// front of it (rows 55-59), so the floor the player walks stays clear.
void battlefield(Canvas& c, uint32_t seed, int clearX0, int clearX1)
{
    const Rgb body{24, 18, 22}, bodyLit = mix(body, hero::ember, 0.5), sleeve{62, 50, 52}, helmet{78, 76, 76},
              wood{88, 70, 56};
    const Rgb shields[] = {shade(hero::red, 0.35), shade(hero::blue, 0.4), {70, 60, 46}};
    Dice d(seed);
    for (int row : {48, 57})
        for (int x = d.range(0, 5); x < 76; x += d.range(11, 16)) {
            if (x + 10 > clearX0 && x < clearX1 && row < 52)
                continue;
            int y = row + d.range(-1, 1);
            // a slumped body, its back and shoulders caught by the red light
            static const char* const shape[] = {
                ".....LL......",
                "...LLBBLL.hh.",
                ".BBBBBBBBBHHa",
                "BBBBBBBBBBBaa",
            };
            bool left = d.unit() < 0.5;  // which way he fell
            for (int r = 0; r < 4; ++r)
                for (int k = 0; k < 13; ++k) {
                    char ch = shape[r][left ? 12 - k : k];
                    Rgb col = ch == 'B' ? body : ch == 'L' ? bodyLit : ch == 'H' ? helmet
                            : ch == 'h' ? mix(helmet, hero::ember, 0.4) : ch == 'a' ? sleeve : Rgb{-1, 0, 0};
                    if (col.r >= 0)
                        c.pixel(x + k, y - 3 + r, col);
                }
            // his shield beside him
            if (d.unit() < 0.6) {
                Rgb s = shields[d.range(0, 2)];
                int sx = left ? x + 7 : x - 1;
                c.ellipse(sx, y + 1, 2, 1, s);
                c.hline(sx - 1, sx + 1, y, mix(s, {220, 130, 90}, 0.5));
            }
            // a broken spear, fallen or standing at its own angle
            int sx = x + d.range(1, 8), len = d.range(4, 8);
            double a = (d.unit() - 0.5) * 2.8;
            int ex = sx + int(std::lround(std::sin(a) * len)), ey = y - 1 - int(std::lround(std::abs(std::cos(a)) * len));
            c.line(sx, y - 1, ex, ey, wood);
            if (d.unit() < 0.4)
                c.pixel(ex, ey, {130, 126, 120});  // what is left of the head
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
