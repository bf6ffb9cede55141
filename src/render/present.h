// Shows a finished 640x480 back buffer: on the next video page when there is one,
// straight onto the screen when the display gave no pages, enlarged onto the
// screen when the display is larger than the frame.
#pragma once

#include "render/render_context.h"

void show_frame(RenderContext& context);

// Drawn over every finished frame just before it is shown (captions, notices);
// none unless the game sets one.
extern void (*frameOverlay)(RenderContext& context);

// Covers a bitmap with black at opacity fadeLevel when a fade is running.
void draw_fade_overlay(BITMAP* target, int width, int height);

// The diagnostic line, drawn on the back buffer when a switch callback was refused.
void draw_diagnostic_line(RenderContext& context);
