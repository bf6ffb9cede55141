#include "render/blend.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>

#include <cstdint>
#include <cstring>
#include <utility>

namespace {

constexpr int LOW_W = 320, LOW_H = 240;

// Four pixels at a time, with the arithmetic of blend_pixel32 in each lane.
using Pixels4 = uint32_t __attribute__((vector_size(16)));

Pixels4 blend4(uint32_t colour, Pixels4 pixels, uint32_t n)
{
    const Pixels4 rb = ((((colour & 0xFF00FF) - (pixels & 0xFF00FF)) * n) >> 8) + pixels;
    const Pixels4 g = ((((colour & 0xFF00) - (pixels & 0xFF00)) * n) >> 8) + (pixels & 0xFF00);
    return (rb & 0xFF00FF) | (g & 0xFF00);
}

inline bool is_memory32(BITMAP* bitmap)
{
    return bitmap && is_memory_bitmap(bitmap) && bitmap_color_depth(bitmap) == 32;
}

// Orders the corners and clips them to the clip rectangle as rectfill does;
// false when nothing is left.
inline bool clip_rect(const BITMAP* target, int& x1, int& y1, int& x2, int& y2)
{
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x1 < target->cl) x1 = target->cl;
    if (x2 >= target->cr) x2 = target->cr - 1;
    if (y1 < target->ct) y1 = target->ct;
    if (y2 >= target->cb) y2 = target->cb - 1;
    return x1 <= x2 && y1 <= y2;
}

}  // namespace

void blend_rect(BITMAP* target, int x1, int y1, int x2, int y2, int colour, int alpha)
{
    if (!target) return;
    // Only the ordinary translucent blender is reproduced here; any other, or a
    // bitmap drawn without clipping, is left to Allegro.
    if (!is_memory32(target) || !target->clip || alpha < 0 || alpha > 255) {
        drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
        set_trans_blender(0, 0, 0, alpha);
        rectfill(target, x1, y1, x2, y2, colour);
        solid_mode();
        return;
    }
    if (!clip_rect(target, x1, y1, x2, y2)) return;
    const uint32_t c = static_cast<uint32_t>(colour);
    const uint32_t a = static_cast<uint32_t>(alpha);
    const uint32_t n = a ? a + 1 : 0;
    for (int y = y1; y <= y2; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(target->line[y]);
        int x = x1;
        for (; x + 3 <= x2; x += 4) {
            Pixels4 four;
            std::memcpy(&four, row + x, sizeof four);
            four = blend4(c, four, n);
            std::memcpy(row + x, &four, sizeof four);
        }
        for (; x <= x2; ++x) row[x] = blend_pixel32(c, row[x], a);
    }
    if (_drawing_mode != DRAW_MODE_SOLID) solid_mode();
}

void fill_cell_row(BITMAP* target, int x, int y, int size, const uint32_t* colours, int count)
{
    if (!target || size <= 0 || count <= 0) return;
    const int right = x + size * count - 1, bottom = y + size - 1;
    const bool inside = target->clip && x >= target->cl && right < target->cr && y >= target->ct &&
                        bottom < target->cb;
    if (!is_memory32(target) || !inside || _drawing_mode != DRAW_MODE_SOLID) {
        for (int n = 0; n < count; ++n)
            rectfill(target, x + size * n, y, x + size * n + size - 1, bottom, static_cast<int>(colours[n]));
        return;
    }
    // The cells' first row, then copies of it.
    uint32_t* first = reinterpret_cast<uint32_t*>(target->line[y]) + x;
    for (int n = 0; n < count; ++n)
        for (int k = 0; k < size; ++k) first[size * n + k] = colours[n];
    for (int r = 1; r < size; ++r)
        std::memcpy(reinterpret_cast<uint32_t*>(target->line[y + r]) + x, first, sizeof(uint32_t) * size * count);
}

