#include "frame/main_loop.h"

#include <allegro.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "audio/captions.h"
#include "audio/music.h"
#include "core/display_options.h"
#include "core/frame_stats.h"
#include "core/game_state.h"
#include "events/endings_page.h"
#include "events/event_screen.h"
#include "events/endings.h"
#include "events/page_history.h"
#include "events/pages_read.h"
#include "events/settings_page.h"
#include "frame/accessibility.h"
#include "frame/fade.h"
#include "frame/frame_timer.h"
#include "frame/pause.h"
#include "frame/profile.h"
#include "frame/settings_file.h"
#include "frame/startup.h"
#include "frame/warp.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/signals.h"
#include "platform/x_server.h"
#include "play/input.h"
#include "play/interlude_input.h"
#include "play/key_latch.h"
#include "play/key_map.h"
#include "play/room_entry.h"
#include "play/walking.h"
#include "render/assets.h"
#include "render/foot_lines.h"
#include "render/interlude.h"
#include "render/present.h"
#include "render/scaling.h"
#include "render/scene.h"
#include "world/room.h"

namespace {

// --trace: one line on stdout whenever the mode, the page or the room changes, so
// a script driving the game can tell where it is.
bool traceEnabled = false;
int tracedFrames = 0;

void trace_changes()
{
    static int lastMode = -1, lastCode = -1, lastRoom = -1;
    ++tracedFrames;
    if (!traceEnabled) return;
    if (game.gameMode == lastMode && game.eventCode == lastCode && game.currentRoom == lastRoom) return;
    static const char* const modeNames[] = {"Play", "EventScreen", "Interlude", "TheEnd"};
    lastMode = game.gameMode;
    lastCode = game.eventCode;
    lastRoom = game.currentRoom;
    std::printf("frame %d: mode %s, page %d, room %d\n", tracedFrames, modeNames[lastMode & 3], lastCode, lastRoom);
    std::fflush(stdout);
}

// --trace: the endings page and the look back at earlier pages, which change
// what the screen shows without changing the page.
void trace_page_view()
{
    static std::string lastView;
    if (!traceEnabled) return;
    std::string view;
    if (game.gameMode == EventScreen && endings_page_open())
        view = "endings page";
    else if (game.gameMode == EventScreen && pages_looked_back() > 0)
        view = "looking back " + std::to_string(pages_looked_back()) + ", page " + std::to_string(page_looked_at().code);
    if (view == lastView) return;
    std::printf("frame %d: %s\n", tracedFrames, view.empty() ? "the page itself" : view.c_str());
    std::fflush(stdout);
    lastView = view;
}

// --trace: each caption as it appears, so a script can tell what a player saw.
void trace_captions()
{
    static std::vector<std::string> shown;
    if (!traceEnabled) return;
    const std::vector<std::string> now = active_captions();
    for (const std::string& caption : now)
        if (std::find(shown.begin(), shown.end(), caption) == shown.end())
            std::printf("frame %d: caption %s\n", tracedFrames, caption.c_str());
    if (now != shown) std::fflush(stdout);
    shown = now;
}

// --trace: the pause and the going on, with the frame count, which stands still between them.
void trace_pause(bool wasPaused)
{
    if (!traceEnabled || wasPaused == gamePaused) return;
    std::printf("frame %d: %s\n", tracedFrames, gamePaused ? "paused" : "resumed");
    std::fflush(stdout);
}

// Alt+Enter or F4 asked for the other display: the window is made anew at the
// end of the frame, and the frame statistics mark the new mapping.
void switch_display_if_asked()
{
    if (!game.fullscreenToggleRequested) return;
    game.fullscreenToggleRequested = false;
    frame_stats_event(FRAME_DISPLAY_OPENED);
    toggle_display();
}

// F1 on the title, the continue prompt or the pause (the pad's Back on the
// title) opens the settings page; while it is open the game stands still behind
// it, the music and the voice go on. True when this frame was the page's.
bool settings_step(RenderContext& context)
{
    if (!settings_page_open()) {
        const bool firstPage = game.gameMode == EventScreen &&
                               (game.eventCode == TITLE_PAGE || game.eventCode == CONTINUE_PROMPT);
        const bool opens = (pressed(Action::Settings) && (firstPage || gamePaused)) ||
                           (input.padBack.pressed && game.gameMode == EventScreen && game.eventCode == TITLE_PAGE);
        if (!opens) return false;
        open_settings_page();
    } else {
        settings_page_input();
    }
    draw_settings_page(context);
    frame_stats_record(monotonic_now_ns());
    accessibility_frame();
    clear_key_taps();
    captions_tick();
    notice_tick();
    poll_music();
    save_settings_if_changed();
    switch_display_if_asked();
    return true;
}

}  // namespace

