// The direct drawing of translucent and solid rectangles and of the 2x
// enlargement gives exactly the pixels of Allegro's own routines.
#include <gtest/gtest.h>

#include <allegro.h>
#include <allegro/internal/aintern.h>

#include <cstdlib>
#include <random>

#include "events/event_screen.h"
#include "core/game_state.h"
#include "render/blend.h"
#include "render/render_context.h"
#include "test_support.h"

namespace {

// Every pixel different from its neighbours, alpha byte included, so any
// difference in arithmetic, clipping or order shows.
BITMAP* noisy(int w, int h, unsigned seed)
{
    BITMAP* bitmap = create_bitmap(w, h);
    std::mt19937 random(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) reinterpret_cast<uint32_t*>(bitmap->line[y])[x] = random();
    return bitmap;
}

int differing_pixels(BITMAP* a, BITMAP* b)
{
    int count = 0;
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x)
            count += reinterpret_cast<uint32_t*>(a->line[y])[x] != reinterpret_cast<uint32_t*>(b->line[y])[x];
    return count;
}

void allegro_blend_rect(BITMAP* target, int x1, int y1, int x2, int y2, int colour, int alpha)
{
    drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
    set_trans_blender(0, 0, 0, alpha);
    rectfill(target, x1, y1, x2, y2, colour);
    solid_mode();
}

struct Rect {
    int x1, y1, x2, y2;
};

// Inside, over every edge, reversed corners, a single pixel, wholly outside.
const Rect RECTS[] = {{4, 4, 7, 7},      {0, 0, 99, 59},  {-5, -3, 10, 8}, {90, 50, 140, 90},
                      {30, 20, 12, 5},   {17, 17, 17, 17}, {200, 5, 220, 9}, {3, 1, 98, 1},
                      {-20, -20, -1, -1}, {1, 2, 6, 58}};

class BlendTest : public ::testing::Test {
protected:
    void SetUp() override { ensure_allegro(); }
};

}  // namespace

TEST_F(BlendTest, PixelBlendIsAllegrosTranslucentBlender)
{
    std::mt19937 random(5);
    const uint32_t edges[] = {0x000000, 0xFFFFFF, 0xFF00FF, 0x00FF00, 0xFF000000, 0x80808080, 0x010101, 0xFEFEFE};
    for (int alpha = 0; alpha <= 255; ++alpha) {
        set_trans_blender(0, 0, 0, alpha);
        for (int n = 0; n < 600; ++n) {
            uint32_t colour = n < 64 ? edges[n % 8] : static_cast<uint32_t>(random());
            uint32_t pixel = n < 64 ? edges[n / 8] : static_cast<uint32_t>(random());
            ASSERT_EQ(blend_pixel32(colour, pixel, alpha), static_cast<uint32_t>(_blender_func32(colour, pixel, alpha)))
                << std::hex << colour << " over " << pixel << " at " << std::dec << alpha;
        }
    }
}

TEST_F(BlendTest, TranslucentRectanglesMatchAllegro)
{
    const int colours[] = {0, makecol(255, 255, 255), makecol(200, 30, 90), static_cast<int>(0xFF123456)};
    for (const Rect& r : RECTS)
        for (int colour : colours)
            for (int alpha : {0, 1, 25, 124, 128, 254, 255}) {
                BITMAP* direct = noisy(100, 60, 1);
                BITMAP* allegro = noisy(100, 60, 1);
                set_clip_rect(direct, 2, 1, 97, 57);
                set_clip_rect(allegro, 2, 1, 97, 57);
                blend_rect(direct, r.x1, r.y1, r.x2, r.y2, colour, alpha);
                allegro_blend_rect(allegro, r.x1, r.y1, r.x2, r.y2, colour, alpha);
                ASSERT_EQ(differing_pixels(direct, allegro), 0)
                    << r.x1 << "," << r.y1 << " " << r.x2 << "," << r.y2 << " alpha " << alpha;
                EXPECT_EQ(_drawing_mode, DRAW_MODE_SOLID);
                destroy_bitmap(direct);
                destroy_bitmap(allegro);
            }
}

TEST_F(BlendTest, RowsOfSolidCellsMatchAllegro)
{
    uint32_t colours[12];
    for (int n = 0; n < 12; ++n) colours[n] = makecol(20 * n, 255 - 9 * n, 7 * n);
    struct Row {
        int x, y, size, count;
    };
    // Inside, and over the left, right, top and bottom edges of the clip rectangle.
    for (Row row : {Row{4, 4, 4, 12}, Row{0, 20, 3, 5}, Row{-3, 8, 4, 6}, Row{80, 30, 4, 12}, Row{10, -2, 4, 3},
                    Row{10, 56, 4, 3}, Row{6, 12, 1, 12}}) {
        BITMAP* direct = noisy(100, 60, 2);
        BITMAP* allegro = noisy(100, 60, 2);
        set_clip_rect(direct, 2, 1, 97, 57);
        set_clip_rect(allegro, 2, 1, 97, 57);
        fill_cell_row(direct, row.x, row.y, row.size, colours, row.count);
        for (int n = 0; n < row.count; ++n)
            rectfill(allegro, row.x + row.size * n, row.y, row.x + row.size * (n + 1) - 1, row.y + row.size - 1,
                     static_cast<int>(colours[n]));
        ASSERT_EQ(differing_pixels(direct, allegro), 0) << row.x << "," << row.y << " size " << row.size;
        destroy_bitmap(direct);
        destroy_bitmap(allegro);
    }
}

