#include "frame/pause.h"

#include <allegro.h>

#include "audio/music.h"
#include "audio/sound.h"
#include "events/narration.h"
#include "core/game_state.h"
#include "play/input.h"
#include "play/key_map.h"
#include "render/foot_lines.h"
#include "render/present.h"

bool gamePaused = false;

namespace {

// The frame shown when the pause began, before it is dimmed.
BITMAP* stillFrame = nullptr;
// Start goes on only from a pause it began: on a page Start turns the page.
bool pausedFromRoom = false;

void show_paused_frame(RenderContext& context)
{
    if (!context.backBuffer) return;
    if (stillFrame) blit(stillFrame, context.backBuffer, 0, 0, 0, 0, 640, 480);
    draw_paused(context);
    show_frame(context);
}

}  // namespace

void pause_game(RenderContext& context)
{
    if (gamePaused) return;
    gamePaused = true;
    pausedFromRoom = game.gameMode == Play;
    if (context.backBuffer) {
        if (!stillFrame) stillFrame = create_bitmap(640, 480);
        if (stillFrame) blit(context.backBuffer, stillFrame, 0, 0, 0, 0, 640, 480);
    }
    music_hold(true);
    hold_sound_effects(true);
    narration_announce("Paused");
}

void resume_game()
{
    if (!gamePaused) return;
    gamePaused = false;
    music_hold(false);
    hold_sound_effects(false);
    narration_describe_screen();
}

bool pause_step(RenderContext& context)
{
    const bool pausePressed = pressed(Action::Pause);
    const bool startPressed = input.padStart.pressed;

    if (!gamePaused) {
        if (!pausePressed && !(startPressed && game.gameMode == Play)) return false;
        pause_game(context);
    } else if (pausePressed || (startPressed && pausedFromRoom)) {
        resume_game();
        // This frame still shows the pause; the game moves on from the next.
    } else if (held(Action::Quit)) {
        game.quitRequested = true;
        return true;
    }
    show_paused_frame(context);
    return true;
}

void reset_pause()
{
    gamePaused = false;
    pausedFromRoom = false;
    music_hold(false);
}
