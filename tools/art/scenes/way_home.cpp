// The simple walk home at dusk and under the moon (p7s1, p7s1a, p7s2, p7s3).
#include "art/scenes/paintings.h"

#include "art/kit.h"
#include "art/palettes.h"

namespace paintings {

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

}  // namespace paintings
