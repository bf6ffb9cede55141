// The interlude's step: its clock, and the page that follows it.
#include "play/interlude_input.h"

#include <allegro.h>

#include "core/game_state.h"
#include "play/input.h"

namespace {
constexpr double INTERLUDE_CLOCK_START = -240.0;
// Half a unit a frame from -240: the end page follows the 362nd black frame.
constexpr int END_PAGE_CLOCK = -59;
constexpr EventCode END_PAGE = 42;
}  // namespace

void interlude_input(RenderContext& context)
{
    game.interludeClock += 0.5;
    if (game.fadeState == Black) {
        game.fadeState = FadeIn;
        game.interludeClock = INTERLUDE_CLOCK_START;
    }
    switch (game.interludeKind) {
    case 0:
        game.gameMode = EventScreen;
        game.fadeLevel = 255;
        game.fadeState = FadeIn;
        game.interludeKind = 0;
        break;
    case 1:
        if (game.interludeClockWhole >= END_PAGE_CLOCK) {
            game.gameMode = TheEnd;
            game.fadeLevel = 255;
            game.fadeState = FadeIn;
            game.eventCode = END_PAGE;
        }
        break;
    default:
        break;
    }
    clear_keybuf();
}
