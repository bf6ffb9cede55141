// Background music: the two modules, the selected track and the stream that
// plays it. The change of track happens in the frame after it is selected.
#include "audio/music.h"

#include <aldumb.h>
#include <chrono>
#include <cstdio>
#include <thread>

#include "audio/audio_backend.h"
#include "audio/module_check.h"
#include "audio/module_proof.h"
#include "audio/music_render.h"
#include "audio/music_stream.h"
#include "core/settings.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace {

constexpr const char* MUSIC_FILES[2] = {
    "music/possibilities.it",
    "music/impossibilities.it",
};

// Stream parameters of every start: stereo, from the beginning of the module,
// 4096 samples (about five frames) at 48000 Hz.
constexpr int MUSIC_CHANNELS = 2;
constexpr long MUSIC_START_POSITION = 0;
constexpr long MUSIC_BUFFER_SAMPLES = 4096;
constexpr int MUSIC_SAMPLE_RATE = 48000;

// 1 at full volume, MUSIC_DUCK_FACTOR under speech. The pause flag keeps a volume
// change from sounding a player silenced by a display switch.
float duckFactor = 1.0f;
bool musicPaused = false;
// Paused by the player: a display switch does not resume it.
bool musicHeld = false;

// Each loaded module is proved before it is first played, one at a time, in
// the order loaded; `module` names the module the proof is for.
struct TrackProof {
    DUH* module = nullptr;
    std::string path;
    std::string bytes;
    ModuleProof proof;
    bool waiting = false;  // loaded, its proof not begun
};
TrackProof trackProofs[2];

void refuse_track(int track, const std::string& why)
{
    std::fprintf(stderr, "Karvelle: the music %s is refused, as %s; it stays silent\n", trackProofs[track].path.c_str(),
                 why.c_str());
    // The module stays loaded (a player may never be made from it again).
    if (musicModules[track] == trackProofs[track].module) musicModules[track] = nullptr;
}

// Starts the next proof when none runs, and collects the verdict of the running one.
void advance_proofs()
{
    for (int i = 0; i < 2; ++i) {
        TrackProof& t = trackProofs[i];
        if (t.module && t.proof.state == ProofState::Running) {
            ProofState state = poll_module_proof(t.proof, module_proof_folder());
            if (state == ProofState::Running) return;
            if (state == ProofState::Refused) refuse_track(i, t.proof.reason);
        }
    }
    for (int i = 0; i < 2; ++i) {
        TrackProof& t = trackProofs[i];
        if (!t.waiting) continue;
        t.waiting = false;
        start_module_proof(t.proof, t.module, t.bytes.data(), t.bytes.size(), module_proof_folder());
        t.bytes.clear();
        if (t.proof.state == ProofState::Refused) refuse_track(i, t.proof.reason);
        if (t.proof.state == ProofState::Running) return;
    }
}

// Whether the module of `track` still waits for its proof.
bool awaiting_proof(int track)
{
    const TrackProof& t = trackProofs[track];
    return t.module && t.module == musicModules[track] &&
           (t.waiting || t.proof.state == ProofState::Running);
}

void report_stopped(int state)
{
    const std::string& path = musicTrack >= 0 && musicTrack < 2 ? trackProofs[musicTrack].path : std::string();
    const char* name = path.empty() ? "module" : path.c_str();
    if (state == MUSIC_STREAM_TOO_SLOW)
        std::fprintf(stderr, "Karvelle: the music %s cannot keep up with real time; it is stopped, and the game plays on silently\n", name);
    else if (state == MUSIC_STREAM_FAULT)
        std::fprintf(stderr, "Karvelle: the music %s makes the library fault; it is stopped, and the game plays on silently\n", name);
}

}  // namespace

DUH* musicModules[2] = {};
int32_t musicTrack = -1;
int32_t previousMusicTrack = -1;
bool musicChangePending = false;
AL_DUH_PLAYER* musicPlayer = nullptr;

void load_music()
{
    // Start-up registers the standard files too; without them DUMB cannot open
    // anything, so make sure here.
    dumb_register_stdfiles();
    for (int i = 0; i < 2; ++i) {
        std::string path = data_path(MUSIC_FILES[i]);
        std::string problem, bytes;
        musicModules[i] = load_checked_module(path.c_str(), problem, &bytes);
        trackProofs[i] = TrackProof{};
        trackProofs[i].path = path;
        if (!musicModules[i]) {
            std::fprintf(stderr, "Karvelle: cannot load the music %s (%s); it stays silent\n", path.c_str(),
                         problem.c_str());
            continue;
        }
        trackProofs[i].module = musicModules[i];
        trackProofs[i].bytes = std::move(bytes);
        trackProofs[i].waiting = true;
    }
    advance_proofs();
}

