// PLACEHOLDER: filled by the audio work.
#include "audio/music.h"
DUH* musicModules[2] = {};
int32_t musicTrack = -1;
int32_t previousMusicTrack = -1;
bool musicChangePending = false;
AL_DUH_PLAYER* musicPlayer = nullptr;
void load_music() {}
void select_music(MusicTrack track) {}
void poll_music() {}
void music_pause() {}
void music_resume() {}
void reset_music_state() {}
