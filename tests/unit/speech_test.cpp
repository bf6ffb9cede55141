// The voice itself: a real eSpeak NG sample of a page line, and the way the frame
// plays what the worker made: in order, through the audio seam, with the music
// lowered meanwhile, and stopped at once by a cancel.
#include <gtest/gtest.h>

#include <allegro.h>

#include <chrono>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "audio/audio_backend.h"
#include "audio/music.h"
#include "audio/speech.h"
#include "events/narration.h"
#include "test_support.h"

namespace {

double rms(const std::vector<int16_t>& pcm)
{
    double sum = 0;
    for (int16_t v : pcm) sum += double(v) * v;
    return pcm.empty() ? 0 : std::sqrt(sum / pcm.size()) / 32768.0;
}

// What reached the audio seam.
struct Played {
    const SAMPLE* sample;
    int length;
    int frequency;
    int bits;
};
std::vector<Played> played;
std::vector<const SAMPLE*> stopped;
std::vector<float> volumes;
bool voiceStillPlaying = true;
char fakePlayer;

AudioBackend listening_backend()
{
    AudioBackend b{};
    b.setDuhVolume = [](AL_DUH_PLAYER*, float v) { volumes.push_back(v); };
    b.playSample = [](const SAMPLE* s, int, int, int, int) {
        played.push_back({s, int(s->len), s->freq, s->bits});
        return 3;
    };
    b.stopSample = [](const SAMPLE* s) { stopped.push_back(s); };
    b.voicePlaying = [](int voice, const SAMPLE*) { return voice == 3 && voiceStillPlaying; };
    return b;
}

class SpeechTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        reset_narration();
        reset_music_state();
        played.clear();
        stopped.clear();
        volumes.clear();
        voiceStillPlaying = true;
        audioBackend = listening_backend();
        musicPlayer = reinterpret_cast<AL_DUH_PLAYER*>(&fakePlayer);
    }
    void TearDown() override
    {
        speech_shutdown();
        reset_narration();
        reset_music_state();
        audioBackend = real_audio_backend();
    }
    // Frames until `done`, at most ten seconds of them.
    template <typename Done>
    static bool run_frames_until(Done done)
    {
        for (int frame = 0; frame < 1000; ++frame) {
            speech_service();
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
};

}  // namespace

TEST(SpeechSynthesisTest, PageOneIsSpokenAudiblyAndForAPlausibleTime)
{
    ASSERT_TRUE(speech_engine_open()) << "eSpeak NG and its English voice are installed with the game";
    const std::vector<int16_t> pcm = synthesise_speech("I worry when you're away...", 44100);
    const double seconds = pcm.size() / 44100.0;
    EXPECT_GT(seconds, 0.6);
    EXPECT_LT(seconds, 4.0);
    EXPECT_GT(rms(pcm), 0.05) << "not silent";
    // A longer line takes longer to say.
    EXPECT_GT(synthesise_speech("Sorry to have to call you back from your family, Soldier.", 44100).size(),
              pcm.size());
    EXPECT_TRUE(synthesise_speech("", 44100).empty());
}

TEST(SpeechSynthesisTest, ResamplingKeepsTheShapeAndScalesTheLength)
{
    const std::vector<int16_t> ramp = {0, 100, 200, 300};
    EXPECT_EQ(resample(ramp, 22050, 22050), ramp);
    const std::vector<int16_t> doubled = resample(ramp, 22050, 44100);
    EXPECT_EQ(doubled, (std::vector<int16_t>{0, 50, 100, 150, 200, 250, 300, 300}));
    EXPECT_EQ(resample(ramp, 44100, 22050), (std::vector<int16_t>{0, 200}));
    EXPECT_TRUE(resample({}, 22050, 44100).empty());
}

TEST_F(SpeechTest, QueuedWordsArePlayedInOrderWithTheMusicLowered)
{
    speech_start(48000);
    speechQueue.push_back("Voice on");
    speechQueue.push_back("Foolish human! The mind is everything! What you think, you become.");
    ASSERT_TRUE(run_frames_until([] { return !played.empty(); }));
    EXPECT_TRUE(speechQueue.empty()) << "the frame takes the words";
    EXPECT_EQ(played[0].frequency, 48000) << "at the mixer's rate";
    EXPECT_EQ(played[0].bits, 16);
    EXPECT_GT(played[0].length, 48000 / 4);
    ASSERT_FALSE(volumes.empty());
    EXPECT_FLOAT_EQ(volumes.back(), musicVolume * MUSIC_DUCK_FACTOR);

    // The second waits for the first to end.
    for (int frame = 0; frame < 20; ++frame) speech_service();
    EXPECT_EQ(played.size(), 1u);
    voiceStillPlaying = false;
    ASSERT_TRUE(run_frames_until([] { return played.size() == 2; }));
    EXPECT_GT(played[1].length, 2 * played[0].length) << "the long line second";
    voiceStillPlaying = false;
    ASSERT_TRUE(run_frames_until([] { return !speech_playing(); }));
    speech_service();
    EXPECT_FLOAT_EQ(volumes.back(), musicVolume) << "the music comes back up";
}

TEST_F(SpeechTest, ACancelStopsTheWordsAtOnce)
{
    speech_start(44100);
    speechQueue.push_back("I left some dinner for you in the fridge. You can heat it up if you're hungry.");
    speechQueue.push_back(PAGE_ON_LINE);
    ASSERT_TRUE(run_frames_until([] { return !played.empty(); }));
    const SAMPLE* first = played[0].sample;

    narration_cancel();  // the page is turned
    speech_service();
    ASSERT_EQ(stopped.size(), 1u);
    EXPECT_EQ(stopped[0], first);
    EXPECT_FALSE(speech_playing());
    // Nothing of the old page follows, and the music comes back.
    for (int frame = 0; frame < 50; ++frame) {
        speech_service();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(played.size(), 1u);
    EXPECT_FLOAT_EQ(volumes.back(), musicVolume);
}

TEST_F(SpeechTest, ASilentGameStartsNoVoice)
{
    for (int frame = 0; frame < 5; ++frame) speech_service();
    EXPECT_TRUE(played.empty());
    EXPECT_TRUE(volumes.empty()) << "the music is left alone";
}
