// The script: what every page code shows and what it changes.
#pragma once

#include "frame/game_state.h"
#include "render/render_context.h"

void draw_event_text(RenderContext& context, EventCode code);
