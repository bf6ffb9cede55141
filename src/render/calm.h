// Calm mode: the same pictures without flicker or flashes. The shadows and the
// page backdrop keep their look but change their random pattern only a few times
// a second, a flash becomes a soft fade in and out, and the plasma slows down.
// With calm mode off every function here draws and draws lots exactly as before.
#pragma once

#include "core/settings.h"

struct BITMAP;

// Calm while settings.calm is on.
// Frames a calm random pattern stays: three changes a second at most.
constexpr int CALM_PATTERN_FRAMES = 20;
// The shortest calm flash, fading in and then out: half a second. A longer flash
// keeps its own length, so the white one still ends inside the fade it comes with.
constexpr int CALM_FLASH_FRAMES = 30;
// Opacity at the middle of a calm flash.
constexpr int CALM_FLASH_PEAK = 128;

// Called once by every frame that draws random cells, before it draws them.
void calm_begin_frame();
// The opacity (25..124) of the 4x4-unit cell at grid column and row: a fresh
// random one in the ordinary game, the held pattern's in calm mode.
int cell_opacity(int column, int row);

// Whether the plasma moves on this frame: always, or every third frame when calm.
bool plasma_advances();

// The calm flash of a Play frame on the low-resolution buffer: a flash that a
// sound event has just set becomes a translucent fill that rises and falls over
// at least CALM_FLASH_FRAMES frames instead of an opaque one.
void draw_calm_flash(BITMAP* target, int width, int height);

// Calm flash opacity at frame `frame` (0-based) of a flash `length` frames long.
int calm_flash_opacity(int frame, int length);

// Forgets the held pattern, the running flash and the plasma count (tests).
void reset_calm();
