// Where the game looks for its data and keeps the player's files: the four
// places in order, the portable folder against the per-user XDG folders, and a
// profile folder that cannot be made.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "core/game_state.h"
#include "frame/profile.h"
#include "platform/paths.h"

namespace fs = std::filesystem;

namespace {

std::string read_text(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A temporary tree standing for the four places: work/ (the working directory),
// usr/games/ (the binary's folder), usr/share/games/karvelle/ (the installed
// tree beside it) and prefix/share/games/karvelle/ (the build's install prefix),
// with HOME and the XDG variables pointed inside it.
class PathsTest : public ::testing::Test {
protected:
    fs::path root, work, bin, installed, compiled, home;
    fs::path savedDirectory;
    GamePaths savedPaths;
    std::optional<std::string> savedVariables[3];
    static constexpr const char* VARIABLES[3] = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"};

    void SetUp() override
    {
        char pattern[] = "/tmp/karvelle-paths.XXXXXX";
        root = mkdtemp(pattern);
        work = root / "work";
        bin = root / "usr/games";
        installed = root / "usr/share/games/karvelle";
        compiled = root / "prefix/share/games/karvelle";
        home = root / "home";
        for (const fs::path& folder : {work, bin, home}) fs::create_directories(folder);
        savedDirectory = fs::current_path();
        fs::current_path(work);
        savedPaths = game_paths();
        for (int i = 0; i < 3; ++i) {
            const char* value = std::getenv(VARIABLES[i]);
            if (value) savedVariables[i] = value;
        }
        setenv("HOME", home.c_str(), 1);
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_CONFIG_HOME");
    }
    void TearDown() override
    {
        fs::current_path(savedDirectory);
        game_paths() = savedPaths;
        for (int i = 0; i < 3; ++i) {
            if (savedVariables[i])
                setenv(VARIABLES[i], savedVariables[i]->c_str(), 1);
            else
                unsetenv(VARIABLES[i]);
        }
        std::error_code ignored;
        fs::permissions(root / "work/data", fs::perms::owner_all, ignored);
        fs::remove_all(root, ignored);
    }

    static void hold_graphics(const fs::path& folder) { fs::create_directories(folder / "graphics"); }
    GamePaths find() { return find_game_paths(bin.string() + "/", compiled.string()); }
    static std::string folder(const fs::path& path) { return path.string() + "/"; }
};

}  // namespace

TEST_F(PathsTest, TheFirstOfTheFourPlacesHoldingGraphicsWins)
{
    GamePaths none = find();
    EXPECT_EQ(none.place, DataPlace::Missing);
    std::string message = missing_data_message(none);
    size_t at = 0;
    for (const fs::path& place : {bin / "data", installed, compiled, work / "data"}) {
        size_t named = message.find(folder(place));
        EXPECT_NE(named, std::string::npos) << message << " does not name " << place;
        EXPECT_GE(named, at) << message << " names " << place << " out of order";
        at = named == std::string::npos ? at : named;
    }

    // A data/ folder without graphics/ in it is passed over.
    fs::create_directories(bin / "data/music");
    EXPECT_EQ(find().place, DataPlace::Missing);

    // The working directory's data/ comes last: a home folder that happens to
    // hold a data/graphics/ of something else is not taken for the game's.
    hold_graphics(work / "data");
    GamePaths found = find();
    EXPECT_EQ(found.place, DataPlace::WorkingDirectory);
    EXPECT_EQ(found.dataFolder, "data/");
    EXPECT_EQ(found.changeTo, "");

    hold_graphics(compiled);
    found = find();
    EXPECT_EQ(found.place, DataPlace::CompiledPrefix);
    EXPECT_EQ(found.dataFolder, folder(compiled));
    EXPECT_TRUE(found.perUser);

    hold_graphics(installed);
    found = find();
    EXPECT_EQ(found.place, DataPlace::InstalledTree);
    EXPECT_EQ(found.dataFolder, folder(installed)) << "../share/games/karvelle beside the binary, tidied";

    hold_graphics(bin / "data");
    found = find();
    EXPECT_EQ(found.place, DataPlace::BesideGame);
    EXPECT_EQ(found.dataFolder, "data/");
    EXPECT_EQ(found.changeTo, folder(bin)) << "the portable folder is where the game works";

    // Run from its own folder, the portable game names that folder once.
    fs::current_path(bin);
    fs::remove_all(bin / "data");
    fs::remove_all(installed);
    fs::remove_all(compiled);
    message = missing_data_message(find());
    EXPECT_EQ(message.find(folder(bin / "data")), message.rfind(folder(bin / "data"))) << message;
}

TEST_F(PathsTest, APortableFolderKeepsItsFilesBesideTheGame)
{
    // Started from its own folder, with an installed copy elsewhere.
    fs::current_path(bin);
    hold_graphics(bin / "data");
    hold_graphics(installed);
    GamePaths paths = find();
    EXPECT_FALSE(paths.perUser);
    EXPECT_EQ(paths.profile, "data/profile.dat");
    EXPECT_EQ(paths.config, "config.ini");

    game_paths() = paths;
    EXPECT_EQ(data_path("graphics/font.ttf"), "data/graphics/font.ttf");
    EXPECT_STREQ(profile_path(), "data/profile.dat");
    EXPECT_FALSE(fs::exists(home / ".local")) << "nothing is made in the home folder";
}

TEST_F(PathsTest, AnInstalledGameKeepsItsFilesInTheXdgFolders)
{
    hold_graphics(installed);
    GamePaths paths = find();
    EXPECT_TRUE(paths.perUser);
    EXPECT_EQ(paths.profile, folder(home / ".local/share/karvelle") + "profile.dat");
    EXPECT_EQ(paths.config, folder(home / ".config/karvelle") + "config.ini");
    EXPECT_EQ(paths.profileSeed, "");

    // Absolute XDG variables are followed; relative ones are ignored.
    setenv("XDG_DATA_HOME", (root / "xdata").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root / "xconfig/").c_str(), 1);
    paths = find();
    EXPECT_EQ(paths.profile, folder(root / "xdata/karvelle") + "profile.dat");
    EXPECT_EQ(paths.config, folder(root / "xconfig/karvelle") + "config.ini");
    setenv("XDG_DATA_HOME", "relative/data", 1);
    setenv("XDG_CONFIG_HOME", "", 1);
    paths = find();
    EXPECT_EQ(paths.profile, folder(home / ".local/share/karvelle") + "profile.dat");
    EXPECT_EQ(paths.config, folder(home / ".config/karvelle") + "config.ini");

