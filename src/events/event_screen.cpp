// The machinery shared by every full-screen page: one frame of drawing, the two
// backdrops and the keys that leave a page.
#include "events/event_screen.h"

#include <cstdint>

#include <allegro.h>

#include "audio/music.h"
#include "audio/speech.h"
#include "core/game_state.h"
#include "core/settings.h"
#include "events/endings.h"
#include "events/endings_page.h"
#include "events/hurry.h"
#include "events/page_history.h"
#include "events/pages.h"
#include "events/pages_read.h"
#include "play/input.h"
#include "play/key_latch.h"
#include "play/key_map.h"
#include "play/room_entry.h"
#include "render/blend.h"
#include "render/calm.h"
#include "render/present.h"
#include "text/text.h"
#include "world/room.h"

namespace {

constexpr int FULL_W = 640;
constexpr int FULL_H = 480;
constexpr int LOW_W = 320;
constexpr int LOW_H = 240;

// The first room of the last path, open once endings 1 to 7 are found.
constexpr int LAST_PATH_ROOM = 61;

// The page the previous frame was on: an N pressed as a page comes up is no
// press on it.
EventCode nPage = -1;
bool is_dialogue(EventCode code)
{
    return code != TITLE_PAGE && code != CONTINUE_PROMPT && code != END_PAGE;
}

// Escape leaves the endings page without quitting: it counts as up until let go,
// or the title beneath would take it as a quit on the next frame.
void hold_quit_keys()
{
    for (const KeyChord& chord : action_keys(Action::Quit))
        for (int scancode : chord) hold_key_until_released(scancode);
}

// The endings page takes every key while it is up.
void endings_page_act()
{
    if (held(Action::Quit)) {
        hold_quit_keys();
        close_endings_page();
    } else if (pressed(Action::Endings) || pressed(Action::Page)) {
        close_endings_page();
    }
}

// A dialogue page is turned, by a key or by hurry: read, and the latest of this walk.
void turn_page()
{
    const int count = count_endings();
    mark_page_read(game.eventCode, count);
    note_page_turned(game.eventCode, count);
    reset_hurry();
    game.gameMode = Play;
}

}  // namespace

void draw_noise_backdrop(RenderContext& context)
{
    BITMAP* low = context.lowResBuffer;
    if (!low) return;
    // The grey breathes with the pulse: 48 down to 23 and back.
    const int g = 48 - game.pulse100 / 4;
    const int grey = makecol(g, g, g);
    rectfill(low, 0, 0, FULL_W, FULL_H, grey);
    const int black = makecol(0, 0, 0);
    calm_begin_frame();
    for (int r = 0; r < 60; ++r) {
        // Black over the one grey at the cell's opacity is one colour for the whole cell.
        uint32_t cells[80];
        for (int c = 0; c < 80; ++c) cells[c] = blend_pixel32(black, grey, cell_opacity(c, r));
        fill_cell_row(low, 0, 4 * r, 4, cells, 80);
    }
}

void draw_corner_frame(RenderContext& context)
{
    BITMAP* low = context.lowResBuffer;
    if (!low) return;
    clear_to_color(low, makecol(0, 0, 0));
    const int grey = dialogue_grey();
    const int colour = makecol(grey, grey, grey);
    line(low, 10, 10, 35, 10, colour);
    line(low, 10, 10, 10, 35, colour);
    line(low, 310, 10, 285, 10, colour);
    line(low, 310, 10, 310, 35, colour);
    line(low, 310, 230, 285, 230, colour);
    line(low, 310, 230, 310, 205, colour);
    line(low, 10, 230, 35, 230, colour);
    line(low, 10, 230, 10, 205, colour);
}

void compose_event_frame(RenderContext& context)
{
    BITMAP* low = context.lowResBuffer;
    BITMAP* back = context.backBuffer;
    if (!back) return;

    if (low) {
        acquire_bitmap(low);
        if ((game.eventCode == TITLE_PAGE || game.eventCode == CONTINUE_PROMPT) && !endings_page_open())
            draw_noise_backdrop(context);
        else
            draw_corner_frame(context);
        enlarge_2x(low, back);
    } else {
        clear_to_color(back, makecol(0, 0, 0));
    }

    if (endings_page_open()) {
        draw_endings_page(context);
    } else if (pages_looked_back() > 0) {
        // An earlier page, as it read then; the page that is up keeps its effects.
        const ReadPage earlier = page_looked_at();
        draw_page_lines(context, earlier.code, earlier.endingsCount);
        apply_page_effects(game.eventCode);
        draw_small_centred(context, "[an earlier page: Space comes back]", 445, hint_grey());
    } else {
        draw_event_text(context, game.eventCode);
        if (is_dialogue(game.eventCode) && page_hurries(game.eventCode, game.endingsCount)) draw_read_mark(context);
    }
    if (game.switchCallbackFailed) draw_diagnostic_line(context);
    // The overlay darkens the text as well as the backdrop.
    if (game.fadeState != Idle) {
        if (low)
            blend_over_enlarged(low, back, makecol(0, 0, 0), game.fadeLevel);
        else
            draw_fade_overlay(back, FULL_W, FULL_H);
    }

    if (low) release_bitmap(low);
}

void draw_event_screen(RenderContext& context)
{
    compose_event_frame(context);
    if (context.backBuffer) show_frame(context);
}

void event_screen_input(RenderContext& context)
{
    const bool nPressed = pressed(Action::NewGame) && game.eventCode == nPage;
    nPage = game.eventCode;

    if (endings_page_open()) {
        endings_page_act();
        clear_keybuf();
        return;
    }

    // Escape leaves the game from every page, the title included.
    if (held(Action::Quit)) game.quitRequested = true;

    // The title has faded to black: the walk begins.
    bool playStarted = false;
    if (game.fadeState == Black && game.eventCode == TITLE_PAGE) {
        if (game.lastPathOpen) {
            enter_room(LAST_PATH_ROOM);
            select_music(Impossibilities);
        }
        game.fadeState = FadeIn;
        game.fadeLevel = 254;
        game.gameMode = Play;
        playStarted = true;
        clear_page_history();
    }

    // A press in the very frame that play starts belongs to play: taking it as a
    // second dismissal of the title would fade the walk out to black and leave it there.
    const bool firstPage = game.eventCode == TITLE_PAGE || game.eventCode == CONTINUE_PROMPT;
    if (!playStarted) {
        if (game.eventCode == CONTINUE_PROMPT && nPressed) {
            // A new set of endings, as when start-up finds all eight.
            clear_endings();
            game.eventCode = TITLE_PAGE;
        } else if (firstPage && pressed(Action::Endings) && game.fadeState == Idle) {
            open_endings_page();
        } else if (pages_looked_back() > 0) {
            // Looking back changes nothing: Left goes further, a page key comes back.
            if (pressed(Action::Left))
                look_back();
            else if (pressed(Action::Page))
                stop_looking_back();
        } else if (pressed(Action::Page)) {
            if (game.eventCode == TITLE_PAGE)
                game.fadeState = FadeOut;
            else if (game.eventCode == CONTINUE_PROMPT)
                game.eventCode = TITLE_PAGE;
            else
                turn_page();
        } else if (is_dialogue(game.eventCode)) {
            if (pressed(Action::Left) && look_back())
                reset_hurry();
            else if (hurry_turn_due(game.eventCode, count_endings(), held(Action::Walk),
                                    settings.voice && speech_playing()))
                turn_page();
        }
    }

    clear_keybuf();
}

void reset_event_screen_input()
{
    nPage = -1;
    close_endings_page();
    clear_page_history();
    reset_hurry();
}
