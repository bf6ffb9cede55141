// The four sound effects and the sound events that triggers with negative codes
// carry: sounds, flashes, endings found and the slow fades that end a walk.
#include "audio/sound.h"

#include <allegro.h>
#include <cstdio>

#include "audio/audio_backend.h"
#include "audio/captions.h"
#include "core/frame_stats.h"
#include "platform/paths.h"
#include "world/room.h"

namespace {

constexpr const char* SOUND_FILES[SOUND_EFFECT_COUNT] = {
    "sound/destroy.wav",  // 0: the bridge monster is hit
    "sound/dragon.wav",   // 1: the dragon
    "sound/war1.wav",     // 2: the war ambience
    "sound/war2.wav",     // 3: the end of the war
};

constexpr int SAMPLE_VOLUME = 255;
constexpr int SAMPLE_PAN = 128;         // centre
constexpr int SAMPLE_FREQUENCY = 1000;  // unchanged pitch
constexpr int SAMPLE_LOOP = 0;

// The samples are loaded before Allegro is initialised, when Allegro's error
// number still points nowhere: a file that cannot be opened would be reported
// through a null pointer. Until install_allegro sets its own, errors land here.
int earlyAllegroErrno = 0;

bool valid_index(int index)
{
    return index >= 0 && index < SOUND_EFFECT_COUNT;
}

// A sound event that marks ending n and fades slowly to black before the Interlude.
void ending(int n, int32_t kind)
{
    game.endingsFound[n] = true;
    game.fadeState = SlowFadeOut;
    game.interludeKind = kind;
}

}  // namespace

SAMPLE* soundEffects[SOUND_EFFECT_COUNT] = {};

void load_sound_effects()
{
    if (!allegro_errno) allegro_errno = &earlyAllegroErrno;
    static bool reported[SOUND_EFFECT_COUNT] = {};
    for (int i = 0; i < SOUND_EFFECT_COUNT; ++i) {
        std::string path = data_path(SOUND_FILES[i]);
        soundEffects[i] = load_sample(path.c_str());
        if (!soundEffects[i] && !reported[i]) {
            reported[i] = true;
            std::fprintf(stderr, "Karvelle: cannot load the sound %s; it stays silent\n", path.c_str());
        }
    }
}

void play_sound(int index)
{
    if (!valid_index(index) || !soundEffects[index]) return;
    frame_stats_event(FRAME_SOUND_STARTED);
    audioBackend.playSample(soundEffects[index], SAMPLE_VOLUME, SAMPLE_PAN, SAMPLE_FREQUENCY, SAMPLE_LOOP);
    caption_sound_started(index, sample_frames(soundEffects[index]));
}

void stop_sound(int index)
{
    if (!valid_index(index) || !soundEffects[index]) return;
    audioBackend.stopSample(soundEffects[index]);  // every voice playing it
    caption_sound_stopped(index);
}

void hold_sound_effects(bool hold)
{
    if (!audioBackend.holdSample) return;
    for (SAMPLE* sample : soundEffects)
        if (sample) audioBackend.holdSample(sample, hold);
}

void sound_event(EventCode code)
{
    switch (code) {
    case -1:  // the bridge monster takes a blow: the next sprite, a red flash
        current_room().residentSprite += 1;
        game.flashGreenBlue = 28;
        game.flashFrames = 8;
        game.flashRed = 222;
        play_sound(0);
        break;
    case -2: ending(7, 0); break;
    case -3: ending(6, 0); break;
    case -4: ending(5, 0); break;
    case -5: ending(4, 0); break;
    case -6:  // a slow fade with no ending; the world step decides what follows
        game.fadeState = SlowFadeOut;
        break;
    case -7:  // the war ends in a white flash: the ambience stops, the last blast
        ending(3, 0);
        game.flashFrames = 31;
        game.flashRed = 228;
        game.flashGreenBlue = 228;
        stop_sound(2);
        play_sound(3);
        break;
    case -8: ending(2, 0); break;
    case -9: ending(1, 0); break;
    case -10: ending(8, 1); break;  // the last ending: the Interlude leads to "The End"
    case -11:  // the picture is swapped behind black, then fades back in
        game.fadeState = SlowFadeOut;
        game.fadeHoldFrames = 90;
        break;
    case -12: play_sound(1); break;
    default: break;
    }
}
