// PLACEHOLDER: filled by the event screen work.
#include "events/endings.h"
int count_endings() { return 0; }
std::string paths_phrase(int count) { return ""; }
std::string count_line(int count) { return ""; }
void count_step(RenderContext& context, int lineIndex) {}
void clear_endings() {}
