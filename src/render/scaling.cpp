#include "render/scaling.h"

#include <allegro.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// One row of 32-bit pixels, each written `factor` times. The common factors get
// loops the compiler can unroll.
template <int Factor>
void widen_row_fixed(const uint32_t* from, uint32_t* to)
{
    for (int x = 0; x < FRAME_WIDTH; ++x)
        for (int k = 0; k < Factor; ++k) *to++ = from[x];
}

void widen_row(const uint32_t* from, uint32_t* to, int factor)
{
    switch (factor) {
    case 2: widen_row_fixed<2>(from, to); return;
    case 3: widen_row_fixed<3>(from, to); return;
    case 4: widen_row_fixed<4>(from, to); return;
    }
    for (int x = 0; x < FRAME_WIDTH; ++x)
        for (int k = 0; k < factor; ++k) *to++ = from[x];
}

}  // namespace

bool enlarge_frame(BITMAP* frame, BITMAP* target, int factor, int x, int y)
{
    if (!frame || !target || factor < 1) return false;
    const int width = FRAME_WIDTH * factor, height = FRAME_HEIGHT * factor;
    if (x < 0 || y < 0 || x + width > target->w || y + height > target->h) return false;
    if (frame->w < FRAME_WIDTH || frame->h < FRAME_HEIGHT) return false;

    if (factor == 1) {
        blit(frame, target, 0, 0, x, y, FRAME_WIDTH, FRAME_HEIGHT);
        return true;
    }
    if (bitmap_color_depth(frame) != 32 || bitmap_color_depth(target) != 32) {
        // Not the game's own format: Allegro's stretch is slower but converts.
        stretch_blit(frame, target, 0, 0, FRAME_WIDTH, FRAME_HEIGHT, x, y, width, height);
        return true;
    }

    // Straight into the target's lines: under X11 the screen takes writes through
    // bmp_write_line and sends the lines to the window when they are let go. A
    // line's address holds only until the next line is asked for, so each widened
    // row is made once aside and copied to its lines.
    static std::vector<uint32_t> wide;
    wide.resize(size_t(width));
    acquire_bitmap(target);
    for (int row = 0; row < FRAME_HEIGHT; ++row) {
        widen_row(reinterpret_cast<const uint32_t*>(bmp_read_line(frame, row)), wide.data(), factor);
        const int top = y + row * factor;
        for (int k = 0; k < factor; ++k) {
            auto* line = reinterpret_cast<uint32_t*>(bmp_write_line(target, top + k)) + x;
            std::memcpy(line, wide.data(), sizeof(uint32_t) * size_t(width));
        }
    }
    bmp_unwrite_line(target);
    release_bitmap(target);
    return true;
}
