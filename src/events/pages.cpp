// PLACEHOLDER: filled by the event screen work.
#include "events/pages.h"
void draw_event_text(RenderContext& context, EventCode code) {}