    // A config.ini in the working directory is read before the per-user one.
    std::ofstream(work / "config.ini") << "[graphics]\nfullscreen = 0\n";
    EXPECT_EQ(find().config, "config.ini");
}

TEST_F(PathsTest, TheProfileFolderIsMadePrivateAndTheEndingsReachIt)
{
    hold_graphics(installed);
    setenv("XDG_DATA_HOME", (root / "deep/data").c_str(), 1);
    game_paths() = find();
    EXPECT_FALSE(fs::exists(root / "deep")) << "nothing is made before the profile is needed";

    game = GameState{};
    read_profile();
    EXPECT_EQ(game.eventCode, 0);
    fs::path saved = root / "deep/data/karvelle/profile.dat";
    for (const fs::path& made : {root / "deep", root / "deep/data", root / "deep/data/karvelle"}) {
        ASSERT_TRUE(fs::is_directory(made)) << made;
        struct stat info{};
        stat(made.c_str(), &info);
        EXPECT_EQ(info.st_mode & 0777, 0700u) << made;
    }
    game.endingsFound[3] = true;
    write_profile();
    EXPECT_EQ(read_text(saved), "0\n0\n1\n0\n0\n0\n0\n0\n");
    EXPECT_FALSE(fs::exists(installed / "profile.dat"));
}

TEST_F(PathsTest, AProfileFolderThatCannotBeMadeIsReportedOnceAndTheGameGoesOn)
{
    hold_graphics(installed);
    std::ofstream(root / "a-file") << "not a folder";
    setenv("XDG_DATA_HOME", (root / "a-file/data").c_str(), 1);
    game_paths() = find();

    game = GameState{};
    game.eventCode = 7;
    ::testing::internal::CaptureStderr();
    read_profile();
    game.endingsFound[2] = true;
    write_profile();
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(game.eventCode, 0) << "no endings known: the title page";
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find(folder(root / "a-file/data/karvelle")), std::string::npos) << said;
    EXPECT_EQ(profile_path(), nullptr);
}

// The checks of a read-only portable folder; returns what went wrong, or "".
std::string read_only_portable_folder(const fs::path& work, const fs::path& home, const GamePaths& paths)
{
    if (!paths.perUser) return "a read-only data folder keeps the profile in it";
    if (paths.profileSeed != "data/profile.dat") return "no seed: " + paths.profileSeed;
    game_paths() = paths;
    game = GameState{};
    read_profile();
    if (game.eventCode != 40 || !game.endingsFound[1] || !game.endingsFound[4])
        return "the endings found in the portable folder are not known";
    game.endingsFound[6] = true;
    write_profile();
    if (read_text(home / ".local/share/karvelle/profile.dat") != "1\n0\n0\n1\n0\n1\n0\n0\n")
        return "the endings did not reach the player's folder";
    if (read_text(work / "data/profile.dat") != "1\n0\n0\n1\n0\n0\n0\n0\n") return "the portable profile changed";
    // From then on the player's own profile is the one read.
    game = GameState{};
    read_profile();
    if (!game.endingsFound[6]) return "the player's own profile is not read back";
    return "";
}

TEST_F(PathsTest, AReadOnlyPortableFolderHandsItsEndingsToThePlayersFolder)
{
    hold_graphics(work / "data");
    std::ofstream(work / "data/profile.dat") << "1\n0\n0\n1\n0\n0\n0\n0\n";
    fs::permissions(work / "data", fs::perms::owner_read | fs::perms::owner_exec);
    if (geteuid() != 0) {
        EXPECT_EQ(read_only_portable_folder(work, home, find()), "");
        return;
    }
    // Root may write anywhere, so the folder is read-only only to another user:
    // the checks run in a child process as the user nobody.
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
        ASSERT_EQ(lchown(entry.path().c_str(), 65534, 65534), 0);
    ASSERT_EQ(chown(root.c_str(), 65534, 65534), 0);
    fflush(nullptr);
    pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
        std::string failure = read_only_portable_folder(work, home, find());
        if (!failure.empty()) std::fprintf(stderr, "%s\n", failure.c_str());
        _exit(failure.empty() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the checks as nobody failed (see above)";
}

TEST_F(PathsTest, PathsDescribeWhatWasChosen)
{
    hold_graphics(installed);
    std::string text = describe_game_paths(find());
    EXPECT_NE(text.find("data: " + folder(installed) + " (installed tree)"), std::string::npos) << text;
    EXPECT_NE(text.find("profile: " + folder(home / ".local/share/karvelle") + "profile.dat"), std::string::npos) << text;
    fs::remove_all(installed);  // the working directory's data/ comes after it
    hold_graphics(work / "data");
    text = describe_game_paths(find());
    EXPECT_NE(text.find("profile: " + folder(fs::canonical(work)) + "data/profile.dat"), std::string::npos) << text;
}
