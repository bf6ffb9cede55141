// The second contact sheet: every room of the walk drawn by the game's own scene
// drawing, at the size of the game's screen.
#pragma once

#include <string>

struct BITMAP;

// Draws each room with its scene, clock, residents and follower and the player
// standing on its floor (at its way up or down if it has one, with the hint
// arrow), labelled with its number and scene. Returns the sheet, or null.
BITMAP* draw_room_sheet(const std::string& dataDir, BITMAP* const tiles[64]);
