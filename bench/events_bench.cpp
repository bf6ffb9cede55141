// The cost of one frame of the full-screen pages, on memory bitmaps with the real
// font, and each as a multiple of the least any frame costs: enlarging the 320x240
// buffer and copying the 640x480 result once.
#include <benchmark/benchmark.h>

#include <allegro.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

#include "events/endings.h"
#include "events/event_screen.h"
#include "frame/game_state.h"
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

void floor_frame(Bench& b)
{
    stretch_blit(b.context.lowResBuffer, b.context.backBuffer, 0, 0, 320, 240, 0, 0, 640, 480);
    blit(b.context.backBuffer, b.page, 0, 0, 0, 0, 640, 480);
}

void page_frame(Bench& b)
{
    compose_event_frame(b.context);
    blit(b.context.backBuffer, b.page, 0, 0, 0, 0, 640, 480);
}

void set_page(EventCode code, int endingsFound)
{
    game.gameMode = code == END_PAGE ? TheEnd : EventScreen;
    game.eventCode = code;
    game.fadeState = Idle;
    game.pulse100 = 37;
    game.pulse50 = 18;
    for (int n = 0; n < 10; ++n) game.endingsFound[n] = n >= 1 && n <= endingsFound;
    srand(11);
}

void run_page(benchmark::State& state, EventCode code, int endingsFound)
{
    Bench& b = bench();
    set_page(code, endingsFound);
    page_frame(b);  // fills the glyph caches
    // The floor is timed in turn with the page, frame by frame, so that both see the
    // same load on the machine; it stays out of the reported time.
    using Clock = std::chrono::steady_clock;
    Clock::duration pageTime{}, floorTime{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        page_frame(b);
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(b.page->line[240][0]);
        state.PauseTiming();
        const auto t2 = Clock::now();
        floor_frame(b);
        const auto t3 = Clock::now();
        benchmark::DoNotOptimize(b.page->line[240][0]);
        state.ResumeTiming();
        pageTime += t1 - t0;
        floorTime += t3 - t2;
    }
    if (floorTime.count() > 0)
        state.counters["x_floor"] = static_cast<double>(pageTime.count()) / static_cast<double>(floorTime.count());
}

void BM_FrameFloor(benchmark::State& state)
{
    Bench& b = bench();
    for (auto _ : state) {
        floor_frame(b);
        benchmark::DoNotOptimize(b.page->line[240][0]);
    }
    state.counters["x_floor"] = 1.0;
}

void BM_TitlePage(benchmark::State& state) { run_page(state, TITLE_PAGE, 3); }
void BM_ContinuePrompt(benchmark::State& state) { run_page(state, CONTINUE_PROMPT, 3); }
void BM_DialogueFiveLines(benchmark::State& state) { run_page(state, 21, 0); }
void BM_EndPage(benchmark::State& state) { run_page(state, END_PAGE, 8); }

BENCHMARK(BM_FrameFloor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TitlePage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ContinuePrompt)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DialogueFiveLines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EndPage)->Unit(benchmark::kMicrosecond);

}  // namespace
