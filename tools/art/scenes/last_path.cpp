// The last path: faded echoes of every earlier place, the maze of memories, the
// last street and the dark cave (p8s1 to p8s9, blank).
#include "art/scenes/paintings.h"

#include "art/kit.h"
#include "art/palettes.h"

namespace paintings {

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

// A way up (an arch at the back with a stair rising into it) and a way down
// (steps going down in front), in the given columns (1..4).
void dream_ways(Canvas& c, Rgb hue, int upColumn, int downColumn)
{
    // The ways take the room's own faded colours: the floor's average, lit or
    // sunk into the dark, and the room's hue for the light of the arch.
    long sum[3] = {};
    for (int y = FLOOR_TOP; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            Rgb p = c.get(x, y);
            sum[0] += p.r;
            sum[1] += p.g;
            sum[2] += p.b;
        }
    const long n = long(c.width()) * (c.height() - FLOOR_TOP);
    const Rgb ground{int(sum[0] / n), int(sum[1] / n), int(sum[2] / n)};
    const Rgb tread = mix(ground, {255, 255, 255}, 0.25), dark = mix(mix(ground, dream::deep, 0.6), hue, 0.2);
    const Rgb light = mix(hue, dream::way, 0.5);

    // up: an arch at the back, stairs climbing away from it into the dark
    int ux = (upColumn - 1) * 20 + 4;
    c.glow(ux + 6, 32, 11, light, 0.35);
    const Rgb frame = mix(mix(ground, {255, 255, 255}, 0.2), hue, 0.5);
    c.rect(ux, 26, ux + 11, GROUND_TOP - 1, frame);
    c.ellipse(ux + 5, 26, 6, 4, frame);
    c.rect(ux + 1, 26, ux + 10, GROUND_TOP - 1, dark);
    c.ellipse(ux + 5, 26, 5, 3, dark);
    for (int i = 0; i < 7; ++i) {  // each step higher, narrower and darker
        int y = GROUND_TOP - 1 - 3 * i, inset = i / 2;
        Rgb t = mix(tread, dark, i / 7.0);
        c.hline(ux + 1 + inset, ux + 10 - inset, y, t);
        c.hline(ux + 1 + inset, ux + 10 - inset, y - 1, mix(t, dark, 0.5));
    }
    c.hline(ux + 4, ux + 7, 25, mix(dark, light, 0.6));  // a glimmer where the stair ends

    // down: an opening in front of the walk, treads going down into the dark;
    // nothing rises onto the floor where the figures stand. In a dark room the
    // stairwell is lit from below instead, so that it still shows.
    int dx = (downColumn - 1) * 20 + 2;
    bool dim = ground.r * 30 + ground.g * 59 + ground.b * 11 < 100 * 120;
    Rgb well = dim ? mix(ground, light, 0.45) : mix(shade(dream::deep, 0.5), hue, 0.15);
    Rgb step = dim ? mix(light, {255, 255, 255}, 0.3) : mix(tread, well, 0.25);
    c.rect(dx, 54, dx + 15, c.height() - 1, mix(ground, hue, 0.3));
    c.rect(dx + 1, 55, dx + 14, c.height() - 1, well);
    for (int i = 0, y = 56; y < c.height(); ++i, y += 2)
        c.hline(dx + 2 + i, dx + 13 - i, y, mix(step, well, 0.25 * i));
    c.hline(dx, dx + 15, 54, mix(tread, light, 0.3));
}

void echo(Canvas& c, void (*paint)(Canvas&), Rgb hue, int up, int down)
{
    paint(c);
    fade_to_dream(c, hue, 0.35);
    dream_ways(c, hue, up, down);
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

}  // namespace paintings