DUH* load_checked_module(const char* path, std::string& problem, std::string* bytes)
{
    std::string data;
    switch (read_regular_file(path, MODULE_MAX_BYTES, data)) {
    case FileRead::Read: break;
    case FileRead::Missing: problem = "no such file"; return nullptr;
    case FileRead::NotRegular: problem = "not a regular file"; return nullptr;
    case FileRead::TooLarge: problem = "larger than a module can be"; return nullptr;
    case FileRead::Failed: problem = "it cannot be read"; return nullptr;
    }
    problem = module_problem(reinterpret_cast<const unsigned char*>(data.data()), data.size());
    if (!problem.empty()) return nullptr;
    // The bytes checked are the bytes loaded. The quick reader skips the library's
    // play-through of the whole song at load time, which only measures its length
    // and which some songs never finish.
    DUMBFILE* file = dumbfile_open_memory(data.data(), long(data.size()));
    if (!file) {
        problem = "out of memory";
        return nullptr;
    }
    DUH* module = dumb_read_it_quick(file);
    dumbfile_close(file);
    if (!module) problem = "the library refuses it";
    if (module && bytes) *bytes = std::move(data);
    return module;
}

void select_music(MusicTrack track)
{
    // Selecting the track that is playing neither restarts nor interrupts it.
    if (track == musicTrack) return;
    previousMusicTrack = musicTrack;
    musicTrack = track;
    musicChangePending = true;
}

bool music_start_due()
{
    return musicChangePending && musicTrack >= 0 && !(musicTrack < 2 && awaiting_proof(musicTrack));
}

void poll_music()
{
    advance_proofs();
    // The old music plays on while the new module is being proved.
    if (music_start_due()) {
        // The running player, if any, is stopped and released first, so two
        // streams never play at once.
        if (musicPlayer) {
            audioBackend.stopDuh(musicPlayer);
            musicPlayer = nullptr;
        }
        DUH* module = musicTrack < 2 ? musicModules[musicTrack] : nullptr;
        // A module that could not be loaded gives no player: silence.
        if (module)
            musicPlayer = audioBackend.startDuh(module, MUSIC_CHANNELS, MUSIC_START_POSITION, music_playing_volume(),
                                                MUSIC_BUFFER_SAMPLES, MUSIC_SAMPLE_RATE);
        // A proof may end while the player has paused the game: the music waits too.
        if (musicPlayer && musicHeld) {
            audioBackend.pauseDuh(musicPlayer);
            audioBackend.setDuhVolume(musicPlayer, 0.0f);
        }
        musicChangePending = false;
    }
    // Whether the piece has ended is of no interest: the module repeats. A module
    // that cannot keep up, or that makes the library fault, is stopped for good.
    if (!musicPlayer) return;
    int state = audioBackend.pollDuh(musicPlayer);
    if (state == MUSIC_STREAM_TOO_SLOW || state == MUSIC_STREAM_FAULT) {
        report_stopped(state);
        audioBackend.stopDuh(musicPlayer);
        musicPlayer = nullptr;
        if (musicTrack >= 0 && musicTrack < 2) musicModules[musicTrack] = nullptr;
    }
}

void stop_music()
{
    if (musicPlayer) audioBackend.stopDuh(musicPlayer);
    musicPlayer = nullptr;
    // The workers end within a buffer, or are cut short within MUSIC_STOP_WAIT_MS.
    for (int waited = 0; music_workers_running() > 0 && waited < 2 * MUSIC_STOP_WAIT_MS; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void music_pause()
{
    AL_DUH_PLAYER* player = musicPlayer;  // read once: the window thread may call this
    musicPaused = true;
    if (!player) return;
    audioBackend.pauseDuh(player);
    audioBackend.setDuhVolume(player, 0.0f);
}

void music_resume()
{
    if (musicHeld) return;
    AL_DUH_PLAYER* player = musicPlayer;
    musicPaused = false;
    if (!player) return;
    audioBackend.resumeDuh(player);
    audioBackend.setDuhVolume(player, music_playing_volume());
}

void music_hold(bool hold)
{
    if (hold == musicHeld) return;
    if (hold) {
        music_pause();
        musicHeld = true;
    } else {
        musicHeld = false;
        music_resume();
    }
}

bool music_held()
{
    return musicHeld;
}

float music_playing_volume()
{
    // The player's volume scales the music's own level; the ducking under the voice
    // stays a share of whatever that is.
    return musicVolume * (float(settings.musicVolume) / FULL_VOLUME) * duckFactor;
}

void music_volume_changed()
{
    AL_DUH_PLAYER* player = musicPlayer;
    if (player && !musicPaused) audioBackend.setDuhVolume(player, music_playing_volume());
}

void music_set_ducked(bool ducked)
{
    const float factor = ducked ? MUSIC_DUCK_FACTOR : 1.0f;
    if (factor == duckFactor) return;
    duckFactor = factor;
    music_volume_changed();
}

void reset_music_state()
{
    musicTrack = -1;
    previousMusicTrack = -1;
    musicChangePending = false;
    musicPlayer = nullptr;
    duckFactor = 1.0f;
    musicPaused = false;
    musicHeld = false;
}
