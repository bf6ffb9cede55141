// Counting the endings found, the count line, the continue prompt and "The End".
#pragma once

#include <string>

#include "render/render_context.h"

int count_endings();
std::string paths_phrase(int count);
std::string count_line(int count);
// Recounts, refreshes lastPathOpen and draws the count line as line `lineIndex` of 4.
void count_step(RenderContext& context, int lineIndex);
// Clears endings 1 to 8, as a start-up that finds all eight does.
void clear_endings();
