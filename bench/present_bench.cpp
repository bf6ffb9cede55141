// The cost of putting a finished 640x480 frame on a larger display, 2x and 3x
// enlarged, against the floor every frame pays (one 320x240 to 640x480 stretch
// plus one 640x480 copy). The target is a memory bitmap the size of the window.
#include <benchmark/benchmark.h>

#include <allegro.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

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

double floor_seconds()
{
    Bitmaps& b = bitmaps();
    const int rounds = 200;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) {
        stretch_blit(b.lowRes, b.frame, 0, 0, 320, 240, 0, 0, 640, 480);
        blit(b.frame, b.page, 0, 0, 0, 0, 640, 480);
    }
    std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / rounds;
}

void present_at(benchmark::State& state, int factor)
{
    Bitmaps& b = bitmaps();
    BITMAP* target = create_bitmap(640 * factor, 480 * factor);
    double floor = floor_seconds();
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        enlarge_frame(b.frame, target, factor, 0, 0);
        benchmark::ClobberMemory();
    }
    std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    state.counters["ratio_to_floor"] = spent.count() / static_cast<double>(state.iterations()) / floor;
    destroy_bitmap(target);
}

void BM_PresentScale1(benchmark::State& state) { present_at(state, 1); }
void BM_PresentScale2(benchmark::State& state) { present_at(state, 2); }
void BM_PresentScale3(benchmark::State& state) { present_at(state, 3); }

}  // namespace

BENCHMARK(BM_PresentScale1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentScale2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentScale3)->Unit(benchmark::kMicrosecond);
