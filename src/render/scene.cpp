// PLACEHOLDER: filled by the scene rendering work.
#include "render/scene.h"
int plasmaPhase = 0;
void draw_scene(RenderContext& context) {}
void draw_tile(int tile, int x, int y) {}
