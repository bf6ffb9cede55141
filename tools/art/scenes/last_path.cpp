// The last path: faded echoes of every earlier place, the maze of memories, the
// last street and the dark cave (p8s1 to p8s9, blank).
#include "art/scenes/paintings.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "art/kit.h"
#include "art/palettes.h"

namespace paintings {

// Smooths away the remembered room's dither and speckle: a pixel that shares
// its colour with none of its four neighbours takes the average of
// the nine round it. Twice, so a checker of two colours settles into one.
void settle_dither(Canvas& c)
{
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<Rgb> was;
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x)
                was.push_back(c.get(x, y));
        auto at = [&](int x, int y) {
            x = std::clamp(x, 0, c.width() - 1);
            y = std::clamp(y, 0, c.height() - 1);
            return was[size_t(y * c.width() + x)];
        };
        auto same = [](Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; };
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x) {
                Rgb p = at(x, y);
                int alike = same(p, at(x - 1, y)) + same(p, at(x + 1, y)) + same(p, at(x, y - 1)) + same(p, at(x, y + 1));
                if (alike >= 1)
                    continue;
                int r = 0, g = 0, b = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        Rgb q = at(x + dx, y + dy);
                        r += q.r;
                        g += q.g;
                        b += q.b;
                    }
                c.pixel(x, y, {(r + 4) / 9, (g + 4) / 9, (b + 4) / 9});
            }
    }
}

// Every colour paled and drawn about 40 % of the way to the path's tint: a
// flat blend, pixel by pixel, with no pattern laid over it.
void fade_to_dream(Canvas& c, Rgb hue, double fade)
{
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            c.pixel(x, y, mix(desaturate(c.get(x, y), 0.5), hue, fade));
}

// A flight of stairs climbing the back wall of the column that starts at x0,
// from the floor to a landing and a doorway above it, built of the room's own
// tread, riser and rail (outdoors: up a grassy bank to a gateway).
void stair_up(Canvas& c, int x0, const WayMaterials& m)
{
    // every x is measured into the column, from its left edge or, for a
    // flight rising to the left, from its right edge
    auto X = [&](int dx) { return m.leftward ? x0 + 19 - dx : x0 + dx; };
    auto hl = [&](int a, int b, int y, Rgb col) { c.hline(std::min(X(a), X(b)), std::max(X(a), X(b)), y, col); };
    auto box = [&](int a, int y0, int b, int y1, Rgb col) {
        c.rect(std::min(X(a), X(b)), y0, std::max(X(a), X(b)), y1, col);
    };
    const Rgb side = shade(m.riser, 0.85), nose = mix(m.tread, {255, 255, 255}, 0.2);
    if (m.bank.r >= 0) {
        // the bank the steps are cut into, grass on its top, and a lamp where
        // the lane goes on at the top of the flight
        const Rgb grass = mix(m.bank, {120, 170, 90}, 0.6);
        c.polygon({X(-3), GROUND_TOP, X(7), 33, X(22), 32, X(24), GROUND_TOP}, m.bank);
        c.line(X(-3), GROUND_TOP - 1, X(7), 32, grass);
        c.line(X(7), 32, X(22), 31, grass);
        c.line(X(7), 33, X(22), 32, grass);
        for (int y = 37; y < GROUND_TOP; y += 4)  // courses of the bank's stone facing
            hl(13, 21, y, shade(m.bank, 0.85));
        c.vline(X(16), 20, 31, m.rail);
        c.rect(std::min(X(15), X(17)), 18, std::max(X(15), X(17)), 19, {255, 226, 150});
        c.hline(std::min(X(14), X(18)), std::max(X(14), X(18)), 17, m.rail);
        c.glow(X(16), 19, 5, {255, 226, 150}, 0.35);
    } else {
        // the doorway at the top, a figure's height, dark with a glimmer beyond
        box(10, 20, 19, 35, m.rail);
        if (m.arch) {
            c.ellipse(X(14) + (m.leftward ? 0 : 1), 22, 4, 3, m.rail);
            box(11, 22, 18, 35, m.opening);
            c.ellipse(X(14) + (m.leftward ? 0 : 1), 22, 3, 2, m.opening);
        } else {
            box(11, 21, 18, 35, m.opening);
        }
        hl(12, 17, 34, mix(m.opening, m.tread, 0.35));
        c.vline(X(17), 25, 33, mix(m.opening, m.tread, 0.2));
        if (m.warm.r >= 0) {
            // light from a room beyond catches the doorway's edges
            c.vline(X(11), 22, 35, m.warm);
            hl(11, 18, 21, m.warm);
            c.vline(X(18), 22, 35, mix(m.warm, m.opening, 0.45));
            hl(12, 17, 34, mix(m.warm, m.opening, 0.5));
        }
    }
    // six steps of two rows, each a tread lit on its nose and a riser below
    for (int k = 0; k < 6; ++k) {
        int x = 1 + 2 * k, y = 45 - 2 * k;
        box(x, y, 19, GROUND_TOP, side);
        // under a warm doorway the treads take its light, in two tones
        Rgb tread = m.warm.r < 0 ? m.tread : mix(m.tread, m.warm, k % 2 ? 0.55 : 0.3);
        hl(x, x + 2, y, tread);
        c.pixel(X(x), y, nose);
        c.pixel(X(x), y + 1, m.riser);
    }
    box(11, 35, 19, GROUND_TOP, side);
    hl(11, 19, 35, m.tread);
    hl(1, 19, GROUND_TOP, shade(m.riser, 0.7));
    // the handrail on its posts, following the flight
    c.line(X(1), 39, X(11), 29, m.rail);
    for (int k = 0; k <= 5; k += 2)
        c.vline(X(1 + 2 * k), 40 - 2 * k, 44 - 2 * k, m.rail);
    c.vline(X(11), 29, 34, m.rail);
    c.pixel(X(1), 38, nose);
}

