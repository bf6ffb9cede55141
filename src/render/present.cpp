// PLACEHOLDER: filled by the scene rendering work.
#include "render/present.h"
void show_frame(RenderContext& context) {}
void draw_fade_overlay(BITMAP* target, int width, int height) {}
void draw_diagnostic_line(RenderContext& context) {}
