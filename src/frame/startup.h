// Start-up, the display and its switch callbacks.
#pragma once

// Set by start-up when no display could be opened at all (no X server).
extern bool displayUnavailable;

void initialise_game();
void on_switch_in();
void on_switch_out();
void on_close_button();
void toggle_display();
