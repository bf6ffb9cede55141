// An exclusive lock shared by every copy of the game: flock on the folder that
// holds a file, so that nothing is left beside the file itself.
#pragma once

#include <string>

// Takes the lock of the folder holding `path`. Waits up to `waitMs` for another
// copy to let go. Returns the lock to give back, or -1 when there is none (the
// folder cannot be opened, or the other copy held on too long).
int lock_beside(const std::string& path, int waitMs);
void unlock(int lock);
