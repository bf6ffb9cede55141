#include "events/title_warning.h"

#include <vector>

#include "events/page_drawing.h"
#include "play/key_map.h"

namespace {

// The first keys of an action as a player reads them ("K", "ALT+E"); "" for none.
std::string first_keys_of(Action action)
{
    const std::vector<KeyChord>& keys = action_keys(action);
    std::string named;
    if (!keys.empty())
        for (int scancode : keys.front()) named += (named.empty() ? "" : "+") + key_name(scancode);
    return named;
}

}  // namespace

std::string flashing_warning()
{
    const std::string named = first_keys_of(Action::Calm);
    if (named.empty()) return "Flashing images: calm mode in config.ini";
    return "Flashing images: " + named + " for calm mode";
}

std::string endings_key_line()
{
    const std::string named = first_keys_of(Action::Endings);
    if (named.empty()) return "";
    return named + ": the endings found";
}

int title_small_grey()
{
    const int grey = hint_grey();
    return grey < TITLE_SMALL_GREY_FLOOR ? TITLE_SMALL_GREY_FLOOR : grey;
}

std::string title_top_line()
{
    const std::string endings = endings_key_line();
    return endings.empty() ? flashing_warning() : flashing_warning() + "     " + endings;
}