bool run_frame(RenderContext& context)
{
    if (game.quitRequested) return false;

    // The one read of the keys and the pad this frame; every step below reads its result.
    poll_input();
    if (settings_step(context)) return true;
    const bool wasPaused = gamePaused;
    if (pause_step(context)) {
        // A paused frame: only the voice and the accessibility keys go on.
        frame_stats_record(monotonic_now_ns());
        accessibility_frame();
        clear_key_taps();
        notice_tick();
        save_settings_if_changed();
        trace_pause(wasPaused);
        if (game.fullscreenToggleRequested) {
            game.fullscreenToggleRequested = false;
            toggle_display();
        }
        return true;
    }

    switch (game.gameMode) {
    case Play: draw_scene(context); break;
    case EventScreen:
    case TheEnd: draw_event_screen(context); break;
    case Interlude: draw_interlude(context); break;
    }
    frame_stats_record(monotonic_now_ns());

    switch (game.gameMode) {
    case Play: play_input(); break;
    case EventScreen: event_screen_input(context); break;
    case Interlude: interlude_input(context); break;
    case TheEnd:
        if (held(Action::Quit)) game.quitRequested = true;
        break;
    }
    accessibility_frame();
    // Every input step has read its keys: the taps between frames are spent.
    clear_key_taps();
    // The sounds go on by the frame just shown, as does the notice's second.
    captions_tick();
    notice_tick();

    if (music_start_due()) frame_stats_event(FRAME_MUSIC_STARTED);
    poll_music();
    update_pulses();
    update_fade();
    if (game.gameMode == Play) world_step();
    // An ending reaches the disk the moment it is recorded, not only at exit.
    save_profile_if_changed();
    save_pages_read_if_changed();
    save_settings_if_changed();
    switch_display_if_asked();
    trace_changes();
    trace_page_view();
    trace_captions();
    return true;
}

int frames_run()
{
    return tracedFrames;
}

namespace {

const char* const USAGE_LINE = "Usage: karvelle [option]...";

void print_help()
{
    std::printf(
        "%s\n"
        "A short narrative walking game. Right walks, Up and Down take ways up and down,\n"
        "Space or Enter turns the page, Escape quits, Alt+Enter or F4 toggles full-screen.\n"
        "A gamepad plays too: the left stick or the d-pad walks and takes the ways up and\n"
        "down, the face buttons (A, B, X, Y) and Start turn the page, Back/Select in a\n"
        "room gives up the walk as Backspace does.\n"
        "With the voice on (V, or the right shoulder button) every page and room is read\n"
        "aloud through the desktop's speech-dispatcher, or the espeak-ng program; the\n"
        "walker stops at each way up or down: Up or Down takes it, Right walks on. Tab\n"
        "(or the left shoulder button) says the last line again. The game starts with\n"
        "the voice on when the desktop runs a screen reader.\n"
        "P pauses on any screen (the pad's Start in a room), T shows captions of the\n"
        "sounds, K switches calm mode (title and prompt); [keys] in config.ini moves\n"
        "any of them to other keys (see karvelle(6)). F1 on the title, the prompt or\n"
        "the pause opens the settings page (volumes, voice, captions, calm mode,\n"
        "auto-walk, the hold of the ways, display); its changes and V, K and T are\n"
        "saved to config.ini ([sound] music_volume, effects_volume = 0-100).\n\n"
        "  --scale N|auto enlarge the 640x480 picture N times (1 to 8), each pixel an\n"
        "                 N x N block; auto takes the largest that fits the desktop\n"
        "                 (config.ini: [graphics] scale = 1)\n"
        "  --window       play in a window (config.ini: [graphics] fullscreen = 0)\n"
        "  --fullscreen   play full-screen; where the monitor cannot switch to 640x480,\n"
        "                 or the scale is not 1, at the desktop's resolution with the\n"
        "                 picture enlarged as far as it fits\n"
        "  --frame-stats  at exit, print the number of frames, the mean, 99th percentile\n"
        "                 and largest time between frames, the time to the first frame,\n"
        "                 the five longest intervals with what the game was doing, and\n"
        "                 how late the frame wait woke\n"
        "  --trace        print a line whenever the mode, the page or the room changes,\n"
        "                 and each line the voice is given as \"say: ...\"\n"
        "  --paths        show where the data, the endings found and config.ini are\n"
        "  --voice        start with the voice on (config.ini: [accessibility] voice = 1;\n"
        "                 voice_rate = words a minute, voice_name, voice_volume = 0-100\n"
        "                 override the desktop's speech settings)\n"
        "  --calm         calm mode: no flashes, no flicker (K on the title switches it)\n"
        "  --captions     show captions of the sounds that matter (T switches them)\n"
        "  --warp ROOM    (for developers) start walking in room ROOM, the story as the\n"
        "                 way there leaves it; the endings found are neither read nor\n"
        "                 saved\n"
        "  --help         show this help\n"
        "  --version      show the version\n",
        USAGE_LINE);
}

}  // namespace

