// The script: what every page code shows and what it changes.
#pragma once

#include <vector>

#include "core/game_state.h"
#include "render/render_context.h"

// One line of a dialogue page: its slot in a centred block of `count` slots
// (index 1-based; 0 and 0 for a lone line).
struct PageLine {
    int index;
    int count;
    const char* text;
};

void draw_event_text(RenderContext& context, EventCode code);
// The lines of a dialogue page as they read with `endingsCount` endings found,
// without what the page changes (a page looked back on).
void draw_page_lines(RenderContext& context, EventCode code, int endingsCount);
// What page `code` changes in the story while it is up (none for most pages);
// repeating it is harmless.
void apply_page_effects(EventCode code);

// The lines a dialogue page shows (code 2's by the endings found), or null for the
// title page, the continue prompt, the end page and unknown codes.
const std::vector<PageLine>* page_lines(EventCode code, int endingsCount);

// The game's name on the title page and the credit line beneath it.
constexpr const char* TITLE_NAME = "KARVELLE";
constexpr const char* TITLE_CREDIT = "A story by the Karvelle team";

// The title page (code 0) and the page for a code the script does not know.
void draw_title_page(RenderContext& context);
void draw_error_page(RenderContext& context);
