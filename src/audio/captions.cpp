#include "audio/captions.h"

#include <allegro.h>

#include <algorithm>


namespace {

constexpr const char* CAPTIONS[CAPTIONED_SOUNDS] = {
    "[a blow; stone falls]",  // the bridge monster is struck and crumbles
    "[a great roar]",         // the dragon
    "[guns, far off]",        // the war ambience
    "[a great blast]",        // the end of the war
};

// Frames each sound effect still sounds, and the order they began in.
int framesLeft[CAPTIONED_SOUNDS] = {};
long startedAt[CAPTIONED_SOUNDS] = {};
long starts = 0;

}  // namespace

const char* sound_caption(int index)
{
    return index >= 0 && index < CAPTIONED_SOUNDS ? CAPTIONS[index] : nullptr;
}

int sample_frames(const SAMPLE* sample)
{
    if (!sample || sample->freq <= 0) return 0;
    const long long scaled = static_cast<long long>(sample->len) * 60;
    return static_cast<int>((scaled + sample->freq - 1) / sample->freq);
}

void caption_sound_started(int index, int frames)
{
    if (index < 0 || index >= CAPTIONED_SOUNDS) return;
    framesLeft[index] = std::max(frames, 0);
    startedAt[index] = ++starts;
}

void caption_sound_stopped(int index)
{
    if (index < 0 || index >= CAPTIONED_SOUNDS) return;
    framesLeft[index] = 0;
}

void captions_tick()
{
    for (int& left : framesLeft)
        if (left > 0) --left;
}

std::vector<std::string> active_captions()
{
    std::vector<std::string> lines;
    if (!settings.captions) return lines;
    int order[CAPTIONED_SOUNDS];
    for (int i = 0; i < CAPTIONED_SOUNDS; ++i) order[i] = i;
    std::sort(order, order + CAPTIONED_SOUNDS, [](int a, int b) { return startedAt[a] > startedAt[b]; });
    for (int index : order)
        if (framesLeft[index] > 0) lines.push_back(CAPTIONS[index]);
    return lines;
}

bool toggle_captions()
{
    settings.captions = !settings.captions;
    return settings.captions;
}

void reset_captions()
{
    for (int i = 0; i < CAPTIONED_SOUNDS; ++i) {
        framesLeft[i] = 0;
        startedAt[i] = 0;
    }
    starts = 0;
}
