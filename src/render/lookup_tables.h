// The lookup tables the scene draws with, built once at start-up.
#pragma once

extern double SineTable[360];
extern double CosineTable[360];
extern int ColourRamp[256];

void fill_lookup_tables();  // SineTable, CosineTable (and ColourRamp once a colour depth is set)
void fill_colour_ramp();
