#include "events/hurry.h"

#include "events/page_drawing.h"
#include "events/pages_read.h"

namespace {

EventCode timedCode = -1;
int framesUp = 0;

}  // namespace

bool page_hurries(EventCode code, int endingsCount)
{
    return settings.hurry && page_was_read(code, endingsCount);
}

bool hurry_turn_due(EventCode code, int endingsCount, bool walkHeld, bool voiceBusy)
{
    if (code != timedCode) {
        timedCode = code;
        framesUp = 0;
    }
    ++framesUp;
    // With the voice on, its one line is heard to the end before the page turns.
    return page_hurries(code, endingsCount) && walkHeld && framesUp > HURRY_FRAMES && !voiceBusy;
}

void reset_hurry()
{
    timedCode = -1;
    framesUp = 0;
}

void draw_read_mark(RenderContext& context)
{
    draw_small_centred(context, "read", 445, hint_grey());
}
