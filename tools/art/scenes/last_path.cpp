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

}  // namespace paintings
