// Background music: two Impulse Tracker modules played as an Allegro stream.
#pragma once

#include <cstdint>
#include <string>

struct DUH;
struct AL_DUH_PLAYER;

enum MusicTrack : int32_t { Possibilities = 0, Impossibilities = 1 };

constexpr float musicVolume = 0.8f;

extern DUH* musicModules[2];
extern int32_t musicTrack;
extern int32_t previousMusicTrack;
extern bool musicChangePending;
extern AL_DUH_PLAYER* musicPlayer;

void load_music();
// One module, checked before the library sees it; null with the reason in
// `problem` when it cannot be played. `bytes`, when given, receives the file.
DUH* load_checked_module(const char* path, std::string& problem, std::string* bytes = nullptr);
void select_music(MusicTrack track);
// Also proves each loaded module before it is first played (see module_proof.h):
// a selected track starts once its module is proved, and never when refused.
void poll_music();
// Whether the next poll_music starts the selected track.
bool music_start_due();

// At exit: stops the music and waits briefly for its worker to end, so the
// library is not rendering while it shuts down.
void stop_music();

// Pause and silence the running player / resume it at musicVolume
// (display switches and the full-screen toggle).
void music_pause();
void music_resume();

// The player's pause: the music stops where it is and stays stopped, whatever
// the display does meanwhile, until released; it then goes on from there.
void music_hold(bool hold);
bool music_held();

// While the voice speaks the music plays about 10 dB lower.
constexpr float MUSIC_DUCK_FACTOR = 0.316f;
void music_set_ducked(bool ducked);
// musicVolume, lowered while ducked.
float music_playing_volume();
// settings.musicVolume was changed: the playing music follows at once.
void music_volume_changed();

// Back to the state before the first selection (tests).
void reset_music_state();
