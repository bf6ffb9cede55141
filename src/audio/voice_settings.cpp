#include "audio/voice_settings.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>


namespace {

constexpr int SLOWEST_RATE = 80;
constexpr int NORMAL_RATE = 170;
constexpr int FASTEST_RATE = 449;
constexpr int HIGHEST_RATE_ASKED = 450;

// A whole number and nothing else; false for anything else.
bool whole_number(const char* value, long& number)
{
    if (!value || !*value) return false;
    char* end = nullptr;
    number = std::strtol(value, &end, 10);
    while (end && (*end == ' ' || *end == '\t')) ++end;
    return end && *end == '\0';
}

}  // namespace

int parse_voice_rate(const char* value)
{
    long number = 0;
    if (!whole_number(value, number)) return 0;
    if (number < SLOWEST_RATE || number > HIGHEST_RATE_ASKED) return 0;
    return int(number);
}

int parse_voice_volume(const char* value)
{
    long number = 0;
    if (!whole_number(value, number)) return -1;
    if (number < 0 || number > 100) return -1;
    return int(number);
}

int speechd_rate_of(int wordsPerMinute)
{
    const int wpm = std::clamp(wordsPerMinute, SLOWEST_RATE, FASTEST_RATE);
    if (wpm <= NORMAL_RATE) return (wpm - NORMAL_RATE) * 100 / (NORMAL_RATE - SLOWEST_RATE);
    return (wpm - NORMAL_RATE) * 100 / (FASTEST_RATE - NORMAL_RATE);
}

int speechd_volume_of(int volume)
{
    return std::clamp(volume, 0, 100) * 2 - 100;
}
