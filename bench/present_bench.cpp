// The cost of putting a finished 640x480 frame on a larger display, 2x and 3x
// enlarged, against the floor (frame_floor.h). The target is a memory bitmap the
// size of the window.
#include <benchmark/benchmark.h>

#include <allegro.h>

#include <cerrno>
#include <cstdlib>

#include "frame_floor.h"
#include "render/scaling.h"

namespace {

struct Bitmaps {
    BITMAP* lowRes = nullptr;
    BITMAP* frame = nullptr;
    BITMAP* page = nullptr;
};

Bitmaps& bitmaps()
{
    static Bitmaps made = [] {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        set_color_depth(32);
        Bitmaps b;
        b.lowRes = create_bitmap(320, 240);
        b.frame = create_bitmap(640, 480);
        b.page = create_bitmap(640, 480);
        srand(3);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) putpixel(b.frame, x, y, makecol(rand() & 255, x & 255, y & 255));
        return b;
    }();
    return made;
}

void present_at(benchmark::State& state, int factor)
{
    Bitmaps& b = bitmaps();
    BITMAP* target = create_bitmap(640 * factor, 480 * factor);
    run_against_floor(state, b.lowRes, b.frame, b.page, [&b, target, factor] {
        enlarge_frame(b.frame, target, factor, 0, 0);
    });
    destroy_bitmap(target);
}

void BM_PresentScale1(benchmark::State& state) { present_at(state, 1); }
void BM_PresentScale2(benchmark::State& state) { present_at(state, 2); }
void BM_PresentScale3(benchmark::State& state) { present_at(state, 3); }

}  // namespace

BENCHMARK(BM_PresentScale1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentScale2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentScale3)->Unit(benchmark::kMicrosecond);
