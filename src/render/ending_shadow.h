// Which shadow covers part of a room, by the endings already found: the picture
// darkens the ways whose paths have all been walked.
#pragma once

enum class EndingShadow {
    None,
    TopBand,       // over the way up
    RightStrip,    // over the way on, x 240-319
    BottomBand,    // over the way down
    FarRight,      // over the way on, x 260-319 (room 3)
    WideRight,     // over the way on, x 200-319 (room 8)
    Home,          // room 61, always: x 240-319
};

// The shadow of `room` with `endingsFound` (indexed 1..8); at most one applies.
EndingShadow ending_shadow(int room, const bool* endingsFound);
