#include "play/walk_assist.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>


bool autoWalking = false;

bool auto_walk_step(bool rightHeld, bool rightPressed)
{
    if (!settings.autoWalk) {
        autoWalking = false;
        return rightHeld;
    }
    if (rightPressed) autoWalking = !autoWalking;
    // Held, Right walks as ever, also after the press that stopped the walk.
    return rightHeld || autoWalking;
}

void stop_auto_walk()
{
    autoWalking = false;
}

void read_controls_config()
{
    reset_walk_assist();
    settings.autoWalk = get_config_int("controls", "auto_walk", 0) == 1;
    const char* hold = get_config_string("controls", "exit_hold_frames", nullptr);
    if (!hold) return;
    char* end = nullptr;
    const long frames = std::strtol(hold, &end, 10);
    if (end == hold || *end != '\0' || frames < 1 || frames > MAX_EXIT_HOLD_FRAMES) {
        std::fprintf(stderr, "Karvelle: [controls] exit_hold_frames = %s is not a whole number from 1 to %d; %d kept\n",
                     hold, MAX_EXIT_HOLD_FRAMES, EXIT_HOLD_FRAMES);
        return;
    }
    settings.exitHoldFrames = int(frames);
}

void reset_walk_assist()
{
    settings.autoWalk = false;
    autoWalking = false;
    settings.exitHoldFrames = EXIT_HOLD_FRAMES;
}
