// The followers: a companion who walks behind the player in some rooms. The room
// keeps where its follower stands; this is the rule that moves it.
#pragma once

constexpr int FOLLOW_GAP = 30;
constexpr int FOLLOWER_LIMIT_X = 79;

// Whether the follower of the current room moves on this frame.
bool follower_moves();
// Moves the current room's follower one unit on when it moves: once a frame, as
// the scene is drawn and before the follower is.
void follower_step();
