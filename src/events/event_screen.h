// Full-screen pages of text: the title page, the continue prompt, dialogue and
// the end page; their backdrops, one frame of drawing and their input.
#pragma once

#include "events/page_drawing.h"
#include "render/render_context.h"

void draw_event_screen(RenderContext& context);
// The page's step: acts on the frame's actions (poll_input).
void event_screen_input(RenderContext& context);
void draw_noise_backdrop(RenderContext& context);
void draw_corner_frame(RenderContext& context);

// Steps 1 to 7 of a frame: the backdrop, its enlargement, the page, the diagnostic
// line and the fade, finished on the back buffer but not yet shown.
void compose_event_frame(RenderContext& context);

// Forgets the page the last frame was on.
void reset_event_screen_input();
