// The cost of one Play frame in a few kinds of room and of one Interlude frame,
// each as a multiple of the floor (frame_floor.h).
#include <benchmark/benchmark.h>

#include <allegro.h>

#include <cerrno>
#include <cstdlib>

#include "core/game_state.h"
#include "frame/game_setup.h"
#include "frame_floor.h"
#include "render/interlude.h"
#include "render/lookup_tables.h"
#include "render/render_context.h"
#include "render/scene.h"
#include "world/room.h"

namespace {

BITMAP* page = nullptr;  // stands in for the video page the frame is shown on

void prepare()
{
    static bool ready = false;
    if (!ready) {
        if (!system_driver) install_allegro(SYSTEM_NONE, &errno, atexit);
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
        page = create_bitmap(640, 480);
        ready = true;
    }
    construct_game_state();
    srand(11);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x) putpixel(renderContext.sceneBitmap, x, y, makecol(x * 3, y * 4, 120));
}

template <typename Draw>
void run_frames(benchmark::State& state, Draw draw)
{
    run_against_floor(state, renderContext.lowResBuffer, renderContext.backBuffer, page, [draw] {
        draw(renderContext);
        blit(renderContext.backBuffer, page, 0, 0, 0, 0, 640, 480);
    });
}

void run_room(benchmark::State& state, int room, bool topBand, FadeState fade = Idle)
{
    prepare();
    game.currentRoom = room;
    game.playerX = 120.0;
    game.playerFrame = 1;
    game.fadeState = fade;
    game.fadeLevel = 128;
    if (topBand) game.endingsFound[6] = true;  // room 8: the top band
    run_frames(state, draw_scene);
}

void BM_Interlude(benchmark::State& state)
{
    prepare();
    game.gameMode = Interlude;
    game.fadeState = FadeIn;
    game.fadeLevel = 128;
    run_frames(state, draw_interlude);
}

void BM_PlainRoom(benchmark::State& state) { run_room(state, 2, false); }
void BM_PlainRoomFading(benchmark::State& state) { run_room(state, 2, false, FadeIn); }
void BM_TopBandShadowRoom(benchmark::State& state) { run_room(state, 8, true); }
void BM_Room61(benchmark::State& state) { run_room(state, 61, false); }
void BM_PlasmaRoom62(benchmark::State& state) { run_room(state, 62, false); }

}  // namespace

BENCHMARK(BM_PlainRoom)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainRoomFading)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TopBandShadowRoom)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Room61)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlasmaRoom62)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Interlude)->Unit(benchmark::kMicrosecond);
