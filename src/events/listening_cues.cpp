#include "events/listening_cues.h"

#include "audio/cues.h"
#include "audio/speech_queue.h"
#include "core/game_state.h"
#include "play/input.h"

namespace {

int walkingFrames = 0;
int heldFrames = 0;

}  // namespace

void listening_cues_frame()
{
    if (!settings.voice || game.gameMode != Play || game.roomChangePending) {
        walkingFrames = 0;
        heldFrames = 0;
        return;
    }
    // The first step is heard at once, then one every period.
    if (game.playerSpeed != 0.0) {
        if (walkingFrames % FOOTSTEP_PERIOD == 0) play_cue(Cue::Footstep);
        ++walkingFrames;
    } else {
        walkingFrames = 0;
    }
    // Right pressed while the picture holds the walker (a scene held in black).
    if (held(Action::Walk) && game.fadeHoldFrames > 0) {
        if (heldFrames % HELD_STILL_PERIOD == 0) play_cue(Cue::HeldStill);
        ++heldFrames;
    } else {
        heldFrames = 0;
    }
}

void reset_listening_cues()
{
    walkingFrames = 0;
    heldFrames = 0;
}
