// Music selection and streaming, the sound effects and every sound event.
#include <gtest/gtest.h>

#include <allegro.h>
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "audio/audio_backend.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "core/game_state.h"
#include "frame/game_setup.h"
#include "world/room.h"
#include "test_support.h"

namespace {


// One call that reached the sound libraries.
struct Call {
    std::string what;
    const void* target = nullptr;  // module, player or sample
    float volume = 0;
    int args[4] = {};

    bool operator==(const Call&) const = default;
};

std::vector<Call> calls;
int playerCount = 0;
char players[8];  // stand-ins for running players

AudioBackend recording_backend()
{
    AudioBackend b{};
    b.startDuh = [](DUH* duh, int channels, long position, float volume, long bufferSize, int frequency) {
        calls.push_back({"start", duh, volume, {channels, int(position), int(bufferSize), frequency}});
        return reinterpret_cast<AL_DUH_PLAYER*>(&players[playerCount++ % 8]);
    };
    b.stopDuh = [](AL_DUH_PLAYER* p) { calls.push_back({"stop", p}); };
    b.pauseDuh = [](AL_DUH_PLAYER* p) { calls.push_back({"pause", p}); };
    b.resumeDuh = [](AL_DUH_PLAYER* p) { calls.push_back({"resume", p}); };
    b.setDuhVolume = [](AL_DUH_PLAYER* p, float v) { calls.push_back({"volume", p, v}); };
    b.pollDuh = [](AL_DUH_PLAYER* p) {
        calls.push_back({"poll", p});
        return 0;
    };
    b.playSample = [](const SAMPLE* s, int volume, int pan, int frequency, int loop) {
        calls.push_back({"play", s, 0, {volume, pan, frequency, loop}});
        return 0;
    };
    b.stopSample = [](const SAMPLE* s) { calls.push_back({"stopSample", s}); };
    return b;
}

void write_file(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// A mono 16-bit PCM WAV file of `frames` samples of a saw tooth.
void write_wav(const std::filesystem::path& path, uint32_t frames)
{
    std::string bytes;
    auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) bytes += char((v >> (8 * i)) & 0xff); };
    auto u16 = [&](uint16_t v) { for (int i = 0; i < 2; ++i) bytes += char((v >> (8 * i)) & 0xff); };
    bytes += "RIFF";
    u32(36 + frames * 2);
    bytes += "WAVEfmt ";
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(22050);
    u32(22050 * 2);
    u16(2);
    u16(16);
    bytes += "data";
    u32(frames * 2);
    for (uint32_t i = 0; i < frames; ++i) u16(uint16_t((i % 50) * 1000));
    write_file(path, bytes);
}

char moduleStorage[2];
DUH* const fakeModules[2] = {reinterpret_cast<DUH*>(&moduleStorage[0]), reinterpret_cast<DUH*>(&moduleStorage[1])};

class Audio : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        savedBackend = audioBackend;
        audioBackend = recording_backend();
        construct_game_state();
        for (int i = 0; i < SOUND_EFFECT_COUNT; ++i) {
            savedSamples[i] = soundEffects[i];
            samples[i] = create_sample(8, 0, 11025, 16);
            soundEffects[i] = samples[i];
        }
        savedModules[0] = musicModules[0];
        savedModules[1] = musicModules[1];
        musicModules[0] = fakeModules[0];
        musicModules[1] = fakeModules[1];
        reset_music_state();
        calls.clear();
    }
    void TearDown() override
    {
        for (int i = 0; i < SOUND_EFFECT_COUNT; ++i) {
            soundEffects[i] = savedSamples[i];
            destroy_sample(samples[i]);
        }
        musicModules[0] = savedModules[0];
        musicModules[1] = savedModules[1];
        reset_music_state();
        audioBackend = savedBackend;
        construct_game_state();
    }

    static Call start_of(int track)
    {
        return {"start", fakeModules[track], 0.8f, {2, 0, 4096, 48000}};
    }
    Call played(int index) const { return {"play", samples[index], 0, {255, 128, 1000, 0}}; }
    Call stopped(int index) const { return {"stopSample", samples[index]}; }

    AudioBackend savedBackend{};
    SAMPLE* savedSamples[SOUND_EFFECT_COUNT] = {};
    SAMPLE* samples[SOUND_EFFECT_COUNT] = {};
    DUH* savedModules[2] = {};
};

TEST_F(Audio, FirstSelectionStartsOnTheNextPoll)
{
    poll_music();
    EXPECT_TRUE(calls.empty());  // nothing selected, nothing plays

    select_music(Possibilities);
    EXPECT_TRUE(calls.empty());
    poll_music();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], start_of(Possibilities));
    EXPECT_EQ(calls[1].what, "poll");
    EXPECT_EQ(calls[1].target, musicPlayer);
    EXPECT_FALSE(musicChangePending);

    calls.clear();
    poll_music();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], (Call{"poll", musicPlayer}));
}

