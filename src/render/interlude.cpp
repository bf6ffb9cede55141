#include "render/interlude.h"

#include <allegro.h>

#include "core/game_state.h"
#include "render/blend.h"
#include "render/present.h"

void draw_interlude(RenderContext& context)
{
    if (BITMAP* low = context.lowResBuffer) {
        clear_to_color(low, 0);
        draw_fade_overlay(low, 320, 240);
        if (context.backBuffer) enlarge_2x(low, context.backBuffer);
    }
    game.interludeClockWhole = static_cast<int32_t>(game.interludeClock);
    draw_diagnostic_line(context);
    show_frame(context);
}
