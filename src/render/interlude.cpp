// PLACEHOLDER: filled by the interlude work.
#include "render/interlude.h"
void draw_interlude(RenderContext& context) {}
void interlude_input(RenderContext& context) {}
