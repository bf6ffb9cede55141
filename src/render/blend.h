// Drawing steps that frames repeat thousands of times (translucent cells and
// fades, the page backdrop's cells, the 2x enlargement), written straight into
// the rows of the game's 32-bit memory bitmaps with exactly the pixels Allegro's
// own routines give; any other bitmap goes through Allegro itself.
#pragma once

#include <cstdint>

struct BITMAP;

// As rectfill (corners included, clipped) in translucent mode after
// set_trans_blender(0, 0, 0, alpha): `colour` over the rectangle at opacity
// alpha / 255. Allegro's drawing mode is solid afterwards, as the game leaves it.
void blend_rect(BITMAP* target, int x1, int y1, int x2, int y2, int colour, int alpha);

// A row of `count` square cells of `size` pixels, the first with its top-left
// at (x, y), cell n filled with colours[n]: as rectfill of each cell in turn.
void fill_cell_row(BITMAP* target, int x, int y, int size, const uint32_t* colours, int count);

// As stretch_blit of the source's 320x240 top-left onto the target's 640x480
// top-left: every pixel becomes a 2x2 block.
void enlarge_2x(BITMAP* source, BITMAP* target);

// As blend_rect of `colour` at `alpha` over the target's 640x480 top-left, for a
// target that still holds enlarge_2x of `source` nearly everywhere (a page with
// its text): a pixel that is its source pixel's copy takes the blend made once
// for all four, any other is blended on its own. The same pixels either way.
void blend_over_enlarged(BITMAP* source, BITMAP* target, int colour, int alpha);

// Allegro's 32-bit translucent blender: `colour` over `pixel` at opacity alpha.
inline uint32_t blend_pixel32(uint32_t colour, uint32_t pixel, uint32_t alpha)
{
    // Allegro's own arithmetic, wrap-around included: red and blue are mixed in one
    // word, green in another, and the top byte is dropped. Allegro computes in 64
    // bits; the low 24 bits that survive the masks come out the same in 32.
    const uint32_t n = alpha ? alpha + 1 : 0;
    const uint32_t rb = (((colour & 0xFF00FF) - (pixel & 0xFF00FF)) * n / 256 + pixel) & 0xFF00FF;
    const uint32_t g = (((colour & 0xFF00) - (pixel & 0xFF00)) * n / 256 + (pixel & 0xFF00)) & 0xFF00;
    return rb | g;
}
