// Drawing the lines of a full-screen page: where a line goes, its pulsing greys
// and the small centred lines, shared by every page.
#pragma once

#include "render/render_context.h"

void draw_text_line(RenderContext& context, int x, int y, const char* text, int red, int green, int blue,
                    bool centred, int lineIndex, int lineCount);

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
