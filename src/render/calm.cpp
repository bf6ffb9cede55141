// Calm mode's drawing: held random patterns, soft flashes and a slow plasma.
#include "render/calm.h"

#include <allegro.h>

#include <cstdlib>

#include "core/game_state.h"


namespace {

// Wide enough for the right strip of shadow, which runs past the right edge.
constexpr int GRID_COLUMNS = 96;
constexpr int GRID_ROWS = 60;

int pattern[GRID_ROWS][GRID_COLUMNS];
int patternAge = 0;  // frames since the held pattern was drawn; 0: none yet
int plasmaTicks = 0;

int flashFrame = -1;  // frame of the running calm flash, -1 when none
int flashLength = 0;
int flashColour = 0;

int fresh_opacity() { return rand() % 100 + 25; }

}  // namespace

void calm_begin_frame()
{
    if (!settings.calm) return;
    if (patternAge == 0 || patternAge >= CALM_PATTERN_FRAMES) {
        for (auto& row : pattern)
            for (int& cell : row) cell = fresh_opacity();
        patternAge = 0;
    }
    ++patternAge;
}

int cell_opacity(int column, int row)
{
    if (!settings.calm) return fresh_opacity();
    if (column < 0 || row < 0 || column >= GRID_COLUMNS || row >= GRID_ROWS) return 25;
    return pattern[row][column];
}

bool plasma_advances()
{
    if (!settings.calm) return true;
    return plasmaTicks++ % 3 == 0;
}

int calm_flash_opacity(int frame, int length)
{
    if (frame < 0 || frame >= length) return 0;
    // A triangle: up for the first half, down for the second, never a jump.
    const int half = (length + 1) / 2;
    const int rise = frame < half ? frame + 1 : length - frame;
    return CALM_FLASH_PEAK * rise / half;
}

void draw_calm_flash(BITMAP* target, int width, int height)
{
    // A flash just set by a sound event starts (or restarts) the soft one.
    if (game.flashFrames > 0) {
        flashColour = makecol(game.flashRed, game.flashGreenBlue, game.flashGreenBlue);
        flashFrame = 0;
        flashLength = game.flashFrames > CALM_FLASH_FRAMES ? game.flashFrames : CALM_FLASH_FRAMES;
        game.flashFrames = 0;
    }
    if (flashFrame < 0) return;
    drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
    set_trans_blender(0, 0, 0, calm_flash_opacity(flashFrame, flashLength));
    rectfill(target, 0, 0, width, height, flashColour);
    solid_mode();
    if (++flashFrame >= flashLength) flashFrame = -1;
}

void reset_calm()
{
    patternAge = 0;
    plasmaTicks = 0;
    flashFrame = -1;
}
