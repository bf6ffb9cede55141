// The accessibility settings and the frame step's guard for a game without sound.
#include <gtest/gtest.h>

#include <allegro.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <fstream>
#include <string>
#include <unistd.h>

#include "audio/speech.h"
#include "events/narration.h"
#include "frame/accessibility.h"
#include "render/calm.h"
#include "test_support.h"

namespace {

class AccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        reset_narration();
        voiceOption = calmOption = false;
        calmEnabled = false;
        path = std::filesystem::temp_directory_path() / ("karvelle-a11y-" + std::to_string(getpid()) + ".ini");
    }
    void TearDown() override
    {
        set_config_data("", 0);
        std::filesystem::remove(path);
        reset_narration();
        voiceOption = calmOption = false;
        calmEnabled = false;
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
    EXPECT_FALSE(voiceEnabled);
    EXPECT_FALSE(calmEnabled);

    use_config("[accessibility]\nvoice = 1\ncalm = 1\n");
    read_accessibility_config();
    EXPECT_TRUE(voiceEnabled);
    EXPECT_TRUE(calmEnabled);

    // Only 1 turns a mode on; an option turns it on whatever the file says.
    use_config("[accessibility]\nvoice = yes\ncalm = 2\n");
    read_accessibility_config();
    EXPECT_FALSE(voiceEnabled);
    EXPECT_FALSE(calmEnabled);
    voiceOption = calmOption = true;
    read_accessibility_config();
    EXPECT_TRUE(voiceEnabled);
    EXPECT_TRUE(calmEnabled);
}

TEST_F(AccessibilityTest, WithoutSoundTheVoiceSaysNothingAndSaysSoOnce)
{
    // No sound driver is installed in the tests, and speech-dispatcher, which
    // would speak without one, is out of reach.
    speechDispatcherAllowed = false;
    voiceEnabled = true;
    speechQueue.push_back("Voice on");
    testing::internal::CaptureStderr();
    accessibility_frame();
    for (int frame = 0; frame < 500 && speech_route() == SpeechRoute::Undecided; ++frame) {
        accessibility_frame();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    speechQueue.push_back("Karvelle");
    accessibility_frame();
    accessibility_frame();
    speech_shutdown();
    speechDispatcherAllowed = true;
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(speechQueue.empty());
    EXPECT_FALSE(speech_playing());
    EXPECT_EQ(said, "Karvelle: no sound device; the voice stays silent\n");
}
