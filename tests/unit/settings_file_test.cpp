// The player's settings on disk and the frame's input pass: config.ini edited
// key by key with the player's own lines kept, a file that cannot be written,
// and the actions each pass reports.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "core/config_text.h"
#include "core/game_state.h"
#include "events/settings_page.h"
#include "audio/music.h"
#include "core/settings.h"
#include "frame/settings_file.h"
#include "platform/paths.h"
#include "play/input.h"
#include "play/key_latch.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

// No test may write the config.ini of the folder the tests run in.
struct PrivateConfig : ::testing::Environment {
    TempDir* dir = nullptr;
    void SetUp() override
    {
        dir = new TempDir("unit-config");
        game_paths().config = dir->path + "/config.ini";
    }
    void TearDown() override { delete dir; }
};
[[maybe_unused]] ::testing::Environment* const privateConfig = ::testing::AddGlobalTestEnvironment(new PrivateConfig);

TEST(ConfigText, SetsOneKeyAndKeepsEveryOtherLine)
{
    struct Case {
        const char* before;
        const char* section;
        const char* key;
        const char* after;
    };
    const Case cases[] = {
        // In place, in any case, the comments and the unknown key kept.
        {"# mine\n[sound]\n; note\nMusic_Volume = 80\nloudness = 3\n", "sound", "music_volume",
         "# mine\n[sound]\n; note\nmusic_volume = 40\nloudness = 3\n"},
        // After the section's last line, before the next section and its blank line.
        {"[graphics]\nfullscreen = 0\n\n[keys]\nwalk = D\n", "graphics", "scale",
         "[graphics]\nfullscreen = 0\nscale = 40\n\n[keys]\nwalk = D\n"},
        // A new section at the end; a file without its last line end.
        {"[keys]\nquit = F10", "sound", "music_volume", "[keys]\nquit = F10\n\n[sound]\nmusic_volume = 40\n"},
        {"", "sound", "music_volume", "[sound]\nmusic_volume = 40\n"},
        // A key of another section is not this one; Windows line ends stay.
        {"[controls]\nmusic_volume = 9\r\n", "sound", "music_volume",
         "[controls]\r\nmusic_volume = 9\r\n\r\n[sound]\r\nmusic_volume = 40\r\n"},
        // A commented-out key is the player's note, not the key.
        {"[sound]\n# music_volume = 10\n", "sound", "music_volume", "[sound]\n# music_volume = 10\nmusic_volume = 40\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(with_config_value(c.before, c.section, c.key, "40"), c.after) << c.before;
}

class SettingsFile : public ::testing::Test {
protected:
    TempDir folder{"settings-file"};
    std::string dir = folder.path, path = dir + "/karvelle/config.ini";
    Settings saved = settings;
    void SetUp() override { reset_settings_file(); }
    void TearDown() override { settings = saved; }
};

TEST_F(SettingsFile, WritesTheChangedKeysAndKeepsThePlayersLines)
{
    // The folder does not exist yet.
    settings.musicVolume = 70;
    settings.voice = true;
    ASSERT_TRUE(write_settings_to(path, {SettingKey::MusicVolume, SettingKey::Voice}));
    EXPECT_EQ(file_text(path), "[sound]\nmusic_volume = 70\n\n[accessibility]\nvoice = 1\n");

    put_file(path, "# my keys\n[keys]\nwalk = D\n[accessibility]\nvoice = 1\nfancy = yes\n");
    settings.calm = true;
    settings.speech.wordsPerMinute = 0;
    ASSERT_TRUE(write_settings_to(path, {SettingKey::Calm, SettingKey::VoiceRate}));
    EXPECT_EQ(file_text(path), "# my keys\n[keys]\nwalk = D\n[accessibility]\nvoice = 1\nfancy = yes\ncalm = 1\n"
                         "voice_rate = desktop\n");
}

TEST_F(SettingsFile, AFileThatCannotBeWrittenIsLeftAndSaidOnce)
{
    fs::create_directories(dir + "/karvelle");
    put_file(path, "[sound]\nmusic_volume = 30\n");
    chmod(path.c_str(), 0444);
    settings.musicVolume = 90;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(write_settings_to(path, {SettingKey::MusicVolume}));
    EXPECT_FALSE(write_settings_to(path, {SettingKey::MusicVolume}));
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(file_text(path), "[sound]\nmusic_volume = 30\n");
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("read-only"), std::string::npos) << said;
    EXPECT_EQ(settings.musicVolume, 90) << "the run keeps the change";

    // Bytes the game would not read are not rewritten either.
    const std::string junk = dir + "/junk.ini", bytes("\x01\x02[sound]\n", 10);
    put_file(junk, bytes);
    EXPECT_FALSE(write_settings_to(junk, {SettingKey::MusicVolume}));
    EXPECT_EQ(file_text(junk), bytes);
}

TEST(SettingsPage, EachLineStepsWithinItsRangeAndMarksItsKeyAndTheMusicFollows)
{
    const Settings saved = settings;
    take_changed_settings();
    struct Step {
        SettingsLine line;
        int step, times;
        const char* shown;
    };
    settings = Settings{};
    const Step steps[] = {
        {SettingsLine::MusicVolume, -1, 3, "Music volume: 70"},
        {SettingsLine::EffectsVolume, +1, 2, "Sound volume: 100"},  // no higher than full
        {SettingsLine::VoiceVolume, -1, 1, "Voice volume: 90"},     // the desktop's counts as full
        {SettingsLine::VoiceVolume, -1, 12, "Voice volume: 0"},
        {SettingsLine::VoiceRate, +1, 1, "Voice rate: 200 words a minute"},
        {SettingsLine::ExitHold, +1, 2, "Hold to take a way: 0.5 seconds"},
        {SettingsLine::Calm, +1, 1, "Calm mode: on"},
        {SettingsLine::Scale, +1, 9, "Scale: auto"},
        {SettingsLine::Scale, -1, 1, "Scale: 8"},
    };
    for (const Step& s : steps) {
        for (int i = 0; i < s.times; ++i) change_setting(s.line, s.step);
        EXPECT_EQ(settings_line_text(s.line), s.shown);
    }
    const std::vector<SettingKey> marked = take_changed_settings();
    EXPECT_EQ(marked, (std::vector<SettingKey>{SettingKey::Scale, SettingKey::MusicVolume, SettingKey::EffectsVolume,
                                               SettingKey::VoiceVolume, SettingKey::VoiceRate, SettingKey::Calm,
                                               SettingKey::ExitHold}));
    EXPECT_EQ(setting_text(SettingKey::Scale), "8");

    // The music follows its volume, and dips by the same share under the voice.
    settings.musicVolume = 50;
    EXPECT_FLOAT_EQ(music_playing_volume(), 0.4f);
    music_set_ducked(true);
    EXPECT_FLOAT_EQ(music_playing_volume(), 0.4f * MUSIC_DUCK_FACTOR);
    music_set_ducked(false);
    game.fullscreenToggleRequested = false;
    settings = saved;
}

TEST(InputPass, EachActionIsPressedHeldAndLetGoOnce)
{
    ensure_allegro();
    std::memset(const_cast<char*>(key), 0, KEY_MAX);
    reset_input();
    auto pass = [] {
        clear_key_taps();
        poll_input();
    };
    key[KEY_LEFT] = 1;
    pass();
    EXPECT_TRUE(pressed(Action::Left) && held(Action::Left));
    EXPECT_FALSE(let_go(Action::Left) || held(Action::Walk));
    pass();
    EXPECT_TRUE(held(Action::Left));
    EXPECT_FALSE(pressed(Action::Left)) << "held is no new press";
    key[KEY_LEFT] = 0;
    pass();
    EXPECT_TRUE(let_go(Action::Left));
    EXPECT_FALSE(held(Action::Left) || pressed(Action::Left));
    pass();
    EXPECT_FALSE(let_go(Action::Left)) << "let go once";

    // A tap between two passes is a press of one pass, and then let go.
    clear_key_taps();
    latch_key_event(KEY_F1);
    latch_key_event(KEY_F1 | 0x80);
    poll_input();
    EXPECT_TRUE(pressed(Action::Settings));
    pass();
    EXPECT_TRUE(let_go(Action::Settings) && !pressed(Action::Settings));
    reset_input();
}

}  // namespace
