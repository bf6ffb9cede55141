#include "events/title_warning.h"

#include <vector>

#include "events/page_drawing.h"
#include "play/key_map.h"

namespace {

// The first keys of an action, as "K" or "LCONTROL+K"; "" for none.
std::string first_keys(Action action)
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
    const std::string named = first_keys(Action::Calm);
    if (named.empty()) return "Flashing images: calm mode in config.ini";
    return "Flashing images: " + named + " for calm mode";
}

std::string settings_hint()
{
    const std::string named = first_keys(Action::Settings);
    return named.empty() ? "Settings in config.ini" : named + " for settings";
}

std::string endings_hint()
{
    const std::string named = first_keys(Action::Endings);
    return named.empty() ? "" : named + " for endings";
}

std::string title_warning_line()
{
    const std::string endings = endings_hint();
    return flashing_warning() + ".  " + settings_hint() + (endings.empty() ? "" : ".  " + endings);
}

int title_small_grey()
{
    const int grey = hint_grey();
    return grey < TITLE_SMALL_GREY_FLOOR ? TITLE_SMALL_GREY_FLOOR : grey;
}
