// Triggers that fire as the player walks past them, the war ambience, and what
// play does when a slow fade to black ends.
#include "play/triggers.h"

#include "audio/sound.h"
#include "core/game_state.h"
#include "play/room_entry.h"
#include "play/walk_assist.h"
#include "render/assets.h"
#include "world/room.h"

namespace {

constexpr int WAR_SOUND = 2;
constexpr int BEDROOM_ROOM = 20;    // its end-of-walk fade goes on in the next room
constexpr int MORNING_ROOM = 21;
constexpr double RESTART_X = 60.0;

}  // namespace

void scan_triggers()
{
    Room& room = current_room();
    int count = room.triggerCount < MAX_TRIGGERS ? room.triggerCount : MAX_TRIGGERS;
    // Every slot passed in this step fires, in slot order; the last one's code stays.
    for (int i = 0; i < count; ++i) {
        if (room.triggerFired[i]) continue;
        if (game.playerX < room.triggerX[i]) continue;
        EventCode code = room.triggerCode[i];
        // A page or an event of the room: auto-walk stops for the player to take it in.
        stop_auto_walk();
        if (code < 0) {
            room.triggerFired[i] = true;
            game.eventCode = code;
            sound_event(code);
        } else {
            game.eventCode = code;
            game.gameMode = EventScreen;
            room.triggerFired[i] = true;
        }
    }
}

void war_ambience_step()
{
    if (!current_room().warAmbience) return;
    game.ambienceCountdown -= 1;
    if (game.ambienceCountdown <= 0) {
        game.ambienceCountdown = WAR_AMBIENCE_PERIOD;
        play_sound(WAR_SOUND);
    }
}

void faded_out_step()
{
    if (game.currentRoom == BEDROOM_ROOM) {
        game.roomChangePending = false;
        game.fadeState = FadeIn;
        enter_room(MORNING_ROOM);
        game.eventCode = 0;
        game.playerX = RESTART_X;
    } else {
        quit_to_interlude();
    }
}

void scene_swap_step()
{
    if (game.fadeHoldFrames <= 0) return;
    game.fadeHoldFrames -= 1;
    // Behind black: the room's picture is replaced, its sceneImage stays.
    if (game.fadeHoldReached) {
        load_scene_image(SCENE_SWAP_IMAGE);
        game.fadeHoldReached = false;
    }
    if (game.fadeHoldFrames == SCENE_SWAP_FADE_IN_AT) game.fadeState = SlowFadeIn;
}
