// The endings page: E on the title page or the continue prompt lists the eight
// endings, each found one by the name of its path; E, Escape or a page key goes
// back to the page it was opened from.
#pragma once

#include <string>
#include <vector>

#include "render/render_context.h"

// The name of the path that ending n (1..8) closes: "The loan sharks".
const char* path_name(int ending);
// "1. The loan sharks" for a found ending, "1. Not yet found" for one still ahead.
std::string ending_entry(int ending, const bool* endingsFound);

bool endings_page_open();
void open_endings_page();
void close_endings_page();

// Over the corner frame: the heading, the eight entries and the way back.
void draw_endings_page(RenderContext& context);
// What the voice says on the endings page.
std::vector<std::string> endings_page_utterances(const bool* endingsFound);
