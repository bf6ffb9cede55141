#include "events/endings_page.h"

#include "core/game_state.h"
#include "events/page_drawing.h"

namespace {

// In the order of the endings, each named after the rooms of the path it closes:
// the back room of the loan sharks, the pub's drunken way home, the trenches, the
// bedroom, the house with the child, the dragon's cave, the road home, and the
// last path through the maze of memories.
constexpr const char* PATH_NAMES[8] = {
    "The loan sharks", "The pub",   "The war",       "An affair",
    "A family life",   "The hero's quest", "The walk home", "The last path",
};

constexpr const char* HEADING = "Endings found";
constexpr const char* WAY_BACK = "[E, Escape or Space to go back]";

bool open = false;

}  // namespace

const char* path_name(int ending)
{
    return ending >= 1 && ending <= 8 ? PATH_NAMES[ending - 1] : "";
}

std::string ending_entry(int ending, const bool* endingsFound)
{
    return std::to_string(ending) + ". " + (endingsFound[ending] ? path_name(ending) : "Not yet found");
}

bool endings_page_open()
{
    return open;
}

void open_endings_page()
{
    open = true;
}

void close_endings_page()
{
    open = false;
}

void draw_endings_page(RenderContext& context)
{
    const int grey = dialogue_grey();
    // A block of ten slots: the heading, a blank, the eight endings.
    draw_text_line(context, 5, 5, HEADING, grey, grey, grey, true, 1, 10);
    for (int n = 1; n <= 8; ++n) {
        const std::string entry = ending_entry(n, game.endingsFound);
        draw_text_line(context, 5, 5, entry.c_str(), grey, grey, grey, true, n + 2, 10);
    }
    draw_small_centred(context, WAY_BACK, 445, hint_grey());
}

std::vector<std::string> endings_page_utterances(const bool* endingsFound)
{
    std::vector<std::string> said{HEADING};
    for (int n = 1; n <= 8; ++n) said.push_back(ending_entry(n, endingsFound));
    said.push_back("Press E to go back");
    return said;
}
