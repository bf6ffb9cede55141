// The simple walk home at dusk and under the moon (p7s1, p7s1a, p7s2, p7s3).
#include "art/scenes/paintings.h"

#include "art/kit.h"
#include "art/palettes.h"

namespace paintings {

// A tree against the evening sky: a flat dark crown, its top edge touched by
// the light that is left.
void tree_silhouette(Canvas& c, int x, int baseY, int size, Rgb dark, Rgb rim, uint32_t seed)
{
    c.rect(x, baseY - size, x + 1, baseY, dark);
    int cy = baseY - size - size / 2;
    Dice d(seed);
    for (int i = 0; i < 5; ++i) {  // a crown of a few round masses
        int bx = x + d.range(-size / 2, size / 2), by = cy + d.range(-size / 3, size / 3);
        c.ellipse(bx, by, size / 2 + 1, size / 3 + 1, dark);
    }
    for (int px = x - size; px <= x + size + 1; ++px)  // the rim along the top of the crown
        for (int py = cy - size; py < baseY; ++py)
            if (c.get(px, py).r == dark.r && c.get(px, py).g == dark.g && c.get(px, py).b == dark.b) {
                c.pixel(px, py, rim);
                break;
            }
}

// p7s2: nearly home. The first roofs of the town on the rise ahead, the
// road over a stone bridge across a brook, and the milestone that counts
// the last mile.
void near_home(Canvas& c, Rgb hill, Rgb rim, Rgb path)
{
    const Rgb roof{58, 50, 80}, wall{74, 76, 108}, stone{70, 74, 96}, stoneDark{46, 50, 70};
    for (int i = 0; i < 4; ++i) {  // the roofs of home, small on the rise
        int x = 50 + i * 7, top = 34 + (i % 2);
        c.rect(x, top + 2, x + 5, 37, wall);
        c.triangle(x - 1, top + 2, x + 6, top + 2, x + 2, top - 1, roof);
    }
    c.rect(70, 29, 71, 33, roof);  // the church tower among them
    c.triangle(69, 29, 72, 29, 70, 25, roof);
    c.pixel(58, 36, night::lit);  // one window still lit
    tree_silhouette(c, 8, 46, 6, shade(hill, 0.6), rim, 218);
    fence(c, 0, 22, 47, shade(hill, 0.7));
    fence(c, 60, 79, 47, shade(hill, 0.7));
    path_ground(c, shade(hill, 0.9), shade(hill, 0.7), path, shade(path, 0.8), 216);
    // the brook in front, under the road, its water holding the moon
    c.rect(24, 56, 58, 59, {20, 26, 48});
    c.hline(26, 56, 57, night::wet);
    c.pixel(30, 58, night::moonFace);
    c.rect(22, 56, 23, 59, stoneDark);
    c.rect(59, 56, 60, 59, stoneDark);
    c.ellipse(41, 59, 10, 2, stoneDark);  // the arch's shadow under the road
    // the bridge's parapets either side of the road, coped with stone
    c.rect(24, 43, 58, 47, stone);
    c.hline(24, 58, 43, shade(stone, 1.25));
    for (int x = 27; x < 58; x += 4)
        c.vline(x, 44, 47, stoneDark);
    c.hline(24, 58, 48, stoneDark);
    // the milestone by the road, its face catching the moonlight
    c.rect(64, 41, 68, 48, stone);
    c.hline(65, 67, 40, stone);
    c.vline(64, 41, 48, shade(stone, 1.3));
    c.hline(65, 67, 43, stoneDark);  // the carved figure: one mile
    c.vline(66, 44, 46, stoneDark);
}

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
    hills(c, 33, mix(hill, variant == 0 ? Rgb{230, 140, 110} : night::skyLow, 0.35), 212, 3);
    hills(c, 37, hill, 213, 2);
    if (variant != 2) {
        // a house far off; its window goes dark after the fade
        house(c, {52, 9, 38, variant == 0 ? Rgb{110, 90, 100} : Rgb{40, 44, 66}, hill, night::trim});
        window(c, 55, 40, 2, 2, night::trim, night::glass, variant == 0, night::lit);
    } else {
        moon(c, 20, 10, 3, night::moonFace, night::moonHalo, night::skyTop);
    }
    Rgb rim = variant == 0 ? Rgb{170, 110, 100} : variant == 2 ? Rgb{90, 100, 140} : Rgb{52, 60, 90};
    Rgb path = variant == 0 ? Rgb{150, 120, 110} : night::path;
    if (variant == 2) {
        near_home(c, hill, rim, path);
        return;
    }
    tree_silhouette(c, 18, 46, 6, shade(hill, 0.6), rim, 215);
    tree_silhouette(c, 30, 45, 4, shade(hill, 0.7), rim, 216);
    tree_silhouette(c, 72, 46, 5, shade(hill, 0.6), rim, 217);
    fence(c, 0, 79, 47, shade(hill, 0.7));
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
    tree_silhouette(c, 12, 46, 6, night::tree, {80, 92, 130}, 224);
    fence(c, 0, 36, 47, {40, 44, 64});
    path_ground(c, night::grass, night::grassDark, night::path, shade(night::path, 0.8), 223);
}

}  // namespace paintings
