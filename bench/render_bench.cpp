// The cost of one Play frame in a few kinds of room, against the floor every
// frame pays: the 2x enlargement and one full-size copy.
#include <benchmark/benchmark.h>

#include <allegro.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

#include "frame/game_state.h"
#include "frame/startup.h"
#include "render/render_context.h"
#include "render/interlude.h"
#include "render/scene.h"
#include "world/room.h"

namespace {

void prepare()
{
    static bool ready = false;
    if (!ready) {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        set_color_depth(32);
        fill_lookup_tables();
        fill_colour_ramp();
        renderContext.lowResBuffer = create_bitmap(320, 240);
        renderContext.backBuffer = create_bitmap(640, 480);
        renderContext.sceneBitmap = create_bitmap(80, 60);
        for (int n = 0; n < SPRITE_TILE_COUNT; ++n) {
            renderContext.spriteTiles[n] = create_bitmap(25, 25);
            clear_to_color(renderContext.spriteTiles[n], makecol(3 * n, 90, 200));
            circlefill(renderContext.spriteTiles[n], 12, 12, 6, makecol(255, 0, 255));
        }
        ready = true;
    }
    construct_game_state();
    srand(11);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x) putpixel(renderContext.sceneBitmap, x, y, makecol(x * 3, y * 4, 120));
}

// Seconds for one frame of the floor: stretch 320x240 to 640x480, then one 640x480 copy.
double floor_seconds()
{
    BITMAP* page = create_bitmap(640, 480);
    const int rounds = 200;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) {
        stretch_blit(renderContext.lowResBuffer, renderContext.backBuffer, 0, 0, 320, 240, 0, 0, 640, 480);
        blit(renderContext.backBuffer, page, 0, 0, 0, 0, 640, 480);
    }
    std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    destroy_bitmap(page);
    return spent.count() / rounds;
}

// Times one drawing step per iteration and reports it as a ratio to the floor.
template <typename Draw>
void run_frames(benchmark::State& state, Draw draw)
{
    double floor = floor_seconds();
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        draw();
        benchmark::ClobberMemory();
    }
    std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    double perFrame = spent.count() / static_cast<double>(state.iterations());
    state.counters["ratio_to_floor"] = perFrame / floor;
}

void run_room(benchmark::State& state, int room, bool topBand)
{
    prepare();
    game.currentRoom = room;
    game.playerX = 120.0;
    game.playerFrame = 1;
    if (topBand) game.endingsFound[6] = true;  // room 8: the top band
    run_frames(state, [] { draw_scene(renderContext); });
}

void BM_Interlude(benchmark::State& state)
{
    prepare();
    game.gameMode = Interlude;
    game.fadeState = FadeIn;
    game.fadeLevel = 128;
    run_frames(state, [] { draw_interlude(renderContext); });
}

void BM_PlainRoom(benchmark::State& state) { run_room(state, 2, false); }
void BM_TopBandShadowRoom(benchmark::State& state) { run_room(state, 8, true); }
void BM_Room61(benchmark::State& state) { run_room(state, 61, false); }
void BM_PlasmaRoom62(benchmark::State& state) { run_room(state, 62, false); }
void BM_Floor(benchmark::State& state)
{
    prepare();
    BITMAP* page = create_bitmap(640, 480);
    for (auto _ : state) {
        stretch_blit(renderContext.lowResBuffer, renderContext.backBuffer, 0, 0, 320, 240, 0, 0, 640, 480);
        blit(renderContext.backBuffer, page, 0, 0, 0, 0, 640, 480);
        benchmark::ClobberMemory();
    }
    destroy_bitmap(page);
}

}  // namespace

BENCHMARK(BM_Floor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainRoom)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TopBandShadowRoom)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Room61)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlasmaRoom62)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Interlude)->Unit(benchmark::kMicrosecond);
