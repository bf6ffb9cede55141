// An exclusive lock shared by every copy of the game: flock on the folder that
// holds a file, so that nothing is left beside the file itself.
#pragma once

#include <string>

// Takes the lock of the folder holding `path`. Waits up to `waitMs` (0: not at
// all) for another copy to let go. Returns the lock to give back, LOCK_BUSY when
// another copy held on longer, or -1 when there is no lock to take (the folder
// cannot be opened).
constexpr int LOCK_BUSY = -2;
int lock_beside(const std::string& path, int waitMs);
void unlock(int lock);
