// The endings found: their count, the line that shows it, the last path it opens,
// the continue prompt offered at start-up and the closing page.
#include "events/endings.h"

#include <allegro.h>

#include "core/game_state.h"
#include "events/page_drawing.h"
#include "frame/profile.h"
#include "text/text.h"

int count_endings()
{
    int count = 0;
    for (bool found : game.endingsFound)
        if (found) ++count;
    game.endingsCount = count;
    return count;
}

std::string paths_phrase(int count)
{
    static const char* const phrases[] = {"one path",  "two paths",   "three paths", "four paths",
                                          "five paths", "six paths", "seven paths", "eight paths"};
    if (count >= 1 && count <= 8) return phrases[count - 1];
    return "x paths";
}

std::string count_line(int count)
{
    return "[" + paths_phrase(count) + " out of eight]";
}

void count_step(RenderContext& context, int lineIndex)
{
    count_endings();
    // Endings 1 to 7 without 8: the walk may begin on the last path.
    game.lastPathOpen = game.endingsCount > 6 && !game.endingsFound[8];
    if (game.endingsCount <= 0) return;

    const std::string text = count_line(game.endingsCount);
    draw_text_line(context, -1, 360, text.c_str(), 255 - game.pulse100, 255 - 2 * game.pulse50,
                   255 - game.pulse100 / 2, true, lineIndex, 4);
}

void clear_endings()
{
    for (int n = 1; n <= 8; ++n) game.endingsFound[n] = false;
    note_endings_cleared();
}

void draw_continue_prompt(RenderContext& context)
{
    const int grey = dialogue_grey();
    draw_text_line(context, 5, 5, "To start a new game, press N.", grey, grey, grey, true, 1, 4);
    draw_text_line(context, 5, 5, "To continue, press SPACE.", grey, grey, grey, true, 2, 4);
    count_step(context, 4);
}

void draw_end_page(RenderContext& context)
{
    const int grey = dialogue_grey();
    draw_text_line(context, 5, 5, "The End", grey, grey, grey, true, 0, 0);
    draw_small_centred(context, "[Press escape to exit]", 445, hint_grey());
}
