// The joystick device, read directly for what Allegro does not say.
#pragma once

#include <vector>

// The Linux input codes (ABS_*, BTN_*) of the first joystick device's axes and
// buttons, in the order its driver numbers them. False when there is no such
// device or it does not say.
bool first_joystick_codes(std::vector<int>& axisCodes, std::vector<int>& buttonCodes);
