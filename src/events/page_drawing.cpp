#include "events/page_drawing.h"

#include <allegro.h>

#include <cstdint>

#include "core/game_state.h"
#include "text/text.h"

int dialogue_grey() { return 255 - game.pulse100; }
int hint_grey() { return 180 - game.pulse100 / 2; }

LinePlacement place_text_line(int textWidth, int fontHeight, int x, int y, bool centred, int lineIndex,
                              int lineCount)
{
    const int h = fontHeight / 2;
    const int w = textWidth / 2;
    if (x == -1) x = 320 - w;
    if (centred) {
        x = 320 - w;
        if (lineCount > 0) {
            // Computed wide so that a wild index cannot overflow; the result wraps like int32.
            const int64_t top = 240 - h - int64_t(h + 1) * (int64_t(lineCount) - 1) +
                                (int64_t(lineIndex) - 1) * (2 * int64_t(h) + 2);
            y = static_cast<int>(static_cast<int32_t>(top));
        } else {
            y = 240 - h;
        }
    }
    return {x, y};
}

void draw_text_line(RenderContext& context, int x, int y, const char* text, int red, int green, int blue,
                    bool centred, int lineIndex, int lineCount)
{
    FontFace* font = context.dialogueFont;
    if (!context.backBuffer || !font || !text) return;
    const LinePlacement at =
        place_text_line(face_text_width(font, text), face_height(font), x, y, centred, lineIndex, lineCount);
    face_draw_text(context.backBuffer, font, text, at.x, at.y, makecol(red, green, blue));
}

void draw_small_centred(RenderContext& context, const char* text, int y, int grey)
{
    FontFace* font = context.smallFont;
    if (!context.backBuffer || !font || !text) return;
    const int x = 320 - face_text_width(font, text) / 2;
    face_draw_text(context.backBuffer, font, text, x, y, makecol(grey, grey, grey));
}
