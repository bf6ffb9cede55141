// The black pause between a finished walk and what follows it.
#pragma once

#include "render/render_context.h"

void draw_interlude(RenderContext& context);
