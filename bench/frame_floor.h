// Every frame benchmark is timed against the floor, the least work any frame
// did before the direct 2x enlargement: Allegro's stretch_blit of the 320x240
// buffer to 640x480 and one 640x480 copy. The two are timed in turn, iteration
// by iteration, so both see the same load on the machine; the floor stays out of
// the reported time and the counter x_floor is the frame's time over the floor's.
#pragma once

#include <benchmark/benchmark.h>

#include <allegro.h>

#include <chrono>

inline void floor_frame(BITMAP* low, BITMAP* back, BITMAP* page)
{
    stretch_blit(low, back, 0, 0, 320, 240, 0, 0, 640, 480);
    blit(back, page, 0, 0, 0, 0, 640, 480);
}

template <typename Frame>
void run_against_floor(benchmark::State& state, BITMAP* low, BITMAP* back, BITMAP* page, Frame frame)
{
    using Clock = std::chrono::steady_clock;
    frame();  // fills the glyph and line caches
    Clock::duration frameTime{}, floorTime{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        frame();
        benchmark::DoNotOptimize(page->line[240][0]);
        const auto t1 = Clock::now();
        state.PauseTiming();
        const auto t2 = Clock::now();
        floor_frame(low, back, page);
        benchmark::DoNotOptimize(page->line[240][0]);
        const auto t3 = Clock::now();
        state.ResumeTiming();
        frameTime += t1 - t0;
        floorTime += t3 - t2;
    }
    if (floorTime.count() > 0)
        state.counters["x_floor"] = static_cast<double>(frameTime.count()) / static_cast<double>(floorTime.count());
}
