#include "audio/speech_queue.h"

std::deque<std::string> speechQueue;
int speechGeneration = 0;

void speak(const std::string& text)
{
    speechQueue.push_back(text);
}

void speech_cancel()
{
    speechQueue.clear();
    ++speechGeneration;
}
