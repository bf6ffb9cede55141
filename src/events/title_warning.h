// The title's warning of flashing images, and the grey it and the credit take.
#pragma once

#include <string>

// "Flashing images: K for calm mode", naming the key that switches calm mode.
std::string flashing_warning();
// The top of the warning, in smallFont like the credit: in the margin above the
// page, as the credit stands in the one beneath it.
constexpr int TITLE_WARNING_Y = 6;
// The darkest grey the credit and the warning take: at least 4.5:1 against the
// lightest the title's backdrop ever is.
constexpr int TITLE_SMALL_GREY_FLOOR = 148;
// The grey of the credit and the warning now: hint grey, never below the floor.
int title_small_grey();

// "E: the endings found", naming the key of the endings page.
std::string endings_key_line();
// The line at the top of the title: the warning, and beside it the endings key.
std::string title_top_line();
