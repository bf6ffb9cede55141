// The accessibility settings and the frame step's guard for a game without sound.
#include <gtest/gtest.h>

#include <allegro.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <fstream>
#include <string>
#include <unistd.h>

#include "play/input.h"
#include "audio/speech.h"
#include "core/game_state.h"
#include "events/narration.h"
#include "frame/accessibility.h"
#include "frame/game_setup.h"
#include "platform/screen_reader_query.h"
#include "render/calm.h"
#include "test_support.h"

namespace {

class AccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        speech_shutdown();  // a voice an earlier case left running
        reset_narration();
        voiceOption = calmOption = false;
        settings.calm = false;
        path = std::filesystem::temp_directory_path() / ("karvelle-a11y-" + std::to_string(getpid()) + ".ini");
    }
    void TearDown() override
    {
        reset_screen_reader_query();
        set_config_data("", 0);
        std::filesystem::remove(path);
        reset_narration();
        voiceOption = calmOption = false;
        settings.calm = false;
    }
    void use_config(const std::string& text)
    {
        std::ofstream(path) << text;
        set_config_file(path.c_str());
    }
    std::filesystem::path path;
};

}  // namespace

TEST_F(AccessibilityTest, BothModesAreOffUnlessAskedFor)
{
    use_config("[graphics]\nfullscreen = 0\n");
    read_accessibility_config();
    EXPECT_FALSE(settings.voice);
    EXPECT_FALSE(settings.calm);

    use_config("[accessibility]\nvoice = 1\ncalm = 1\n");
    read_accessibility_config();
    EXPECT_TRUE(settings.voice);
    EXPECT_TRUE(settings.calm);

    // Only 1 turns a mode on; an option turns it on whatever the file says.
    use_config("[accessibility]\nvoice = yes\ncalm = 2\n");
    read_accessibility_config();
    EXPECT_FALSE(settings.voice);
    EXPECT_FALSE(settings.calm);
    voiceOption = calmOption = true;
    read_accessibility_config();
    EXPECT_TRUE(settings.voice);
    EXPECT_TRUE(settings.calm);
}

TEST_F(AccessibilityTest, WithoutSoundTheVoiceSaysNothingAndSaysSoOnce)
{
    // No sound driver is installed in the tests, and speech-dispatcher, which
    // would speak without one, is out of reach.
    speechDispatcherAllowed = false;
    settings.voice = true;
    speechQueue.push_back("Voice on");
    testing::internal::CaptureStderr();
    poll_input();
    accessibility_frame();
    for (int frame = 0; frame < 500 && speech_route() == SpeechRoute::Undecided; ++frame) {
        poll_input();
        accessibility_frame();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    speechQueue.push_back("Karvelle");
    poll_input();
    accessibility_frame();
    poll_input();
    accessibility_frame();
    speech_shutdown();
    speechDispatcherAllowed = true;
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(speechQueue.empty());
    EXPECT_FALSE(speech_playing());
    EXPECT_EQ(said, "Karvelle: no sound device; the voice stays silent\n");
}

TEST_F(AccessibilityTest, ARunningScreenReaderStartsTheVoiceUnlessTheFileSaysNo)
{
    // A stand-in gdbus that says a screen reader runs.
    StandIns standIns;
    standIns.write("gdbus", "#!/bin/sh\necho '(<true>,)'\n");
    construct_game_state();
    game.gameMode = EventScreen;
    game.eventCode = 0;
    // Frames of the title until the answer has come, as --trace shows what is said.
    speechDispatcherAllowed = false;
    traceSpeech = true;
    auto title_frames = [](int limit) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        for (int frame = 0; frame < limit && !settings.voice; ++frame) {
            poll_input();
            accessibility_frame();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        poll_input();
        accessibility_frame();
        testing::internal::GetCapturedStderr();
        return testing::internal::GetCapturedStdout();
    };

    use_config("[graphics]\nfullscreen = 0\n");
    read_accessibility_config();
    EXPECT_FALSE(settings.voice) << "not before the desktop has answered";
    EXPECT_EQ(title_frames(300),
              "say: Voice on\nsay: Karvelle\nsay: Flashing images: K for calm mode\nsay: F1 for settings\nsay: E for endings\nsay: Press Space to Begin\n");
    EXPECT_TRUE(settings.voice);

    // The player's own "voice = 0" is kept: the desktop is not even asked.
    reset_narration();
    reset_screen_reader_query();
    use_config("[accessibility]\nvoice = 0\n");
    read_accessibility_config();
    EXPECT_EQ(title_frames(50), "");
    EXPECT_FALSE(settings.voice);

    speech_shutdown();
    speechDispatcherAllowed = true;
    traceSpeech = false;
}
