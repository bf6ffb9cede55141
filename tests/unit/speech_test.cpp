// The voice itself: a real espeak-ng run for a page line, its WAV stream read, the
// voice settings, and the way the frame plays what the worker made: in order,
// through the audio seam, with the music lowered meanwhile, and stopped at once
// by a cancel. Speech-dispatcher is left out here (the end-to-end test starts a
// private one); these cases take the fallback route.
#include <gtest/gtest.h>

#include <allegro.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "audio/audio_backend.h"
#include "audio/espeak_program.h"
#include "audio/music.h"
#include "audio/speech.h"
#include "audio/voice_settings.h"
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
        speechDispatcherAllowed = false;
    }
    void TearDown() override
    {
        speech_shutdown();
        reset_narration();
        reset_music_state();
        audioBackend = real_audio_backend();
        speechDispatcherAllowed = true;
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

std::vector<int16_t> spoken(const std::string& text, const VoiceSettings& settings, int& rate)
{
    std::vector<int16_t> pcm;
    const EspeakOutcome outcome = espeak_synthesise(text, settings, [] { return false; }, rate, pcm);
    EXPECT_EQ(outcome, EspeakOutcome::Spoken) << "the espeak-ng program is installed with the game's tests";
    return pcm;
}

int16_t loudest(const std::vector<int16_t>& pcm)
{
    int peak = 0;
    for (int16_t v : pcm) peak = std::max(peak, std::abs(int(v)));
    return int16_t(std::min(peak, 32767));
}

TEST(SpeechSynthesisTest, PageOneIsSpokenAudiblyAndForAPlausibleTime)
{
    int rate = 0;
    const std::vector<int16_t> pcm = spoken("I worry when you're away...", VoiceSettings{}, rate);
    ASSERT_GT(rate, 8000);
    const double seconds = double(pcm.size()) / rate;
    EXPECT_GT(seconds, 0.6);
    EXPECT_LT(seconds, 4.0);
    EXPECT_GT(rms(pcm), 0.05) << "not silent";
    // A longer line takes longer to say.
    EXPECT_GT(spoken("Sorry to have to call you back from your family, Soldier.", VoiceSettings{}, rate).size(),
              pcm.size());
}

TEST(SpeechSynthesisTest, TheRateIsThePlayersAndNoWordClips)
{
    const std::string line = "Foolish human! The mind is everything! What you think, you become.";
    int rate = 0;
    const std::vector<int16_t> usual = spoken(line, VoiceSettings{}, rate);
    VoiceSettings fast;
    fast.wordsPerMinute = 400;
    const std::vector<int16_t> quick = spoken(line, fast, rate);
    EXPECT_LT(quick.size() * 3, usual.size() * 2) << "400 words a minute say it in well under 2/3 of the time";
    // Shouted words stay below full scale.
    EXPECT_LT(loudest(usual), 32000);
    EXPECT_LT(loudest(spoken("AAARGH! NO! HELP!", VoiceSettings{}, rate)), 32000);
}

TEST(SpeechSynthesisTest, AStaleLineIsAbandonedAndAMissingProgramSaidSo)
{
    int rate = 0;
    std::vector<int16_t> pcm;
    EXPECT_EQ(espeak_synthesise("A long line that nobody will hear to its end, as the page has turned.",
                                VoiceSettings{}, [] { return true; }, rate, pcm),
              EspeakOutcome::Abandoned);
    EXPECT_TRUE(pcm.empty());

    const char* path = std::getenv("PATH");
    const std::string saved = path ? path : "";
    setenv("PATH", "/nonexistent", 1);
    const EspeakOutcome outcome = espeak_synthesise("Hello", VoiceSettings{}, [] { return false; }, rate, pcm);
    setenv("PATH", saved.c_str(), 1);
    EXPECT_EQ(outcome, EspeakOutcome::Missing);

    // A voice the program does not know: no sound, and not taken for a missing program.
    VoiceSettings unknown;
    unknown.name = "zzqq";
    EXPECT_EQ(espeak_synthesise("Hello", unknown, [] { return false; }, rate, pcm), EspeakOutcome::Failed);
    EXPECT_TRUE(pcm.empty());
}

TEST(SpeechSynthesisTest, TheVoiceIsLiftedOverTheMusicWithoutClipping)
{
    int rate = 0;
    const std::vector<int16_t> pcm = spoken("AAARGH! NO! HELP! Foolish human!", VoiceSettings{}, rate);
    const std::vector<int16_t> lifted = lift_speech(pcm);
    ASSERT_EQ(lifted.size(), pcm.size());
    EXPECT_GT(rms(lifted), 1.4 * rms(pcm)) << "louder";
    EXPECT_LE(loudest(lifted), int16_t(SPEECH_CEILING * 32767 + 1)) << "yet never at full scale";
    // Quiet sound is only amplified; the loudest is bent, keeping its sign.
    EXPECT_EQ(lift_speech({1000, -1000, 0}), (std::vector<int16_t>{2000, -2000, 0}));
    const std::vector<int16_t> extremes = lift_speech({32767, -32768});
    EXPECT_GT(extremes[0], 30000);
    EXPECT_LT(extremes[1], -30000);
    EXPECT_LT(extremes[0], 32000);
}

TEST(SpeechSynthesisTest, TheProgramIsToldThePlayersVoice)
{
    using Args = std::vector<std::string>;
    EXPECT_EQ(espeak_arguments(VoiceSettings{}),
              (Args{"espeak-ng", "--stdout", "--stdin", "-b", "1", "-s", "175", "-a", "100", "-v", "en"}));
    VoiceSettings own;
    own.wordsPerMinute = 320;
    own.name = "en-gb";
    own.volume = 60;
    EXPECT_EQ(espeak_arguments(own),
              (Args{"espeak-ng", "--stdout", "--stdin", "-b", "1", "-s", "320", "-a", "60", "-v", "en-gb"}));
}

TEST(SpeechSynthesisTest, VoiceSettingsFromTheConfigurationFile)
{
    EXPECT_EQ(parse_voice_rate("350"), 350);
    EXPECT_EQ(parse_voice_rate("desktop"), 0);
    EXPECT_EQ(parse_voice_rate(nullptr), 0);
    EXPECT_EQ(parse_voice_rate("fast"), 0);
    EXPECT_EQ(parse_voice_rate("20"), 0) << "too slow to be meant";
    EXPECT_EQ(parse_voice_rate("9000"), 0);
    EXPECT_EQ(parse_voice_rate("300wpm"), 0);
    EXPECT_EQ(parse_voice_volume("0"), 0);
    EXPECT_EQ(parse_voice_volume("75"), 75);
    EXPECT_EQ(parse_voice_volume("desktop"), -1);
    EXPECT_EQ(parse_voice_volume("101"), -1);
    // Speech-dispatcher's scale, as its eSpeak NG module reads it.
    EXPECT_EQ(speechd_rate_of(170), 0);
    EXPECT_EQ(speechd_rate_of(80), -100);
    EXPECT_EQ(speechd_rate_of(449), 100);
    EXPECT_EQ(speechd_rate_of(450), 100);
    EXPECT_EQ(speechd_rate_of(125), -50);
    EXPECT_EQ(speechd_rate_of(309), 49);
    EXPECT_EQ(speechd_volume_of(0), -100);
    EXPECT_EQ(speechd_volume_of(50), 0);
    EXPECT_EQ(speechd_volume_of(100), 100);
}

TEST(SpeechSynthesisTest, TheProgramsWavStreamIsRead)
{
    auto le = [](uint32_t v, int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += char((v >> (8 * i)) & 0xff);
        return s;
    };
    const std::string fmt = "fmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(22050, 4) + le(44100, 4) + le(2, 2) + le(16, 2);
    const std::string samples = le(0x0102, 2) + le(0xfffe, 2) + le(7, 2);
    // espeak-ng streams: the lengths are not known when the header is written.
    const std::string streamed = "RIFF" + le(0x7fffffff, 4) + "WAVE" + fmt + "data" + le(0x7fffffff, 4) + samples;
    int rate = 0;
    std::vector<int16_t> pcm;
    ASSERT_TRUE(read_wav(streamed, rate, pcm));
    EXPECT_EQ(rate, 22050);
    EXPECT_EQ(pcm, (std::vector<int16_t>{0x0102, -2, 7}));
    // A chunk before the format, and a data length shorter than what follows.
    const std::string tidy = "RIFF" + le(100, 4) + "WAVE" + "LIST" + le(3, 4) + "abc" + std::string(1, '\0') + fmt +
                             "data" + le(4, 4) + samples;
    ASSERT_TRUE(read_wav(tidy, rate, pcm));
    EXPECT_EQ(pcm.size(), 2u);
    // Not a sound, a stereo one, or a truncated one.
    EXPECT_FALSE(read_wav("", rate, pcm));
    EXPECT_FALSE(read_wav("RIFF....WAVEdata", rate, pcm));
    std::string stereo = streamed;
    stereo[12 + 8 + 2] = 2;
    EXPECT_FALSE(read_wav(stereo, rate, pcm));
    EXPECT_FALSE(read_wav(streamed.substr(0, 30), rate, pcm));
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

// A room left: the sentence being said is heard to its end, what waited goes; a
// way reached: its line comes next, before the room's words that wait.
TEST_F(SpeechTest, DroppingWhatWaitsNeverCutsTheSentenceBeingSaidAndAWayGoesAhead)
{
    speech_start(44100);
    speak("A street in town.");
    speak("The day has just begun, and the town wakes slowly around you.");
    ASSERT_TRUE(run_frames_until([] { return !played.empty(); }));
    take_voice_news();
    speech_drop_waiting();
    speak("Short.");
    for (int frame = 0; frame < 30; ++frame) speech_service();
    EXPECT_TRUE(stopped.empty()) << "the sentence being said goes on";
    voiceStillPlaying = false;
    ASSERT_TRUE(run_frames_until([] { return played.size() == 2; }));
    EXPECT_LT(played[1].length, played[0].length * 2) << "the long sentence that waited is gone";
    std::vector<VoiceNews> news = take_voice_news();
    ASSERT_FALSE(news.empty());
    EXPECT_EQ(news[0].kind, VoiceNews::Ends);
    EXPECT_EQ(news[0].text, "A street in town.");

    // Words waiting from an earlier frame; then a way's line, ahead of them.
    voiceStillPlaying = true;
    speak("The road runs on towards the river, past the mill and the old stone church.");
    int frames = 0;
    run_frames_until([&] { return ++frames == 50; });  // half a second
    speak_first(WAY_UP_LINE);
    speech_service();
    voiceStillPlaying = false;
    ASSERT_TRUE(run_frames_until([] { return played.size() == 3; }));
    news = take_voice_news();
    std::vector<std::string> begun;
    for (const VoiceNews& item : news)
        if (item.kind == VoiceNews::Begins) begun.push_back(item.text);
    ASSERT_FALSE(begun.empty());
    EXPECT_EQ(begun.back(), WAY_UP_LINE);
}

TEST_F(SpeechTest, ASilentGameStartsNoVoice)
{
    for (int frame = 0; frame < 5; ++frame) speech_service();
    EXPECT_TRUE(played.empty());
    EXPECT_TRUE(volumes.empty()) << "the music is left alone";
}

namespace {

// A line with "Hostile" in it gets a WAV header at $RATE (octal escapes) and
// whatever $BODY writes; every other line goes to the real program.
const char* const HOSTILE_ESPEAK =
    "#!/bin/sh\ntext=$(cat)\ncase \"$text\" in *Hostile*) ;; *) printf %s \"$text\" | /usr/bin/espeak-ng \"$@\"; exit ;; esac\n"
    "printf 'RIFF\\377\\377\\377\\177WAVEfmt \\20\\0\\0\\0\\1\\0\\1\\0'\"$RATE\"'\\0\\0\\0\\0\\2\\0\\20\\0data\\377\\377\\377\\377'\n"
    "eval \"$BODY\"\n";

}  // namespace

TEST_F(SpeechTest, SoundBeyondTheBoundsIsRefusedAndTheVoiceGoesOn)
{
    const char* const cases[][3] = {
        {"1 Hz, a million frames", "\\1\\0\\0\\0", "head -c 2000000 /dev/zero"},
        {"writing without end", "\\42\\126\\0\\0", "cat /dev/zero"},
        {"48 kHz, three minutes", "\\200\\273\\0\\0", "head -c 16000000 /dev/zero"},
    };
    StandIns standIns;
    standIns.write("espeak-ng", HOSTILE_ESPEAK);
    for (const auto& [what, rate, body] : cases) {
        setenv("RATE", rate, 1);
        setenv("BODY", body, 1);
        played.clear();
        speech_start(48000);
        testing::internal::CaptureStderr();
        speechQueue = {"Hostile line", "Voice on"};
        const bool spoke = run_frames_until([] { return !played.empty(); });
        const std::string said = testing::internal::GetCapturedStderr();
        ASSERT_TRUE(spoke) << what << ": the next line is still spoken";
        EXPECT_LT(played[0].length, 48000 * 3) << what << ": only the short line is played";
        EXPECT_EQ(said.find("is refused"), said.rfind("is refused")) << what << ": one line: " << said;
        EXPECT_NE(said.find("is refused"), std::string::npos) << what;
        speech_shutdown();
    }
}

// A stand-in speech-dispatcher that answers the first words with "2" or a bare
// line end: the client library gives up and ends its process, not the game's.
TEST_F(SpeechTest, AServiceThatAnswersNonsenseOnlyEndsItsClient)
{
    StandIns standIns;
    standIns.write("service.py",
                   "import socket, sys\ns = socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); s.listen(4)\n"
                   "while True:\n    c, _ = s.accept(); data = False\n    for line in c.makefile('rb'):\n"
                   "        if data and line == b'.\\r\\n': c.sendall(sys.argv[2].encode() + b'\\r\\n'); data = False\n"
                   "        elif not data: data = line.strip().upper() == b'SPEAK'; "
                   "c.sendall(b'230 OK RECEIVING DATA\\r\\n' if data else b'200 OK\\r\\n')\n");
    for (const std::string reply : {"2", ""}) {
        const std::string socket = standIns.dir + "/s" + reply;
        ASSERT_EQ(std::system(("python3 " + standIns.dir + "/service.py " + socket + " '" + reply + "' & echo $! >" +
                               standIns.dir + "/pid").c_str()), 0);
        for (int tries = 0; tries < 500 && !std::filesystem::exists(socket); ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_TRUE(std::filesystem::exists(socket)) << "the stand-in service did not start";
        setenv("SPEECHD_ADDRESS", ("unix_socket:" + socket).c_str(), 1);
        speechDispatcherAllowed = true;
        played.clear();
        speech_start(48000);
        testing::internal::CaptureStderr();
        speechQueue = {"Voice on"};
        EXPECT_TRUE(run_frames_until([] { return !played.empty(); })) << reply << ": said by espeak-ng instead";
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "Karvelle: speech-dispatcher's client ended; the voice goes on through the espeak-ng program\n");
        speech_shutdown();
        EXPECT_EQ(std::system(("kill $(cat " + standIns.dir + "/pid)").c_str()), 0);
    }
    unsetenv("SPEECHD_ADDRESS");
}
