// Start-up, the lookup tables, the display and its switch callbacks.
#pragma once

extern double SineTable[360];
extern double CosineTable[360];
extern int ColourRamp[256];

// Set by start-up when no display could be opened at all (no X server).
extern bool displayUnavailable;

void initialise_game();
void fill_lookup_tables();  // SineTable, CosineTable (and ColourRamp once a colour depth is set)
void fill_colour_ramp();
void on_switch_in();
void on_switch_out();
void on_close_button();
void toggle_display();
