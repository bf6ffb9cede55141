#include "audio/speech_queue.h"

std::deque<std::string> speechQueue;
int speechGeneration = 0;
std::vector<size_t> speechAheadAt;
int speechDropGeneration = 0;

void speak(const std::string& text)
{
    speechQueue.push_back(text);
}

void speak_first(const std::string& text)
{
    speechAheadAt.push_back(speechQueue.size());
    speechQueue.push_back(text);
}

void speech_drop_waiting()
{
    speechQueue.clear();
    speechAheadAt.clear();
    ++speechDropGeneration;
}

void speech_cancel()
{
    speechQueue.clear();
    speechAheadAt.clear();
    ++speechGeneration;
}
