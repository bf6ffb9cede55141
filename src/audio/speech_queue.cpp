#include "audio/speech_queue.h"

std::deque<std::string> speechQueue;
int speechGeneration = 0;