TEST_F(Audio, ReselectingThePlayingTrackChangesNothing)
{
    select_music(Possibilities);
    poll_music();
    AL_DUH_PLAYER* player = musicPlayer;
    calls.clear();

    select_music(Possibilities);
    EXPECT_FALSE(musicChangePending);
    poll_music();
    EXPECT_EQ(musicPlayer, player);
    EXPECT_EQ(calls, (std::vector<Call>{{"poll", player}}));
}

TEST_F(Audio, ChangingTrackStopsTheOldAndStartsTheNewFromItsBeginning)
{
    select_music(Possibilities);
    poll_music();
    AL_DUH_PLAYER* first = musicPlayer;
    calls.clear();

    select_music(Impossibilities);
    EXPECT_TRUE(calls.empty());  // heard from the next poll
    EXPECT_EQ(previousMusicTrack, Possibilities);
    poll_music();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0], (Call{"stop", first}));
    EXPECT_EQ(calls[1], start_of(Impossibilities));
    EXPECT_NE(musicPlayer, first);
    EXPECT_EQ(calls[2], (Call{"poll", musicPlayer}));
}

TEST_F(Audio, AMissingModuleIsSilenceWithNoCallsOnANullPlayer)
{
    musicModules[1] = nullptr;
    select_music(Possibilities);
    poll_music();
    AL_DUH_PLAYER* first = musicPlayer;
    calls.clear();

    select_music(Impossibilities);
    poll_music();
    EXPECT_EQ(calls, (std::vector<Call>{{"stop", first}}));
    EXPECT_EQ(musicPlayer, nullptr);

    calls.clear();
    poll_music();
    music_pause();
    music_resume();
    EXPECT_TRUE(calls.empty());
}

TEST_F(Audio, PauseSilencesAndResumeRestoresTheVolume)
{
    music_pause();  // before any music: nothing to touch
    EXPECT_TRUE(calls.empty());

    select_music(Possibilities);
    poll_music();
    AL_DUH_PLAYER* player = musicPlayer;
    calls.clear();
    music_pause();
    music_resume();
    EXPECT_EQ(calls, (std::vector<Call>{{"pause", player},
                                        {"volume", player, 0.0f},
                                        {"resume", player},
                                        {"volume", player, 0.8f}}));
}

TEST_F(Audio, LoadMusicLeavesMissingModulesEmptyAndNamesThem)
{
    char pattern[] = "/tmp/karvelle-music-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::filesystem::path old = std::filesystem::current_path();
    std::filesystem::current_path(pattern);
    testing::internal::CaptureStderr();
    load_music();
    std::string err = testing::internal::GetCapturedStderr();
    std::filesystem::current_path(old);
    std::filesystem::remove_all(pattern);

    EXPECT_EQ(musicModules[0], nullptr);
    EXPECT_EQ(musicModules[1], nullptr);
    EXPECT_NE(err.find("data/music/possibilities.it"), std::string::npos);
    EXPECT_NE(err.find("data/music/impossibilities.it"), std::string::npos);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2);
}

TEST_F(Audio, SoundEffectsLoadWhatIsThereAndSkipTheRest)
{
    char pattern[] = "/tmp/karvelle-sound-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::filesystem::path dir = pattern;
    std::filesystem::create_directories(dir / "data/sound");
    write_wav(dir / "data/sound/dragon.wav", 300);
    write_file(dir / "data/sound/war2.wav", "RIFF, but nothing after it");
    std::filesystem::path old = std::filesystem::current_path();
    std::filesystem::current_path(dir);

    // As before Allegro is set up, when its error number points nowhere: a
    // missing file must not be reported through it.
    int* savedErrno = allegro_errno;
    allegro_errno = nullptr;
    testing::internal::CaptureStderr();
    load_sound_effects();
    load_sound_effects();
    std::string err = testing::internal::GetCapturedStderr();
    allegro_errno = savedErrno;
    std::filesystem::current_path(old);
    std::filesystem::remove_all(dir);

    SAMPLE* loaded[SOUND_EFFECT_COUNT];
    for (int i = 0; i < SOUND_EFFECT_COUNT; ++i) loaded[i] = soundEffects[i];
    EXPECT_EQ(loaded[0], nullptr);
    ASSERT_NE(loaded[1], nullptr);
    EXPECT_EQ(loaded[1]->len, 300u);
    EXPECT_EQ(loaded[2], nullptr);
    EXPECT_EQ(loaded[3], nullptr);
    // Named at most once each, however often loading is tried.
    // war2.wav is there but is no sound: empty as well.
    for (const char* name : {"destroy.wav", "war1.wav", "war2.wav"}) {
        size_t first = err.find(name);
        EXPECT_TRUE(first == std::string::npos || err.find(name, first + 1) == std::string::npos) << name;
    }
    EXPECT_EQ(err.find("dragon.wav"), std::string::npos);

    // Empty slots are skipped, indices outside the four do nothing.
    calls.clear();
    for (int i = -1; i <= SOUND_EFFECT_COUNT; ++i) {
        play_sound(i);
        stop_sound(i);
    }
    EXPECT_EQ(calls, (std::vector<Call>{{"play", loaded[1], 0, {255, 128, 1000, 0}}, {"stopSample", loaded[1]}}));
    destroy_sample(loaded[1]);
    for (int i = 0; i < SOUND_EFFECT_COUNT; ++i) soundEffects[i] = samples[i];
}

