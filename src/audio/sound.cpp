// The four sound effects and the sound events that triggers with negative codes
// carry: sounds, flashes, endings found and the slow fades that end a walk.
#include "audio/sound.h"

#include <allegro.h>
#include <cstdio>

#include "audio/audio_backend.h"
#include "audio/captions.h"
#include "core/frame_stats.h"
#include "core/memory_packfile.h"
#include "platform/files.h"
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
        std::string problem;
        soundEffects[i] = load_checked_sample(path.c_str(), problem);
        if (!soundEffects[i] && !reported[i]) {
            reported[i] = true;
            std::fprintf(stderr, "Karvelle: cannot load the sound %s (%s); it stays silent\n", path.c_str(),
                         problem.c_str());
        }
    }
}

SAMPLE* load_checked_sample(const char* path, std::string& problem)
{
    std::string data;
    switch (read_regular_file(path, SOUND_MAX_BYTES, data)) {
    case FileRead::Read: break;
    case FileRead::Missing: problem = "no such file"; return nullptr;
    case FileRead::NotRegular: problem = "not a regular file"; return nullptr;
    case FileRead::TooLarge: problem = "larger than a sound effect can be"; return nullptr;
    case FileRead::Failed: problem = "it cannot be read"; return nullptr;
    }
    PACKFILE* file = open_memory_packfile(data);
    SAMPLE* sample = file ? load_wav_pf(file) : nullptr;
    if (file) pack_fclose(file);
    if (!sample) {
        problem = "not a WAV file Allegro reads";
        return nullptr;
    }
    // No frames would have the mixer read past the sample; a rate of 0, 1 or
    // billions gives a voice that never ends or a step it cannot take.
    if (sample->len == 0)
        problem = "it has no frames";
    else if (sample->freq < SOUND_MIN_RATE || sample->freq > SOUND_MAX_RATE)
        problem = "a rate of " + std::to_string(sample->freq) + " Hz, outside 1000 to 192000";
    if (problem.empty()) return sample;
    destroy_sample(sample);
    return nullptr;
}

void play_sound(int index)
{
    if (!valid_index(index) || !soundEffects[index]) return;
    frame_stats_event(FRAME_SOUND_STARTED);
    audioBackend.playSample(soundEffects[index], SAMPLE_VOLUME * settings.effectsVolume / FULL_VOLUME, SAMPLE_PAN, SAMPLE_FREQUENCY, SAMPLE_LOOP);
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
