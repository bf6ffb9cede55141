// Short lines at the foot of the screen, each over a dark band: what a key has
// just done ("Calm mode on"), the captions of the sounds playing; and the dimmed
// screen of the pause.
#pragma once

#include <string>
#include <vector>

#include "render/render_context.h"

// A notice stays a second.
constexpr int NOTICE_FRAMES = 60;
// Each line's band: its height, the gap beneath the lowest one, the room left and
// right of the text, and how dark it is (opacity of black over the picture).
constexpr int FOOT_BAND_HEIGHT = 34;
constexpr int FOOT_MARGIN = 8;
constexpr int FOOT_PADDING = 14;
constexpr int FOOT_BAND_OPACITY = 200;
// The grey of the lines and of "Paused", and how far the paused picture is dimmed.
constexpr int FOOT_TEXT_GREY = 230;
constexpr int PAUSE_DIM_OPACITY = 140;

// Shows `text` at the foot of the screen for a second, in place of any notice before it.
void show_notice(const std::string& text);
// The notice showing; empty when none.
const std::string& current_notice();
// Once a frame: counts the notice's second down.
void notice_tick();
void reset_notice();

// Draws `lines` on the back buffer from the foot upwards, the first lowest, each
// centred over a band of its own width.
void draw_foot_lines(RenderContext& context, const std::vector<std::string>& lines);
// Dims the whole back buffer and writes "Paused" in its middle, over a band.
void draw_paused(RenderContext& context);
