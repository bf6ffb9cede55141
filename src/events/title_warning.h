// The title's warning of flashing images, and the grey it and the credit take.
#pragma once

#include <string>

// "Flashing images: K for calm mode", naming the key that switches calm mode.
std::string flashing_warning();
// "F1 for settings", naming the key that opens the settings page.
std::string settings_hint();
// "E for endings", naming the key that opens the endings page; "" for none.
std::string endings_hint();
// The warning with the hints beside it, as the title shows them.
std::string title_warning_line();
// The top of the warning, in smallFont like the credit: in the margin above the
// page, as the credit stands in the one beneath it.
constexpr int TITLE_WARNING_Y = 6;
// The darkest grey the credit and the warning take: at least 4.5:1 against the
// lightest the title's backdrop ever is.
constexpr int TITLE_SMALL_GREY_FLOOR = 148;
// The grey of the credit and the warning now: hint grey, never below the floor.
int title_small_grey();
