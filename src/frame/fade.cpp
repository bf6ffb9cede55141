#include "frame/fade.h"

#include "core/game_state.h"

void update_fade()
{
    if (game.fadeLevel == 0 && game.fadeState == FadeIn) {
        game.fadeState = Idle;
        return;
    }
    switch (game.fadeState) {
    case FadeOut: {
        int level = game.fadeLevel + 30;
        if (level > 254) {
            game.fadeLevel = 255;
            game.fadeState = Black;
        } else {
            game.fadeLevel = level;
        }
        break;
    }
    case FadeIn: {
        // Reaching 0 keeps FadeIn for this frame; the next call makes it Idle.
        int level = game.fadeLevel - 30;
        game.fadeLevel = level <= 0 ? 0 : level;
        break;
    }
    case SlowFadeOut: {
        int level = game.fadeLevel + 8;
        if (level > 254) {
            game.fadeLevel = 255;
            if (game.fadeHoldFrames > 0) {
                game.fadeState = Black;
                game.fadeHoldReached = true;
            } else {
                game.fadeState = FadedOut;
            }
        } else {
            game.fadeLevel = level;
        }
        break;
    }
    case SlowFadeIn: {
        int level = game.fadeLevel - 8;
        if (level <= 0) {
            game.fadeLevel = 0;
            game.fadeState = Idle;
        } else {
            game.fadeLevel = level;
        }
        break;
    }
    case Idle:
    case Black:
    case FadedOut:
        break;
    }
}

namespace {

// A counter rising and falling by one between 0 and `top`.
void bounce(int32_t& value, int32_t& direction, int32_t top)
{
    if (direction == 0) {
        int32_t next = value + 1;
        if (next >= top) {
            value = top;
            direction = 1;
        } else {
            value = next;
        }
    } else {
        int32_t next = value - 1;
        if (next <= 0) {
            value = 0;
            direction = 0;
        } else {
            value = next;
        }
    }
}

}  // namespace

void update_pulses()
{
    bounce(game.pulse100, game.pulse100Direction, 100);
    bounce(game.pulse50, game.pulse50Direction, 50);

    // pulse255 turns only when it passes its ends: up through multiples of 4 to
    // 255, down through 255 - 4k to 0.
    if (game.pulse255Direction == 0) {
        int32_t next = game.pulse255 + 4;
        if (next > 254) {
            game.pulse255 = 255;
            game.pulse255Direction = 1;
        } else {
            game.pulse255 = next;
        }
    } else {
        int32_t next = game.pulse255 - 4;
        if (next < 0) {
            game.pulse255 = 0;
            game.pulse255Direction = 0;
        } else {
            game.pulse255 = next;
        }
    }
}
