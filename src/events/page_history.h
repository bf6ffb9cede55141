// The dialogue pages of this walk, in the order they were turned, and the look
// back at them: Left on a page shows the one before, a page key comes back.
#pragma once

#include "core/game_state.h"

// A page as it was read: its code and the count of endings that chose its lines.
struct ReadPage {
    EventCode code;
    int endingsCount;
};

// A new walk: nothing to look back on.
void clear_page_history();
// A dialogue page was turned: it becomes the latest of this walk.
void note_page_turned(EventCode code, int endingsCount);
// Left: one page further back, as far as the walk goes. False when there is none.
bool look_back();
// Back to the page that is up.
void stop_looking_back();
// How many pages back the screen shows (0: the page that is up).
int pages_looked_back();
// The page shown while looking back (pages_looked_back() > 0).
ReadPage page_looked_at();
