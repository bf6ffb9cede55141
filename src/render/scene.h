// One frame of Play: the room, its figures and effects, the flash and the fade.
#pragma once

#include "render/render_context.h"

extern int plasmaPhase;

void draw_scene(RenderContext& context);
void draw_tile(int tile, int x, int y);
