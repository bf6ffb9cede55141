// Help for players who cannot hold keys: auto-walk (Right once walks on until
// Right again, or until a page, an exit or a room's event stops it) and the
// number of frames Up or Down is held to take a way.
#pragma once

#include "core/settings.h"

// Frames Up or Down is held in an exit column to take the way, unless
// [controls] exit_hold_frames says otherwise.
constexpr int EXIT_HOLD_FRAMES = 10;

// Auto-walk (settings.autoWalk) is carrying the player on.
extern bool autoWalking;
// The largest hold config.ini may ask for: ten seconds.
constexpr int MAX_EXIT_HOLD_FRAMES = 600;

// Each play input: a new press of Right starts or stops auto-walk. Returns
// whether the player walks this frame (Right held, or carried on).
bool auto_walk_step(bool rightHeld, bool rightPressed);
// A page, an exit or an event of the room: auto-walk stops.
void stop_auto_walk();

// Reads [controls] from the configuration Allegro has open; a hold that is not a
// whole number from 1 to MAX_EXIT_HOLD_FRAMES is named on stderr and the default kept.
void read_controls_config();
// Both back to their defaults (tests).
void reset_walk_assist();
