// Key presses latched between two frames: key[] is read once a frame, so a key
// pressed and let go in between would otherwise never be seen.
#pragma once

// Hooks the latch into Allegro's keyboard handler; after install_keyboard.
void install_key_latch();
// Allegro's low-level keyboard callback: a scancode, with bit 7 set on release.
// Public so tests can press keys the way the keyboard thread does.
void latch_key_event(int scancode);

// Whether a key is down now or was pressed since the last clear_key_taps. Every
// read of a key in one frame gives the same answer for a tap.
bool key_seen(int scancode);
// Forgets every tap and hold-back, as if no key had ever been pressed.
void reset_key_latch();
// Forgets the taps of this frame; once a frame, after the input steps.
void clear_key_taps();
// The key counts as up, taps included, until it is next let go (the keys of the
// display switch, which must not also turn a page).
void hold_key_until_released(int scancode);
