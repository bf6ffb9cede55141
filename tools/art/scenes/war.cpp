// The war: barracks, the sergeant, the truck, the trench and no man's land (p3s1 to p3s6).
#include "art/scenes/paintings.h"

#include <vector>

#include <cmath>

#include <algorithm>

#include "art/kit.h"
#include "art/palettes.h"

namespace paintings {

constexpr double PI_WAR = 3.14159265358979323846;  // for the sag of the wire

void war_sky(Canvas& c, double dark, uint32_t seed)
{
    sky(c, shade(war::skyTop, dark), shade(war::skyLow, dark));
    cloud(c, 4 + int(seed % 9), 8, 20, shade(war::smoke, dark), shade(war::skyTop, dark));
    cloud(c, 44, 5, 24, shade(war::smoke, dark), shade(war::skyTop, dark));
}

void mud_ground(Canvas& c, double dark, uint32_t seed)
{
    const Rgb mud = shade(war::mud, dark), rut = shade(war::mudDark, dark), lit = shade(war::mudLight, dark);
    c.rect(0, GROUND_TOP, 79, 59, mud);
    c.hline(0, 79, GROUND_TOP, rut);
    // two wheel ruts along the walk, churned wider towards the front, each
    // with the light catching its far edge
    for (int x = 0; x < 80; ++x) {
        int wobble = int(std::lround(std::sin(x / 9.0 + seed) * 0.7));
        c.pixel(x, 50 + wobble, lit);
        c.vline(x, 51 + wobble, 52 + wobble, rut);
        c.pixel(x, 55 + wobble, lit);
        c.vline(x, 56 + wobble, 57 + wobble, rut);
    }
    // clods thrown up between them: a lit top over a dark foot
    Dice d(seed);
    for (int i = 0; i < 22; ++i) {
        int x = d.range(0, 77), y = d.unit() < 0.5 ? d.range(47, 49) : d.range(53, 54) + 5 * (d.unit() < 0.4);
        int w = d.range(1, 3);
        c.hline(x, x + w, y + 1, rut);
        c.hline(x, x + w - 1, y, lit);
    }
}

// A Nissen hut: curved tin roof over a plank end wall, seen end-on.
void nissen_hut(Canvas& c, int x, int w, int top, Rgb wall, Rgb roof, bool sandbagged)
{
    int x1 = x + w - 1, base = GROUND_TOP - 1;
    c.ellipse(x + w / 2, top + 4, w / 2 + 1, 6, roof);
    c.rect(x - 1, top + 4, x1 + 1, base, roof);
    for (int xx = x + 1; xx < x1; xx += 2)  // corrugations
        c.vline(xx, top, base, shade(roof, 0.88));
    c.hline(x - 1, x1 + 1, top + 6, shade(roof, 0.7));
    c.rect(x + 2, top + 7, x1 - 2, base, wall);
    c.vline(x1 - 2, top + 7, base, shade(wall, 0.8));
    // a door a man walks through upright (smaller on a far hut)
    int doorRows = std::min(13, base - top - 8);
    door(c, x + w / 2 - 2, base - doorRows + 1, 5, doorRows, war::khakiDark, shade(wall, 0.7));
    window(c, x + 4, top + 10, 3, 3, shade(wall, 0.7), {60, 64, 66});
    window(c, x1 - 6, top + 10, 3, 3, shade(wall, 0.7), {60, 64, 66});
    if (sandbagged)
        sandbags(c, x - 2, x + 5, base - 3, base, war::bag, war::bagSeam);
}

void bell_tent(Canvas& c, int x, int w, Rgb cloth)
{
    int base = GROUND_TOP - 1;
    c.triangle(x, base, x + w, base, x + w / 2, base - w * 2 / 3, cloth);
    c.triangle(x + w / 2, base, x + w, base, x + w / 2, base - w * 2 / 3, shade(cloth, 0.8));
    c.triangle(x + w / 2 - 1, base, x + w / 2 + 2, base, x + w / 2, base - 3, {40, 36, 30});  // its flap
    c.vline(x + w / 2, base - w * 2 / 3 - 2, base - w * 2 / 3, war::wire);
}

void scene_barracks(Canvas& c)  // p3s1
{
    war_sky(c, 1.0, 3);
    hills(c, 36, mix(war::khakiDark, war::skyLow, 0.5), 71, 2);
    // a far hut across the camp, small and pale in the haze
    nissen_hut(c, 50, 14, 33, mix(war::hut, war::skyLow, 0.35), mix(war::hutRoof, war::skyLow, 0.35), false);
    // bell tents as tall as a man, in a row down the camp
    bell_tent(c, 35, 17, {196, 186, 150});
    bell_tent(c, 59, 18, {180, 172, 140});
    nissen_hut(c, 1, 28, 22, war::hut, war::hutRoof, true);  // the near hut
    c.vline(32, 6, 46, war::wire);  // the flagpole
    c.rect(33, 6, 38, 9, war::khaki);
    c.hline(33, 38, 9, war::khakiDark);
    for (int i = 0; i < 3; ++i)  // stacked supplies
        c.rect(52 + i * 2, 42 + (i == 1) * 2, 53 + i * 2, 46, i == 1 ? war::khakiDark : war::plank);
    c.rect(78, 38, 78, 46, war::plank);  // a post with a notice
    c.rect(76, 35, 79, 38, {200, 196, 170});
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
    table(c, 50, 20, 44, war::plank, shade(war::plank, 0.7));
    c.rect(52, 43, 56, 43, {236, 230, 210});
    c.rect(63, 40, 64, 43, war::khakiDark);
    c.rect(61, 39, 66, 40, {60, 80, 60});
    c.glow(64, 42, 10, {255, 230, 160}, 0.4);
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
    // stores waiting to be loaded, and the men who will ride with them
    // queueing in the mud, kit bags on their shoulders
    for (int i = 0; i < 4; ++i) {
        int x = 2 + i * 6 + (i > 1) * 3, y = i == 1 ? 36 : 40;
        c.rect(x, y, x + 5, GROUND_TOP - 1, war::plank);
        c.hline(x, x + 5, y, shade(war::plank, 1.25));
        c.vline(x + 5, y, GROUND_TOP - 1, shade(war::plank, 0.7));
        c.hline(x + 1, x + 4, y + 3, shade(war::plank, 0.7));
    }
    c.rect(8, 31, 12, 35, war::khakiDark);  // a bundle of tents on the stack
    c.hline(8, 12, 31, war::khaki);
    for (int i = 0; i < 4; ++i) {  // the queue, facing the tailgate, the far end smaller
        int x = 27 + i * 5, h = 11 + i, foot = GROUND_TOP - 1 + (i == 3);
        const Rgb coat = i % 2 ? war::khaki : shade(war::khaki, 0.9), dark = war::khakiDark,
                  skin{200, 160, 124}, tin = war::hutRoof;
        int top = foot - h + 1;
        c.hline(x, x + 3, top, tin);                   // the helmet's brim
        c.hline(x + 1, x + 2, top - 1, tin);
        c.rect(x + 1, top + 1, x + 3, top + 2, skin);  // the face, turned right
        c.pixel(x + 1, top + 1, shade(tin, 0.8));
        c.rect(x, top + 3, x + 3, foot - 4, coat);     // the greatcoat
        c.vline(x + 3, top + 4, foot - 4, dark);       // the arm
        c.hline(x, x + 3, foot - 5, dark);             // the belt
        c.vline(x + 1, foot - 3, foot, dark);          // puttees and boots
        c.vline(x + 3, foot - 3, foot, dark);
        c.rect(x - 1, top + 3, x - 1, top + 6, war::bag);  // the pack on his back
        c.pixel(x + 4, top + 5, war::wire);            // the rifle's muzzle over his shoulder
        c.vline(x + 4, top + 5, top + 8, shade(war::plank, 0.7));
    }
    for (int x : {55, 73}) {
        c.circle(x, 47, 3, {30, 28, 26});
        c.circle(x, 47, 1, {90, 86, 80});
    }
}

void scene_trench(Canvas& c)  // p3s4: the trench in section
{
    war_sky(c, 0.9, 29);
    // wire on pickets against the sky, above the parapet
    for (int x = 3; x < 80; x += 11) {
        c.vline(x, 5, 13, war::wire);
        c.pixel(x - 1, 5, war::wire);
    }
    barbed_wire(c, 0, 79, 8, shade(war::wire, 1.2));
    // the sandbag parapet, its top uneven
    for (int x = 0; x < 80; x += 5) {
        int top = 12 + ((x * 7) % 3);
        sandbags(c, x, x + 4, top, 20, war::bag, war::bagSeam);
        c.hline(x + 1, x + 3, top, shade(war::bag, 1.15));
    }
    c.hline(0, 79, 21, shade(war::mudDark, 0.8));
    // the plank revetment of the far wall, held by posts
    for (int y = 22; y < GROUND_TOP; ++y)
        c.hline(0, 79, y, (y - 22) % 3 == 2 ? shade(war::plank, 0.62) : (y - 22) % 3 == 0 ? shade(war::plank, 1.08) : war::plank);
    Dice d(31);
    for (int i = 0; i < 30; ++i) {  // plank ends and knots
        int x = d.range(0, 79), y = 22 + 3 * d.range(0, 7);
        c.vline(x, y, y + 1, shade(war::plank, 0.7));
    }
    for (int x = 6; x < 80; x += 17) {
        c.rect(x, 18, x + 1, GROUND_TOP, shade(war::plank, 0.55));
        c.pixel(x, 18, shade(war::plank, 0.9));
    }
    // the firing step on the left: a ledge of earth faced with boards
    c.rect(0, 40, 30, GROUND_TOP, war::mudDark);
    c.hline(0, 30, 40, war::mudLight);
    c.rect(0, 41, 30, 42, shade(war::plank, 0.9));
    c.vline(30, 40, GROUND_TOP, shade(war::mudDark, 0.7));
    // a framed dugout door, a lamp hung beside it
    c.rect(45, 27, 57, GROUND_TOP, shade(war::plank, 0.5));
    c.rect(47, 29, 55, GROUND_TOP, {22, 18, 16});
    c.rect(45, 27, 57, 28, shade(war::plank, 0.75));
    c.gradient(40, GROUND_TOP, {{22, 18, 16}, {60, 40, 24}}, 47, 55);  // warmth from inside
    c.vline(50, 29, GROUND_TOP, {34, 28, 24});                         // a hanging blanket's edge
    c.glow(61, 31, 8, war::fire, 0.5);
    c.vline(61, 26, 28, war::wire);
    c.rect(60, 29, 62, 31, {255, 206, 120});
    c.hline(60, 62, 29, war::wire);
    // duckboards on the floor, mud beneath and in front
    c.rect(0, GROUND_TOP, 79, 59, war::mudDark);
    c.hline(0, 79, GROUND_TOP, shade(war::mudDark, 0.7));
    c.rect(0, 49, 79, 54, war::plank);
    c.hline(0, 79, 49, shade(war::plank, 1.2));
    for (int x = 1; x < 80; x += 3)
        c.vline(x, 49, 54, shade(war::plank, 0.72));
    c.hline(0, 79, 55, shade(war::plank, 0.5));
    for (int x = 4; x < 80; x += 12)  // the stringers under the slats
        c.rect(x, 55, x + 1, 56, shade(war::plank, 0.45));
    c.speckle(0, 56, 79, 59, war::mud, 0.35, 30);
    c.speckle(0, 47, 79, 48, war::mud, 0.3, 32);
}

// A shell hole seen from low down: the thrown-up lip lit along its top, the far
// inside wall, a pool of grey water at the bottom catching the sky, and the
// near lip dark in front of it.
void shell_hole(Canvas& c, int x, int y, int w, double dark, Rgb sky)
{
    const Rgb lip = shade(war::mudLight, dark), inside = shade(war::mud, dark * 0.75),
              deep = shade(war::mudDark, dark * 0.6), near = shade(war::mudDark, dark * 0.9);
    int r = w / 2;
    c.ellipse(x, y, r + 2, 4, lip);
    for (int dx = -r - 1; dx <= r + 1; ++dx) {  // the lit top of the lip
        double f = double(dx) / (r + 2);
        int top = y - int(std::lround(4 * std::sqrt(std::max(0.0, 1 - f * f))));
        c.pixel(x + dx, top, mix(lip, {255, 255, 255}, 0.18));
    }
    c.ellipse(x, y + 1, r, 3, inside);
    c.ellipse(x, y + 2, r - 2, 1, deep);
    c.ellipse(x, y + 2, r / 2, 0, mix(sky, deep, 0.35));  // the water
    c.pixel(x - r / 4, y + 2, mix(sky, {255, 255, 255}, 0.2));
    for (int dx = -r - 1; dx <= r + 1; ++dx) {  // the near lip, dark, in front
        double f = double(dx) / (r + 2);
        int bottom = y + int(std::lround(4 * std::sqrt(std::max(0.0, 1 - f * f))));
        c.pixel(x + dx, bottom, near);
        c.pixel(x + dx, bottom - 1, mix(near, inside, 0.5));
    }
    Dice d(uint32_t(x * 13 + y));
    for (int i = 0; i < w / 2; ++i)  // clods thrown out round it
        c.pixel(x + d.range(-r - 4, r + 4), y + d.range(-5, -3), d.unit() < 0.5 ? lip : near);
}

// A line of wire on crossed pickets: a few taut strands with barbs, so the
// ground behind shows through it.
void wire_line(Canvas& c, int x0, int x1, int y, Rgb wire, uint32_t seed, bool broken)
{
    Dice d(seed);
    std::vector<int> pickets;
    for (int x = x0; x <= x1; x += 11 + d.range(0, 4))
        pickets.push_back(x);
    for (int x : pickets) {  // each picket two stakes crossed
        c.line(x - 2, y + 3, x + 1, y - 5, wire);
        c.line(x + 2, y + 3, x - 1, y - 5, shade(wire, 1.3));
    }
    for (size_t i = 0; i + 1 < pickets.size(); ++i) {
        if (broken && i == pickets.size() / 2)
            continue;  // a gap cut or blown through it
        for (int strand = 0; strand < 3; ++strand) {
            int ya = y - 4 + strand * 3, yb = ya + d.range(-1, 1);
            int a = pickets[i], b = pickets[i + 1];
            for (int x = a; x <= b; ++x) {
                double t = double(x - a) / (b - a);
                int yy = int(std::lround(ya + (yb - ya) * t + 1.2 * std::sin(PI_WAR * t)));
                c.pixel(x, yy, wire);
                if ((x + strand) % 4 == 0)
                    c.pixel(x, yy - 1, wire);  // a barb
            }
        }
    }
}

void scene_no_mans_land(Canvas& c, bool second)  // p3s5, p3s6
{
    double dark = second ? 0.7 : 0.88;
    const Rgb skyLow = shade(war::skyLow, dark);
    war_sky(c, dark, second ? 41 : 43);
    if (!second) {
        // first light over the wire: a grey dawn, the ground torn up to the far ridge
        c.glow(20, 30, 20, shade(war::fire, dark), 0.3);
        c.ridge(36, {1.5, 20.0, 0.3, 0.8, 7.0, 0.1}, shade(war::mudDark, dark * 0.9), GROUND_TOP);
        for (int x = 6; x < 80; x += 13)  // the stumps of a wood along the ridge
            c.vline(x, 31 + (x % 5), 37, shade(war::wire, dark));
        bare_tree(c, 12, 40, 10, shade(war::wire, dark));
        mud_ground(c, dark, 44);
        wire_line(c, 0, 79, 43, shade(war::wire, dark), 45, false);
        shell_hole(c, 22, 51, 14, dark, skyLow);
        shell_hole(c, 60, 56, 18, dark, skyLow);
        smoke(c, 50, 30, 6, shade(war::smoke, dark), 5);
    } else {
        // deeper in, at dusk: fires along the enemy line, a farmhouse shot to
        // pieces, a star shell hanging over it all, the wire broken through
        c.glow(60, 34, 22, shade(war::fire, dark), 0.45);
        c.ridge(37, {1.0, 15.0, 0.6, 0.6, 5.0, 0.2}, shade(war::mudDark, dark * 0.8), GROUND_TOP);
        for (int x = 46; x < 80; x += 9)  // fires on the far line
            c.glow(x, 37, 3, shade(war::fire, 1.0), 0.6);
        const Rgb brick = shade(war::wall, dark * 0.8), brickDark = shade(war::wallShade, dark * 0.6);
        // the farmhouse's last wall: a broken skyline of brick courses,
        // a window hole, a door gap, the roof beam hanging
        c.polygon({0, 46, 0, 30, 3, 27, 5, 31, 8, 24, 11, 26, 13, 22, 15, 29, 19, 33, 22, 38, 25, 46}, brick);
        auto onWall = [&](int x, int y) {
            Rgb p = c.get(x, y);
            return p.r == brick.r && p.g == brick.g && p.b == brick.b;
        };
        for (int y = 25; y < 46; y += 2)  // courses, stopping at the broken top
            for (int x = 0; x < 25; ++x)
                if (onWall(x, y) && onWall(x, y - 1))
                    c.pixel(x, y, mix(brick, brickDark, 0.5));
        for (int y = 24; y < 46; y += 2)
            for (int x = (y / 2) % 2 * 2; x < 25; x += 4)
                if (onWall(x, y))
                    c.pixel(x, y, mix(brick, brickDark, 0.5));
        c.rect(6, 32, 9, 36, brickDark);    // the window hole
        c.rect(15, 37, 18, 46, brickDark);  // the door gap
        c.line(4, 29, 12, 25, shade(war::plank, dark * 0.7));  // a beam still hanging
        c.line(12, 25, 17, 33, shade(war::plank, dark * 0.6));
        c.ellipse(27, 45, 5, 2, brickDark);  // the rubble of the rest
        c.hline(24, 29, 43, brick);
        c.glow(40, 8, 8, {250, 240, 200}, 0.5);  // the star shell
        c.circle(40, 8, 1, {255, 250, 230});
        c.line(40, 9, 38, 14, shade(war::smoke, 0.9));
        mud_ground(c, dark, 46);
        wire_line(c, 26, 79, 44, shade(war::wire, dark), 47, true);
        shell_hole(c, 46, 52, 20, dark, skyLow);
        shell_hole(c, 12, 57, 12, dark, skyLow);
        smoke(c, 30, 30, 6, shade(war::smoke, dark), 4);
        smoke(c, 70, 34, 5, shade(war::smoke, dark), 8);
        c.speckle(0, 0, 79, 30, shade(war::fire, 0.8), 0.004, 9);
    }
    c.reduce_colours(96);
}

}  // namespace paintings
