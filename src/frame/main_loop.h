// The main routine and one frame of its loop.
#pragma once

#include "render/render_context.h"

// Draw, input, music, pulses and fade, world, display toggle: one frame without
// the wait. Returns false when the loop is to end instead.
bool run_frame(RenderContext& context);
// Frames the loop has run; paused frames do not count.
int frames_run();
int game_main(int argc, char** argv);
