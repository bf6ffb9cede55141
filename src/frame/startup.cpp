#include "frame/startup.h"

#include <allegro.h>
#include <aldumb.h>

#include <cstdio>

#include "audio/music.h"
#include "core/display_options.h"
#include "core/game_state.h"
#include "frame/accessibility.h"
#include "frame/frame_timer.h"
#include "platform/display.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sound_card.h"
#include "platform/window_icon.h"
#include "play/gamepad.h"
#include "play/input.h"
#include "play/key_latch.h"
#include "render/assets.h"
#include "render/lookup_tables.h"
#include "render/render_context.h"
#include "text/text.h"

bool displayUnavailable = false;

namespace {

// Opens the display in the mode `fullscreen` asks for. A refused full-screen
// mode falls back to a window; returns false when neither opens.
bool open_display()
{
    if (game.fullscreen) {
        if (open_display_mode(true)) return true;
        game.fullscreen = false;
    }
    if (!open_display_mode(false)) return false;
    show_os_cursor(MOUSE_CURSOR_ARROW);
    return true;
}

// Display-switch mode and callbacks as start-up installs them. X11 accepts only
// SWITCH_BACKGROUND, also full-screen, so a refused mode falls back to it before
// start-up gives up.
void install_switch_handling()
{
    int mode = game.fullscreen ? SWITCH_AMNESIA : SWITCH_BACKGROUND;
    if (set_display_switch_mode(mode) != 0 && set_display_switch_mode(SWITCH_BACKGROUND) != 0) {
        set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
        allegro_message("Error setting switch handler.\n");
        game.quitRequested = true;
    }
    if (set_display_switch_callback(SWITCH_IN, on_switch_in) < 0) game.switchCallbackFailed = true;
    if (set_display_switch_callback(SWITCH_OUT, on_switch_out) < 0) game.switchCallbackFailed = true;
}

}  // namespace

void on_switch_in()
{
    music_resume();
}

void on_switch_out()
{
    music_pause();
}

void on_close_button()
{
    game.quitRequested = true;
}

void initialise_game()
{
    text_init();
    name_game_window();
    allegro_init();
    // Without an X server Allegro falls back to a console driver, whose window
    // calls are not safe: there is no display to play on.
    if (!system_driver || system_driver->id != SYSTEM_XWINDOWS) {
        std::fprintf(stderr, "Karvelle: cannot open a display: no X server (is DISPLAY set?)\n");
        displayUnavailable = true;
        return;
    }
    atexit(&dumb_exit);
    dumb_register_stdfiles();
    set_window_title("Karvelle");
    set_close_button_callback(on_close_button);

    // Allegro's parser loops for ever on some bytes: a file that is not a small
    // plain text is ignored, and the defaults are used.
    if (config_file_usable(config_path()))
        set_config_file(config_path());
    else
        set_config_data("", 0);
    settings.fullscreen = get_config_int("graphics", "fullscreen", 1) == 1;
    game.fullscreen = settings.fullscreen;
    apply_display_options();
    read_accessibility_config();

    install_keyboard();
    install_key_latch();
    reset_input();
    install_timer();
    install_mouse();
    install_gamepad();
    request_refresh_rate(60);
    set_color_depth(32);

    if (!open_display()) {
        std::fprintf(stderr, "Karvelle: cannot open a 640x480 display (%s)\n",
                     allegro_error[0] ? allegro_error : "no X display");
        displayUnavailable = true;
        return;
    }
    install_switch_handling();

    set_volume_per_voice(0);
    quiet_sound_card_probe(true);
    const int soundInstalled = install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr);
    quiet_sound_card_probe(false);
    if (soundInstalled < 0) {
        set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
        allegro_message("Error installing sound.\n");
        // Go on without sound in a display of our own again.
        if (!open_display()) {
            std::fprintf(stderr, "Karvelle: cannot open a 640x480 display (%s)\n", allegro_error);
            displayUnavailable = true;
            return;
        }
        install_switch_handling();
    }

    load_music();
    frame_timer_start();
    text_set_background(-1);
    fill_lookup_tables();
    fill_colour_ramp();
    game.gameMode = Play;
}

void toggle_display()
{
    music_pause();
    destroy_video_pages(renderContext);

    if (!open_display_mode(game.fullscreen)) {
        // The asked-for mode is refused: stay in the one we had.
        game.fullscreen = !game.fullscreen;
        if (!open_display_mode(game.fullscreen)) {
            std::fprintf(stderr, "Karvelle: cannot re-open the display (%s)\n", allegro_error);
            game.quitRequested = true;
            return;
        }
    }
    if (screen) clear_bitmap(screen);

    bool accepted;
    if (game.fullscreen) {
        // X11 refuses SWITCH_BACKAMNESIA but keeps the music going with SWITCH_BACKGROUND.
        accepted = set_display_switch_mode(SWITCH_BACKAMNESIA) == 0 || set_display_switch_mode(SWITCH_BACKGROUND) == 0;
    } else {
        accepted = set_display_switch_mode(SWITCH_BACKGROUND) == 0 || set_display_switch_mode(SWITCH_AMNESIA) == 0;
    }
    bool outInstalled = false;
    if (accepted) {
        set_display_switch_callback(SWITCH_IN, on_switch_in);
        outInstalled = set_display_switch_callback(SWITCH_OUT, on_switch_out) >= 0;
    }
    if (!accepted || !outInstalled) {
        set_display_switch_mode(SWITCH_NONE);
        set_display_switch_callback(SWITCH_IN, on_switch_in);
    }

    create_video_pages(renderContext);
    music_resume();
}
