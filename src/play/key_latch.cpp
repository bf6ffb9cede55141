// Allegro calls the low-level callback from its keyboard thread; the game reads
// on the main thread. Each scancode has a count of presses that only the
// callback raises; a frame has seen a tap while the count differs from the one
// it had when the last frame ended.
#include "play/key_latch.h"

#include <allegro.h>

#include <atomic>

namespace {

constexpr int SCANCODES = 128;

std::atomic<unsigned> presses[SCANCODES];
// The callback's own idea of which keys are down: the X server repeats a held
// key's press, and a repeat is no new press.
std::atomic<bool> downByEvents[SCANCODES];

// Main thread only.
unsigned consumed[SCANCODES];
unsigned frameCount[SCANCODES];  // the count this frame's first read saw
bool readThisFrame[SCANCODES];
bool heldBack[SCANCODES];

bool valid(int scancode)
{
    return scancode > 0 && scancode < SCANCODES;
}

}  // namespace

void latch_key_event(int scancode)
{
    const bool released = (scancode & 0x80) != 0;
    scancode &= 0x7f;
    if (!valid(scancode)) return;
    if (released) {
        downByEvents[scancode] = false;
    } else if (!downByEvents[scancode].exchange(true)) {
        presses[scancode].fetch_add(1);
    }
}
END_OF_FUNCTION(latch_key_event)

void install_key_latch()
{
    LOCK_FUNCTION(latch_key_event);
    keyboard_lowlevel_callback = latch_key_event;
}

bool key_seen(int scancode)
{
    if (!valid(scancode)) return false;
    if (!readThisFrame[scancode]) {
        readThisFrame[scancode] = true;
        frameCount[scancode] = presses[scancode].load();
    }
    if (heldBack[scancode]) {
        if (key[scancode]) return false;
        heldBack[scancode] = false;
    }
    return key[scancode] != 0 || frameCount[scancode] != consumed[scancode];
}

void reset_key_latch()
{
    for (int scancode = 0; scancode < SCANCODES; ++scancode) {
        downByEvents[scancode] = false;
        consumed[scancode] = frameCount[scancode] = presses[scancode].load();
        readThisFrame[scancode] = heldBack[scancode] = false;
    }
}

void clear_key_taps()
{
    for (int scancode = 0; scancode < SCANCODES; ++scancode) {
        // A key no one read this frame loses its taps too: a press on a page must
        // not walk the man when play resumes.
        consumed[scancode] = readThisFrame[scancode] ? frameCount[scancode] : presses[scancode].load();
        readThisFrame[scancode] = false;
    }
}

void hold_key_until_released(int scancode)
{
    if (!valid(scancode)) return;
    heldBack[scancode] = true;
    // The taps so far belong to the combination.
    readThisFrame[scancode] = true;
    frameCount[scancode] = consumed[scancode] = presses[scancode].load();
}
