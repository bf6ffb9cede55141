// The sprite sheet: 64 tiles of 25x25 in an 8x8 grid on magenta.
#pragma once

#include <allegro.h>

constexpr int TILE_SIZE = 25;
constexpr int SHEET_SIZE = 200;

// Paints every tile into the sheet (which must be SHEET_SIZE square).
void paint_spritesheet(BITMAP* sheet);

// The tiles left empty (all magenta).
bool tile_is_unused(int tile);