TEST_F(BlendTest, OtherBitmapsAreLeftToAllegro)
{
    // A 16-bit bitmap and a 32-bit one drawn without clipping take Allegro's path.
    BITMAP* deep16 = create_bitmap_ex(16, 40, 40);
    BITMAP* check16 = create_bitmap_ex(16, 40, 40);
    clear_to_color(deep16, makecol_depth(16, 100, 150, 200));
    clear_to_color(check16, makecol_depth(16, 100, 150, 200));
    blend_rect(deep16, 5, 5, 30, 30, makecol_depth(16, 0, 0, 0), 100);
    allegro_blend_rect(check16, 5, 5, 30, 30, makecol_depth(16, 0, 0, 0), 100);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(getpixel(deep16, x, y), getpixel(check16, x, y));
    EXPECT_NE(getpixel(deep16, 10, 10), makecol_depth(16, 100, 150, 200));
    destroy_bitmap(deep16);
    destroy_bitmap(check16);

    BITMAP* parent = noisy(60, 60, 3);
    BITMAP* parentCheck = noisy(60, 60, 3);
    BITMAP* window = create_sub_bitmap(parent, 10, 10, 20, 20);
    BITMAP* windowCheck = create_sub_bitmap(parentCheck, 10, 10, 20, 20);
    set_clip_state(window, FALSE);
    set_clip_state(windowCheck, FALSE);
    blend_rect(window, 2, 2, 15, 15, 0, 77);
    allegro_blend_rect(windowCheck, 2, 2, 15, 15, 0, 77);
    EXPECT_EQ(differing_pixels(parent, parentCheck), 0);
    destroy_bitmap(window);
    destroy_bitmap(windowCheck);
    destroy_bitmap(parent);
    destroy_bitmap(parentCheck);
}

TEST_F(BlendTest, EnlargementMatchesStretchBlit)
{
    BITMAP* low = noisy(320, 240, 4);
    BITMAP* direct = noisy(640, 480, 5);
    BITMAP* allegro = noisy(640, 480, 5);
    enlarge_2x(low, direct);
    stretch_blit(low, allegro, 0, 0, 320, 240, 0, 0, 640, 480);
    EXPECT_EQ(differing_pixels(direct, allegro), 0);

    // A clipped target is left to stretch_blit, which clips.
    set_clip_rect(direct, 10, 10, 300, 200);
    set_clip_rect(allegro, 10, 10, 300, 200);
    clear_to_color(low, makecol(1, 2, 3));
    enlarge_2x(low, direct);
    stretch_blit(low, allegro, 0, 0, 320, 240, 0, 0, 640, 480);
    EXPECT_EQ(differing_pixels(direct, allegro), 0);
    EXPECT_NE(getpixel(direct, 5, 5), makecol(1, 2, 3));
    destroy_bitmap(low);
    destroy_bitmap(direct);
    destroy_bitmap(allegro);
}

TEST_F(BlendTest, NoiseBackdropMatchesTranslucentCellsOverTheGrey)
{
    RenderContext context;
    context.lowResBuffer = create_bitmap(320, 240);
    BITMAP* reference = create_bitmap(320, 240);
    for (int pulse : {0, 37, 100}) {
        game.pulse100 = pulse;
        srand(21);
        draw_noise_backdrop(context);
        const int nextAfterBackdrop = rand();
        // The backdrop as Allegro draws it: the grey, then each cell black at its own opacity.
        srand(21);
        const int g = 48 - pulse / 4;
        rectfill(reference, 0, 0, 640, 480, makecol(g, g, g));
        for (int r = 0; r < 60; ++r)
            for (int c = 0; c < 80; ++c)
                allegro_blend_rect(reference, 4 * c, 4 * r, 4 * c + 3, 4 * r + 3, makecol(0, 0, 0), rand() % 100 + 25);
        EXPECT_EQ(differing_pixels(context.lowResBuffer, reference), 0) << "pulse " << pulse;
        EXPECT_EQ(rand(), nextAfterBackdrop) << "one random number per cell, no more";
    }
    destroy_bitmap(context.lowResBuffer);
    destroy_bitmap(reference);
}

TEST_F(BlendTest, AFadeOverAnEnlargedPageIsAllegrosFadePixelForPixel)
{
    BITMAP* low = noisy(320, 240, 7);
    BITMAP* page = create_bitmap(640, 480);
    BITMAP* expected = create_bitmap(640, 480);
    for (int alpha : {0, 1, 128, 254, 255}) {
        enlarge_2x(low, page);
        // Marks over the enlargement, as text leaves them: a single pixel, a
        // block across chunks, the first and the last pixel of rows.
        putpixel(page, 37, 3, makecol(250, 10, 10));
        rectfill(page, 90, 200, 411, 260, makecol(200, 200, 200));
        putpixel(page, 0, 479, 0x123456);
        putpixel(page, 639, 0, 0x654321);
        blit(page, expected, 0, 0, 0, 0, 640, 480);
        allegro_blend_rect(expected, 0, 0, 640, 480, makecol(0, 0, 0), alpha);
        blend_over_enlarged(low, page, makecol(0, 0, 0), alpha);
        EXPECT_EQ(differing_pixels(page, expected), 0) << "alpha " << alpha;
    }
    destroy_bitmap(expected);
    destroy_bitmap(page);
    destroy_bitmap(low);
}
