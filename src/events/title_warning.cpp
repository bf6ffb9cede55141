#include "events/title_warning.h"

#include <vector>

#include "events/page_drawing.h"
#include "play/key_map.h"

std::string flashing_warning()
{
    const std::vector<KeyChord>& keys = action_keys(Action::Calm);
    std::string named;
    if (!keys.empty())
        for (int scancode : keys.front()) named += (named.empty() ? "" : "+") + key_name(scancode);
    if (named.empty()) return "Flashing images: calm mode in config.ini";
    return "Flashing images: " + named + " for calm mode";
}

int title_small_grey()
{
    const int grey = hint_grey();
    return grey < TITLE_SMALL_GREY_FLOOR ? TITLE_SMALL_GREY_FLOOR : grey;
}