// A ladder up the wall of the column at x0, to the top of a dug-out wall.
void ladder_up(Canvas& c, int x0, const WayMaterials& m)
{
    for (int x : {x0 + 6, x0 + 13}) {  // two rails, each with its shadow on the wall
        c.vline(x, 1, GROUND_TOP, m.rail);
        c.vline(x + 1, 3, GROUND_TOP, m.opening);
    }
    for (int y = 5; y < GROUND_TOP; y += 4) {
        c.hline(x0 + 7, x0 + 12, y, m.tread);
        c.hline(x0 + 8, x0 + 13, y + 1, m.opening);
    }
    c.pixel(x0 + 6, 1, mix(m.rail, {255, 255, 255}, 0.3));
    c.pixel(x0 + 13, 1, mix(m.rail, {255, 255, 255}, 0.3));
}

// A dark stairwell in front of the walk, like the steps in the town street:
// an opening in the floor with treads going down into it and a rail round it.
// Where the floor is itself dark, the treads catch a light from the stair's
// foot, so the well still opens out of it.
void stair_down(Canvas& c, int x0, const WayMaterials& m)
{
    int x1 = x0 + 14;
    long luma = 0, n = 0;
    for (int y = 55; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (x < x0 - 2 || x > x1 + 2) {
                Rgb p = c.get(x, y);
                luma += (p.r * 30 + p.g * 59 + p.b * 11) / 100;
                ++n;
            }
    const bool darkFloor = n && luma / n < 120;
    const Rgb lit = mix(m.tread, {255, 236, 200}, 0.6);
    c.rect(x0, 54, x1, c.height() - 1, m.opening);
    for (int i = 0, y = 55; y < c.height(); ++i, y += 2) {
        Rgb tread = darkFloor ? mix(lit, m.tread, 0.2 * i) : mix(m.tread, m.opening, 0.3 + 0.2 * i);
        c.hline(x0 + 1 + i, x1 - 1 - i, y, tread);
        c.hline(x0 + 1 + i, x1 - 1 - i, y + 1, mix(m.riser, m.opening, 0.55 + 0.15 * i));
    }
    c.hline(x0, x1, 53, m.rail);
    c.vline(x0, 50, 59, m.rail);
    c.vline(x1, 50, 59, m.rail);
    c.hline(x0, x0 + 2, 50, m.rail);
    c.hline(x1 - 2, x1, 50, m.rail);
}

void echo(Canvas& c, void (*paint)(Canvas&), Rgb hue, const WayMaterials& m, int up, int down)
{
    paint(c);
    settle_dither(c);
    fade_to_dream(c, hue, 0.4);
    // the ways on are nearer than the memory round them: half as faded
    auto near = [&](Rgb x) { return x.r < 0 ? x : mix(desaturate(x, 0.25), hue, 0.2); };
    WayMaterials w = m;
    for (Rgb* x : {&w.tread, &w.riser, &w.rail, &w.opening, &w.bank, &w.warm})
        *x = near(*x);
    int ux = (up - 1) * 20;
    if (w.ladder)
        ladder_up(c, ux, w);
    else
        stair_up(c, ux, w);
    stair_down(c, (down - 1) * 20 + 3, w);
    c.reduce_colours(40);
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
    c.ellipse(54, 53, 7, 1, {40, 34, 32});  // the window's light lying on the street
    c.hline(51, 57, 53, {52, 44, 36});
}

void scene_blank(Canvas& c)  // the cave: near black, a few dim rock edges
{
    c.fill({4, 3, 5});
    // the cave's walls and roof as one dim contour: a ragged arch from the
    // floor on the left over to the floor on the right, catching a little light
    const Rgb edge{22, 17, 22}, under{9, 7, 9};
    for (int x = 0; x < 80; ++x) {
        double t = (x - 40) / 40.0;
        int top = int(std::lround(6 + 34 * t * t * t * t + 1.6 * std::sin(x * 0.7) + 1.1 * std::sin(x * 1.9 + 1.0)));
        c.vline(x, 0, top - 1, under);
        c.pixel(x, top, edge);
    }
    for (int x : {14, 31, 52, 66})  // a few points of rock hanging from the roof
        c.vline(x, 6, 9 + x % 3, under);
    c.rect(0, GROUND_TOP + 1, 79, 59, {10, 8, 10});
    c.hline(0, 79, GROUND_TOP, {34, 28, 32});
    Dice d(242);
    for (int i = 0; i < 9; ++i) {  // stones on the floor
        int x = d.range(0, 76), y = d.range(GROUND_TOP + 2, 58);
        c.hline(x, x + d.range(1, 3), y, {18, 15, 18});
    }
}

}  // namespace paintings
