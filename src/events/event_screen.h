// Full-screen pages of text: the title page, the continue prompt, dialogue and
// the end page, their backdrops, line placement and input.
#pragma once

#include "render/render_context.h"

void draw_event_screen(RenderContext& context);
void event_screen_input(RenderContext& context);
void draw_text_line(RenderContext& context, int x, int y, const char* text, int red, int green, int blue,
                    bool centred, int lineIndex, int lineCount);
void draw_noise_backdrop(RenderContext& context);
void draw_corner_frame(RenderContext& context);

// The game's name on the title page and the credit line beneath it.
constexpr const char* TITLE_NAME = "KARVELLE";
constexpr const char* TITLE_CREDIT = "A story by the Karvelle team";

// Where a line of dialogue goes: the top-left corner of its text.
struct LinePlacement {
    int x;
    int y;
};
// The placement rule of draw_text_line for a text `textWidth` pixels wide in a face
// of `fontHeight` pixels: x -1 centres horizontally, `centred` also stacks the lines
// of a page into a block around the middle row, 2h + 2 pixels apart.
LinePlacement place_text_line(int textWidth, int fontHeight, int x, int y, bool centred, int lineIndex,
                              int lineCount);

// Pulsing text colours, as one component of a grey.
int dialogue_grey();  // 255 - pulse100
int hint_grey();      // 180 - pulse100 / 2

// A line of smallFont in an even grey, centred horizontally with its top at y.
void draw_small_centred(RenderContext& context, const char* text, int y, int grey);

// The title page (code 0) and the page for a code the script does not know.
void draw_title_page(RenderContext& context);
void draw_error_page(RenderContext& context);

// Steps 1 to 7 of a frame: the backdrop, its enlargement, the page, the diagnostic
// line and the fade, finished on the back buffer but not yet shown.
void compose_event_frame(RenderContext& context);

// event_screen_input without the poll: acts on `input` and on the keys read
// directly (Escape, N) as they stand.
void event_screen_act(RenderContext& context);
// Forgets the remembered state of the N key.
void reset_event_screen_input();
