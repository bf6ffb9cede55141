// The cost of one frame of the full-screen pages, on memory bitmaps with the real
// font, each as a multiple of the floor (frame_floor.h).
#include <benchmark/benchmark.h>

#include <allegro.h>

#include <cerrno>
#include <cstdlib>

#include "core/game_state.h"
#include "events/endings.h"
#include "events/event_screen.h"
#include "events/settings_page.h"
#include "frame_floor.h"
#include "render/blend.h"
#include "render/render_context.h"
#include "text/text.h"

namespace {

constexpr const char* FONT_PATH = "/usr/share/fonts/truetype/gentiumplus/GentiumPlus-Regular.ttf";

struct Bench {
    RenderContext context;
    BITMAP* page = nullptr;  // stands in for the video page the frame is shown on
};

FontFace* open_font(int height)
{
    FontFace* face = face_open_file(FONT_PATH);
    if (face) face_set_height(face, height);
    return face;
}

Bench& bench()
{
    static Bench b = [] {
        Bench made;
        if (!system_driver) install_allegro(SYSTEM_NONE, &errno, atexit);
        set_color_depth(32);
        text_init();
        text_set_background(-1);
        made.context.dialogueFont = open_font(28);
        made.context.titleFont = open_font(102);
        made.context.smallFont = open_font(20);
        made.context.lowResBuffer = create_bitmap(320, 240);
        made.context.backBuffer = create_bitmap(640, 480);
        made.page = create_bitmap(640, 480);
        clear_to_color(made.context.lowResBuffer, makecol(40, 40, 40));
        return made;
    }();
    return b;
}

void set_page(EventCode code, int endingsFound, FadeState fade)
{
    game.gameMode = code == END_PAGE ? TheEnd : EventScreen;
    game.eventCode = code;
    game.fadeState = fade;
    game.fadeLevel = 128;
    game.pulse100 = 37;
    game.pulse50 = 18;
    for (int n = 0; n < 10; ++n) game.endingsFound[n] = n >= 1 && n <= endingsFound;
    srand(11);
}

void run_page(benchmark::State& state, EventCode code, int endingsFound, FadeState fade = Idle)
{
    Bench& b = bench();
    set_page(code, endingsFound, fade);
    run_against_floor(state, b.context.lowResBuffer, b.context.backBuffer, b.page, [&b] {
        compose_event_frame(b.context);
        blit(b.context.backBuffer, b.page, 0, 0, 0, 0, 640, 480);
    });
}

// The least a frame now costs: the game's direct enlargement and the copy.
void BM_FloorDirect(benchmark::State& state)
{
    Bench& b = bench();
    run_against_floor(state, b.context.lowResBuffer, b.context.backBuffer, b.page, [&b] {
        enlarge_2x(b.context.lowResBuffer, b.context.backBuffer);
        blit(b.context.backBuffer, b.page, 0, 0, 0, 0, 640, 480);
    });
}

void BM_TitlePage(benchmark::State& state) { run_page(state, TITLE_PAGE, 3); }
void BM_ContinuePrompt(benchmark::State& state) { run_page(state, CONTINUE_PROMPT, 3); }
void BM_DialogueFiveLines(benchmark::State& state) { run_page(state, 21, 0); }
void BM_EndPage(benchmark::State& state) { run_page(state, END_PAGE, 8); }
// A fade covers the whole finished 640x480 frame, for nine frames at a time.
void BM_TitlePageFading(benchmark::State& state) { run_page(state, TITLE_PAGE, 3, FadeIn); }

// The settings page, which should cost no more than a dialogue page.
void BM_SettingsPage(benchmark::State& state)
{
    Bench& b = bench();
    set_page(TITLE_PAGE, 3, Idle);
    run_against_floor(state, b.context.lowResBuffer, b.context.backBuffer, b.page, [&b] {
        compose_settings_page(b.context);
        blit(b.context.backBuffer, b.page, 0, 0, 0, 0, 640, 480);
    });
}

}  // namespace

BENCHMARK(BM_FloorDirect)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TitlePage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ContinuePrompt)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DialogueFiveLines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EndPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TitlePageFading)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SettingsPage)->Unit(benchmark::kMicrosecond);
