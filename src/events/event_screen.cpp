// PLACEHOLDER: filled by the event screen work.
#include "events/event_screen.h"
void draw_event_screen(RenderContext& context) {}
void event_screen_input(RenderContext& context) {}
void draw_text_line(RenderContext& context, int x, int y, const char* text, int red, int green, int blue,
                    bool centred, int lineIndex, int lineCount) {}
void draw_noise_backdrop(RenderContext& context) {}
void draw_corner_frame(RenderContext& context) {}
