// Full-screen pages of text: the title page, the continue prompt, dialogue and
// the end page; their backdrops, one frame of drawing and their input.
#pragma once

#include "events/page_drawing.h"
#include "render/render_context.h"

void draw_event_screen(RenderContext& context);
void event_screen_input(RenderContext& context);
void draw_noise_backdrop(RenderContext& context);
void draw_corner_frame(RenderContext& context);

// Steps 1 to 7 of a frame: the backdrop, its enlargement, the page, the diagnostic
// line and the fade, finished on the back buffer but not yet shown.
void compose_event_frame(RenderContext& context);

// event_screen_input without the poll: acts on `input` and on the keys read
// directly (Escape, N) as they stand.
void event_screen_act(RenderContext& context);
// Forgets the remembered state of the N key.
void reset_event_screen_input();
