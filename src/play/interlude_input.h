// The input step of the interlude: the black screen between an ending and the
// title page (or the end page) counts its clock and hands over.
#pragma once

#include "render/render_context.h"

void interlude_input(RenderContext& context);
