// The first gamepad, read into the game's logical controls: the left stick or the
// d-pad for Right, Left, Up and Down, the face buttons and Start for the action keys,
// Back/Select for Backspace, the left shoulder to repeat what the voice said and
// the right shoulder to switch the voice. No pad, or no joystick driver, reads as
// nothing held.
#pragma once

#include <vector>

struct PadState {
    bool up = false;
    bool down = false;
    bool right = false;
    bool left = false;
    bool action = false;
    bool back = false;
    bool repeat = false;  // says the last line again (as Tab)
    bool voice = false;   // switches the voice (as V)
    bool start = false;  // Start, which also turns pages; in a room it pauses
};

// Installs Allegro's joystick driver and learns the first pad's layout from the
// device. A failure is silent: the keyboard alone plays the game.
void install_gamepad();
// The roles of the pad's axes and buttons from their Linux input codes (ABS_*, BTN_*),
// in the driver's order. Empty lists give the plain layout: axes 0 and 1, and a
// digital stick, steer; buttons 0 to 3 are action buttons, 4 repeats and 5
// switches the voice; there is no Back.
void set_gamepad_layout(const std::vector<int>& axisCodes, const std::vector<int>& buttonCodes);
// Polls the joystick driver and reads the first pad from Allegro's joy[].
PadState read_gamepad();
// What the last read_gamepad found.
const PadState& last_gamepad_state();
