// Counting the endings found, the count line, the continue prompt and "The End".
#pragma once

#include <string>

#include "render/render_context.h"

// The page codes that are not dialogue.
constexpr int TITLE_PAGE = 0;
constexpr int CONTINUE_PROMPT = 40;
constexpr int END_PAGE = 42;

// Recounts endingsCount from endingsFound (all ten entries) and returns it.
int count_endings();
// "one path" .. "eight paths"; "x paths" for any other count.
std::string paths_phrase(int count);
// "[three paths out of eight]".
std::string count_line(int count);
// Recounts, refreshes lastPathOpen and draws the count line as line `lineIndex` of 4.
void count_step(RenderContext& context, int lineIndex);
// Clears endings 1 to 8, as a start-up that finds all eight does.
void clear_endings();

// The continue prompt (code 40) and the end page (code 42), drawn on the back buffer.
void draw_continue_prompt(RenderContext& context);
void draw_end_page(RenderContext& context);
