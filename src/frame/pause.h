// The player's pause, on any screen: nothing of the game moves (not the frame
// count, the fades, the pulses, the world, the music nor the sound effects) and
// the last frame stays, dimmed, with "Paused" over it. The pause key again goes
// on exactly where the game stood; Escape quits, as on a page.
#pragma once

#include "render/render_context.h"

extern bool gamePaused;

// First thing in a frame: a new press of the pause key (or the pad's Start in a
// room) pauses or goes on; while paused, draws the paused frame and reads Escape.
// True when this frame is a paused one, and nothing else of it is to run.
bool pause_step(RenderContext& context);

// The pause itself, also for tests: keeps the finished frame on the back buffer
// as the picture to dim, and holds the music and the effects.
void pause_game(RenderContext& context);
void resume_game();
// No pause, no key remembered (tests).
void reset_pause();