int game_main(int argc, char** argv)
{
    frameStats.processStart = monotonic_now_ns();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--frame-stats") == 0) {
            frameStats.enabled = true;
            frameStats.intervalsMs.reserve(60 * 60 * 30);
            frameStats.drawMs.reserve(60 * 60 * 30);
            frameStats.showMs.reserve(60 * 60 * 30);
        } else if (int used = take_display_option(argc, argv, i)) {
            if (used < 0) {
                std::fprintf(stderr, "%s (try --help)\n", USAGE_LINE);
                return 2;
            }
            i += used - 1;
        } else if (std::strcmp(argv[i], "--warp") == 0) {
            // A developer's option: the walk starts in that room, the profile left alone.
            if (i + 1 >= argc || !parse_warp_room(argv[i + 1], warpRoom)) {
                std::fprintf(stderr, "karvelle: --warp needs a room that a walk reaches\n%s (try --help)\n", USAGE_LINE);
                return 2;
            }
            ++i;
        } else if (std::strcmp(argv[i], "--trace") == 0) {
            traceEnabled = true;
            traceSpeech = true;
        } else if (std::strcmp(argv[i], "--paths") == 0) {
            std::printf("%s", describe_game_paths(game_paths()).c_str());
            return game_paths().place == DataPlace::Missing ? 1 : 0;
        } else if (std::strcmp(argv[i], "--voice") == 0) {
            voiceOption = true;
        } else if (std::strcmp(argv[i], "--calm") == 0) {
            calmOption = true;
        } else if (std::strcmp(argv[i], "--captions") == 0) {
            captionsOption = true;
        } else if (std::strcmp(argv[i], "--help") == 0) {
            print_help();
            return 0;
        } else if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Karvelle %s\n", KARVELLE_VERSION);
            return 0;
        } else {
            std::fprintf(stderr, "karvelle: unknown option %s (try --help)\n", argv[i]);
            return 2;
        }
    }

    if (game_paths().place == DataPlace::Missing) {
        std::string message = missing_data_message(game_paths());
        std::fprintf(stderr, "%s\n", message.c_str());
        // Started from a menu, the player sees no stderr: a message window too,
        // where there is a display to show it on.
        allegro_init();
        if (system_driver && system_driver->id == SYSTEM_XWINDOWS) allegro_message("%s\n", message.c_str());
        return 1;
    }

    block_quit_signals();
    std::srand(unsigned(std::time(nullptr)));
    initialise_game();
    if (displayUnavailable) return 1;
    install_quit_signals();

    // After a start-up failure the loop draws nothing, so nothing is loaded for it.
    if (!game.quitRequested && load_assets(renderContext)) {
        select_music(Possibilities);
        enter_room(0);
    }
    game.fadeLevel = 255;
    game.fadeState = FadeIn;
    game.gameMode = EventScreen;
    // A warped run leaves the player's profile and pages read alone.
    if (warpRoom >= 0) {
        warp_start();
    } else {
        read_profile();
        read_pages_read();
    }
    install_display_loss_handler(write_profile);
    frameOverlay = draw_accessibility_overlay;

    // The first interval carries the mapping of the new window.
    frameStats.pendingEvents = FRAME_DISPLAY_OPENED;
    while (run_frame(renderContext)) frame_timer_pace();

    // The endings are saved first: nothing that stops the voice or the music
    // can cost the player what was found.
    write_profile();
    save_pages_read_if_changed(true);
    stop_accessibility();
    stop_music();
    if (frameStats.enabled) {
        // The summary line names the scale the frames were shown at.
        std::string report = frame_stats_report(frameStats);
        report.insert(report.find('\n'), ", scale " + std::to_string(displayLayout.factor));
        std::printf("%s", report.c_str());
    }
    // A picture or the font that could not be had is a failure, after its message.
    return data_failed() ? 1 : 0;
}