TEST_F(Audio, EndingEventsMarkTheEndingAndFadeSlowly)
{
    struct Case { EventCode code; int ending; int kind; };
    for (Case c : {Case{-9, 1, 0}, Case{-8, 2, 0}, Case{-7, 3, 0}, Case{-5, 4, 0}, Case{-4, 5, 0}, Case{-3, 6, 0},
                   Case{-2, 7, 0}, Case{-10, 8, 1}}) {
        SCOPED_TRACE(c.code);
        construct_game_state();
        game.fadeState = Idle;
        game.interludeKind = 7;
        sound_event(c.code);
        for (int n = 0; n < 10; ++n) EXPECT_EQ(game.endingsFound[n], n == c.ending) << "ending " << n;
        EXPECT_EQ(game.fadeState, SlowFadeOut);
        EXPECT_EQ(game.interludeKind, c.kind);
        EXPECT_EQ(game.fadeHoldFrames, 0);
    }
}

TEST_F(Audio, TheWarEndsInAWhiteFlashStoppingTheAmbience)
{
    sound_event(-7);
    EXPECT_EQ(game.flashFrames, 31);
    EXPECT_EQ(game.flashRed, 228);
    EXPECT_EQ(game.flashGreenBlue, 228);
    EXPECT_EQ(calls, (std::vector<Call>{stopped(2), played(3)}));
}

TEST_F(Audio, TheBridgeMonsterTakesABlow)
{
    Room& room = room_at(6);
    room.residentSprite = 12;
    game.currentRoom = 6;
    sound_event(-1);
    EXPECT_EQ(room.residentSprite, 13);
    EXPECT_EQ(game.flashFrames, 8);
    EXPECT_EQ(game.flashRed, 222);
    EXPECT_EQ(game.flashGreenBlue, 28);
    EXPECT_EQ(game.fadeState, Idle);
    sound_event(-1);
    EXPECT_EQ(room.residentSprite, 14);
    EXPECT_EQ(calls, (std::vector<Call>{played(0), played(0)}));
    for (bool found : game.endingsFound) EXPECT_FALSE(found);
}

TEST_F(Audio, FadesWithoutEndingsAndTheDragon)
{
    game.fadeState = Idle;
    game.interludeKind = 1;
    sound_event(-6);
    EXPECT_EQ(game.fadeState, SlowFadeOut);
    EXPECT_EQ(game.fadeHoldFrames, 0);
    EXPECT_EQ(game.interludeKind, 1);

    game.fadeState = Idle;
    sound_event(-11);
    EXPECT_EQ(game.fadeState, SlowFadeOut);
    EXPECT_EQ(game.fadeHoldFrames, 90);
    for (bool found : game.endingsFound) EXPECT_FALSE(found);
    EXPECT_TRUE(calls.empty());

    game.fadeState = Idle;
    sound_event(-12);
    EXPECT_EQ(game.fadeState, Idle);
    EXPECT_EQ(calls, (std::vector<Call>{played(1)}));
}

TEST_F(Audio, OtherCodesDoNothing)
{
    game.currentRoom = 6;
    room_at(6).residentSprite = 12;
    game.fadeState = Idle;
    for (EventCode code : {0, -13, -100, 5, 42}) {
        sound_event(code);
        EXPECT_EQ(game.fadeState, Idle) << code;
        EXPECT_EQ(game.fadeHoldFrames, 0) << code;
        EXPECT_EQ(game.flashFrames, 0) << code;
        EXPECT_EQ(game.interludeKind, 0) << code;
        EXPECT_EQ(room_at(6).residentSprite, 12) << code;
        for (bool found : game.endingsFound) EXPECT_FALSE(found) << code;
    }
    EXPECT_TRUE(calls.empty());
}

}  // namespace
