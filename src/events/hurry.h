// Hurry ([controls] hurry_read = 1): a dialogue page already read turns by itself
// half a second after it opens while the walk key is held, marked "read" at its
// foot; the voice gives only its first line. Off, every page waits for a key.
#pragma once

#include <string>
#include <vector>

#include "core/game_state.h"
#include "core/settings.h"
#include "render/render_context.h"

// How long a page already read stays up before it may turn by itself.
constexpr int HURRY_FRAMES = 30;

// Whether the page that is up passes quickly: hurry is on and it was read before.
bool page_hurries(EventCode code, int endingsCount);
// Once a frame on a dialogue page: counts the frames it has been up. True when
// it should turn now (the walk key held, half a second gone, nothing being said).
bool hurry_turn_due(EventCode code, int endingsCount, bool walkHeld, bool voiceBusy);
// A page was turned or left: the next one counts from the start.
void reset_hurry();
// The small "read" mark at the foot of a page that hurries.
void draw_read_mark(RenderContext& context);
