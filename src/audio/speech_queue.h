// What is handed to the voice: the words waiting to be spoken, and the count
// that tells it to drop what it is saying. The narration fills them; the speech
// module takes them once a frame.
#pragma once

#include <deque>
#include <string>

// Words that wait to be spoken, oldest first; the speech module takes them.
extern std::deque<std::string> speechQueue;
// Raised whenever what is being said must stop at once (a page is turned, a room
// is left, the voice is switched). The speech module drops whatever it had.
extern int speechGeneration;