void enlarge_2x(BITMAP* source, BITMAP* target)
{
    if (!source || !target) return;
    const bool fast = is_memory32(source) && is_memory32(target) && source->w >= LOW_W && source->h >= LOW_H &&
                      target->clip && target->cl <= 0 && target->ct <= 0 && target->cr >= 2 * LOW_W &&
                      target->cb >= 2 * LOW_H;
    if (!fast) {
        stretch_blit(source, target, 0, 0, LOW_W, LOW_H, 0, 0, 2 * LOW_W, 2 * LOW_H);
        return;
    }
    for (int y = 0; y < LOW_H; ++y) {
        const uint32_t* from = reinterpret_cast<const uint32_t*>(source->line[y]);
        uint32_t* to = reinterpret_cast<uint32_t*>(target->line[2 * y]);
        for (int x = 0; x < LOW_W; x += 4) {
            Pixels4 four;
            std::memcpy(&four, from + x, sizeof four);
            const Pixels4 low = __builtin_shuffle(four, Pixels4{0, 0, 1, 1});
            const Pixels4 high = __builtin_shuffle(four, Pixels4{2, 2, 3, 3});
            std::memcpy(to + 2 * x, &low, sizeof low);
            std::memcpy(to + 2 * x + 4, &high, sizeof high);
        }
        std::memcpy(target->line[2 * y + 1], to, 2 * LOW_W * sizeof(uint32_t));
    }
}

void blend_over_enlarged(BITMAP* source, BITMAP* target, int colour, int alpha)
{
    const bool fast = is_memory32(source) && is_memory32(target) && source->w >= LOW_W && source->h >= LOW_H &&
                      target->clip && target->cl <= 0 && target->ct <= 0 && target->cr >= 2 * LOW_W &&
                      target->cb >= 2 * LOW_H && alpha >= 0 && alpha <= 255;
    if (!fast) {
        blend_rect(target, 0, 0, 2 * LOW_W, 2 * LOW_H, colour, alpha);
        return;
    }
    const uint32_t c = static_cast<uint32_t>(colour);
    const uint32_t n = alpha ? uint32_t(alpha) + 1 : 0;
    constexpr int W = 2 * LOW_W;
    uint32_t plain[W], blended[W];  // a source row enlarged, and the same blended
    for (int y = 0; y < 2 * LOW_H; ++y) {
        if (y % 2 == 0) {
            const uint32_t* from = reinterpret_cast<const uint32_t*>(source->line[y / 2]);
            for (int x = 0; x < LOW_W; x += 4) {
                Pixels4 four;
                std::memcpy(&four, from + x, sizeof four);
                const Pixels4 faded = blend4(c, four, n);
                const Pixels4 lowHalf = __builtin_shuffle(four, Pixels4{0, 0, 1, 1});
                const Pixels4 highHalf = __builtin_shuffle(four, Pixels4{2, 2, 3, 3});
                const Pixels4 fadedLow = __builtin_shuffle(faded, Pixels4{0, 0, 1, 1});
                const Pixels4 fadedHigh = __builtin_shuffle(faded, Pixels4{2, 2, 3, 3});
                std::memcpy(plain + 2 * x, &lowHalf, sizeof lowHalf);
                std::memcpy(plain + 2 * x + 4, &highHalf, sizeof highHalf);
                std::memcpy(blended + 2 * x, &fadedLow, sizeof fadedLow);
                std::memcpy(blended + 2 * x + 4, &fadedHigh, sizeof fadedHigh);
            }
        }
        uint32_t* row = reinterpret_cast<uint32_t*>(target->line[y]);
        // Where text or anything else was drawn over the enlargement, the row is
        // blended pixel by pixel, in chunks; elsewhere it takes the blend made once.
        constexpr int CHUNK = 16;
        int first = 0, last = W;  // the chunks [first, last) differ
        while (first < W && std::memcmp(row + first, plain + first, sizeof(uint32_t) * CHUNK) == 0) first += CHUNK;
        if (first == W) {
            std::memcpy(row, blended, sizeof blended);
            continue;
        }
        while (std::memcmp(row + last - CHUNK, plain + last - CHUNK, sizeof(uint32_t) * CHUNK) == 0) last -= CHUNK;
        std::memcpy(row, blended, sizeof(uint32_t) * size_t(first));
        std::memcpy(row + last, blended + last, sizeof(uint32_t) * size_t(W - last));
        for (int x = first; x < last; x += 4) {
            Pixels4 four;
            std::memcpy(&four, row + x, sizeof four);
            four = blend4(c, four, n);
            std::memcpy(row + x, &four, sizeof four);
        }
    }
    if (_drawing_mode != DRAW_MODE_SOLID) solid_mode();
}
