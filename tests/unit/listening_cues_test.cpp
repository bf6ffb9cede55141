// What a listener hears of the walk besides words: a footstep every few steps
// and a cue while held still with Right pressed, both only with the voice on;
// and the desktop's answer about a screen reader.
#include <gtest/gtest.h>

#include <allegro.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "audio/audio_backend.h"
#include "audio/cues.h"
#include "audio/speech.h"
#include "core/game_state.h"
#include "events/listening_cues.h"
#include "frame/game_setup.h"
#include "platform/paths.h"
#include "platform/screen_reader_query.h"
#include "play/input.h"
#include "test_support.h"

namespace {

std::vector<const SAMPLE*> heard;

class ListeningCues : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        construct_game_state();
        reset_input();
        reset_listening_cues();
        heard.clear();
        savedBackend = audioBackend;
        AudioBackend b = real_audio_backend();
        b.playSample = [](const SAMPLE* s, int, int, int, int) {
            heard.push_back(s);
            return 0;
        };
        audioBackend = b;
        savedData = game_paths().dataFolder;
        game_paths().dataFolder = std::string(KARVELLE_TEST_DATA_DIR) + "/";
        game.gameMode = Play;
    }
    void TearDown() override
    {
        audioBackend = savedBackend;
        game_paths().dataFolder = savedData;
        settings.voice = false;
        reset_input();
        construct_game_state();
    }
    static void frames(int count)
    {
        for (int i = 0; i < count; ++i) listening_cues_frame();
    }
    AudioBackend savedBackend{};
    std::string savedData;
};

}  // namespace

TEST_F(ListeningCues, FootstepsWhileWalkingWithTheVoiceOnOnly)
{
    game.playerSpeed = 2.5;
    frames(100);
    EXPECT_TRUE(heard.empty()) << "the voice off changes nothing";

    settings.voice = true;
    frames(3 * FOOTSTEP_PERIOD);
    ASSERT_EQ(heard.size(), 3u) << "the first step at once, then one a period";
    ASSERT_NE(heard[0], nullptr);
    EXPECT_EQ(heard[1], heard[0]);
    // Standing still: no steps; walking again: a step at once.
    game.playerSpeed = 0.0;
    frames(50);
    EXPECT_EQ(heard.size(), 3u);
    game.playerSpeed = 1.5;
    frames(1);
    EXPECT_EQ(heard.size(), 4u);
    // Nor while a room change freezes the walk, nor on a page.
    game.roomChangePending = true;
    frames(50);
    game.roomChangePending = false;
    game.gameMode = EventScreen;
    frames(50);
    EXPECT_EQ(heard.size(), 4u);
}

TEST_F(ListeningCues, HeldStillInTheBlackWithRightPressed)
{
    settings.voice = true;
    game.fadeHoldFrames = 90;  // a scene held in black
    game.playerSpeed = 0.0;
    frames(10);
    EXPECT_TRUE(heard.empty()) << "standing there without trying to walk";
    input.actions[size_t(Action::Walk)].held = true;
    frames(HELD_STILL_PERIOD + 1);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0], heard[1]);
    // A different sound from a footstep.
    game.fadeHoldFrames = 0;
    game.playerSpeed = 2.5;
    frames(1);
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_NE(heard[2], heard[0]);
}

TEST(ScreenReaderQuery, TheDesktopsAnswerTurnsTheVoiceOnOnlyWhenItSaysSo)
{
    EXPECT_TRUE(screen_reader_answer_says_running("(<true>,)\n"));
    EXPECT_FALSE(screen_reader_answer_says_running("(<false>,)\n"));
    EXPECT_FALSE(screen_reader_answer_says_running(""));

    // A stand-in for gdbus answers as the session bus would.
    const std::filesystem::path bin =
        std::filesystem::temp_directory_path() / ("karvelle-bus-" + std::to_string(getpid()));
    std::filesystem::create_directories(bin);
    const char* path = std::getenv("PATH");
    const std::string saved = path ? path : "";
    setenv("PATH", bin.c_str(), 1);
    auto answer_with = [&](const std::string& script) {
        std::ofstream(bin / "gdbus") << "#!/bin/sh\n" << script << "\n";
        std::filesystem::permissions(bin / "gdbus", std::filesystem::perms::owner_all);
        reset_screen_reader_query();
        start_screen_reader_query();
        ScreenReaderAnswer answer = ScreenReaderAnswer::Asking;
        for (int i = 0; i < 400 && answer == ScreenReaderAnswer::Asking; ++i) {
            answer = poll_screen_reader_query();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return answer;
    };
    EXPECT_EQ(answer_with("echo '(<true>,)'"), ScreenReaderAnswer::Running);
    EXPECT_EQ(answer_with("echo '(<false>,)'"), ScreenReaderAnswer::NotRunning);
    // No accessibility bus: gdbus fails.
    EXPECT_EQ(answer_with("echo 'Error: GDBus.Error:org.freedesktop.DBus.Error.ServiceUnknown' >&2; exit 1"),
              ScreenReaderAnswer::NotRunning);
    // A bus that never answers: not waited for by the frame, and given up on.
    reset_screen_reader_query();
    std::ofstream(bin / "gdbus") << "#!/bin/sh\nexec /bin/sleep 30\n";
    const auto start = std::chrono::steady_clock::now();
    start_screen_reader_query();
    EXPECT_EQ(poll_screen_reader_query(), ScreenReaderAnswer::Asking);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100)) << "the frame never waits";
    ScreenReaderAnswer late = ScreenReaderAnswer::Asking;
    while (late == ScreenReaderAnswer::Asking && std::chrono::steady_clock::now() - start < std::chrono::seconds(6)) {
        late = poll_screen_reader_query();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(late, ScreenReaderAnswer::NotRunning);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(4500));
    // No gdbus at all.
    std::filesystem::remove(bin / "gdbus");
    reset_screen_reader_query();
    start_screen_reader_query();
    ScreenReaderAnswer none = ScreenReaderAnswer::Asking;
    for (int i = 0; i < 200 && none == ScreenReaderAnswer::Asking; ++i) {
        none = poll_screen_reader_query();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(none, ScreenReaderAnswer::NotRunning);
    reset_screen_reader_query();
    setenv("PATH", saved.c_str(), 1);
    std::filesystem::remove_all(bin);
}
