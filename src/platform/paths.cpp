#include "platform/paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// The installed data, relative to the folder of the installed binary and as the
// build's install prefix put it; the build system passes both.
#ifndef KARVELLE_DATA_FROM_GAME
#define KARVELLE_DATA_FROM_GAME "../share/games/karvelle"
#endif
#ifndef KARVELLE_INSTALLED_DATA
#define KARVELLE_INSTALLED_DATA "/usr/local/share/games/karvelle"
#endif

GamePaths& game_paths()
{
    static GamePaths paths;
    return paths;
}

namespace {

bool is_directory(const std::string& path)
{
    struct stat info{};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool exists(const std::string& path)
{
    struct stat info{};
    return stat(path.c_str(), &info) == 0;
}

// "/a/b/../c/./d" becomes "/a/c/d/": a folder named from another one, tidied
// without touching the file system. Keeps the trailing '/'.
std::string tidy_folder(const std::string& path)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string tidy = path.empty() || path[0] != '/' ? "" : "/";
    for (const std::string& part : parts) tidy += part + "/";
    return tidy;
}

std::string current_folder()
{
    char path[PATH_MAX];
    if (!getcwd(path, sizeof path)) return "";
    return tidy_folder(path);
}

std::string home_folder()
{
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return home;
    const passwd* user = getpwuid(getuid());
    if (user && user->pw_dir && user->pw_dir[0] == '/') return user->pw_dir;
    return "";
}

// An XDG base folder: the variable when it holds an absolute path (relative ones
// are ignored, as the XDG rules say), else the fallback under the home folder;
// "" when there is no home either. Ends in '/'.
std::string xdg_folder(const char* variable, const char* fallback)
{
    const char* value = std::getenv(variable);
    if (value && value[0] == '/') return tidy_folder(value);
    std::string home = home_folder();
    return home.empty() ? "" : tidy_folder(home + "/" + fallback);
}

// Makes every missing folder of `folder`, each with mode 0700.
bool make_folders(const std::string& folder)
{
    for (size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1)) {
        std::string prefix = folder.substr(0, slash);
        if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (!is_directory(prefix)) {
            errno = ENOTDIR;
            return false;
        }
    }
    return true;
}

const char* const PLACE_NAMES[] = {"beside the game", "installed tree", "the build's install prefix",
                                   "the working directory", "not found"};

}  // namespace

GamePaths find_game_paths(const std::string& gameFolder, const std::string& compiledDataFolder)
{
    GamePaths paths;
    std::string here = current_folder();
    std::string game = gameFolder.empty() ? "" : tidy_folder(gameFolder);
    paths.searched.push_back(game.empty() ? "" : game + "data/");
    paths.searched.push_back(game.empty() ? "" : tidy_folder(game + KARVELLE_DATA_FROM_GAME));
    paths.searched.push_back(tidy_folder(compiledDataFolder));
    paths.searched.push_back(here + "data/");

    int found = 0;
    while (found < 4 && (paths.searched[found].empty() || !is_directory(paths.searched[found] + "graphics"))) ++found;
    paths.place = DataPlace(found);
    if (paths.place == DataPlace::Missing) return paths;

    // The portable folder: data/ and config.ini where the game works. The data is
    // named relative to it, as the game has always named it.
    std::string work = here;
    if (paths.place == DataPlace::BesideGame && game != here) {
        paths.changeTo = game;
        work = game;
    }
    bool portable = paths.place == DataPlace::WorkingDirectory || paths.place == DataPlace::BesideGame;
    paths.dataFolder = portable ? "data/" : paths.searched[found];
    // Root can write anywhere, so where the data lies decides first; the write
    // test only moves a read-only portable folder's profile to the player.
    paths.perUser = !portable || access((work + "data/").c_str(), W_OK) != 0;
    if (!paths.perUser) return paths;

    std::string dataHome = xdg_folder("XDG_DATA_HOME", ".local/share");
    std::string configHome = xdg_folder("XDG_CONFIG_HOME", ".config");
    paths.profileFolder = dataHome.empty() ? "" : dataHome + "karvelle/";
    paths.profile = dataHome.empty() ? "" : paths.profileFolder + "profile.dat";
    paths.profileSeed = portable ? "data/profile.dat" : "";
    if (!exists(work + "config.ini") && !configHome.empty()) paths.config = configHome + "karvelle/config.ini";
    return paths;
}

void choose_game_paths()
{
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string gameFolder;
    if (length > 0) {
        gameFolder.assign(path, size_t(length));
        gameFolder.erase(gameFolder.find_last_of('/') + 1);
    }
    GamePaths& paths = game_paths();
    paths = find_game_paths(gameFolder, KARVELLE_INSTALLED_DATA);
    if (!paths.changeTo.empty() && chdir(paths.changeTo.c_str()) != 0) {
        // Stay where we are and name the portable files in full instead.
        for (std::string* name : {&paths.dataFolder, &paths.profile, &paths.profileSeed, &paths.config})
            if (!name->empty() && (*name)[0] != '/') *name = paths.changeTo + *name;
    }
}

std::string data_path(const std::string& relative)
{
    return game_paths().dataFolder + relative;
}

const char* profile_path()
{
    GamePaths& paths = game_paths();
    if (!paths.perUser) return paths.profile.c_str();
    if (!paths.profileFolderTried) {
        paths.profileFolderTried = true;
        if (paths.profileFolder.empty()) {
            std::fprintf(stderr, "Karvelle: no home folder is known (HOME is not set), so the endings found will not be saved\n");
        } else if (make_folders(paths.profileFolder)) {
            paths.profileFolderReady = true;
        } else {
            std::fprintf(stderr, "Karvelle: cannot make the folder %s (%s), so the endings found will not be saved\n",
                         paths.profileFolder.c_str(), std::strerror(errno));
        }
    }
    return paths.profileFolderReady ? paths.profile.c_str() : nullptr;
}

const char* profile_read_path()
{
    const char* saved = profile_path();
    const std::string& seed = game_paths().profileSeed;
    if (saved && (exists(saved) || seed.empty())) return saved;
    return seed.c_str();
}

std::string pages_read_path()
{
    const char* profile = profile_path();
    if (!profile) return "";
    const std::string path = profile;
    const size_t slash = path.find_last_of('/');
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + "pages-read.dat";
}

const char* config_path()
{
    return game_paths().config.c_str();
}

std::string config_full_path()
{
    const std::string& config = game_paths().config;
    return config.empty() || config[0] == '/' ? config : current_folder() + config;
}

std::string describe_game_paths(const GamePaths& paths)
{
    int place = int(paths.place);
    if (paths.place == DataPlace::Missing) return missing_data_message(paths) + "\n";
    std::string work = paths.changeTo.empty() ? current_folder() : paths.changeTo;
    auto full = [&](const std::string& name) { return name.empty() || name[0] == '/' ? name : work + name; };
    std::string text = "data: " + paths.searched[place] + " (" + PLACE_NAMES[place] + ")\n";
    text += "profile: " + (paths.profile.empty() ? std::string("none (no home folder)") : full(paths.profile)) + "\n";
    text += "config: " + full(paths.config) + "\n";
    return text;
}

std::string missing_data_message(const GamePaths& paths)
{
    std::string text = "Karvelle: cannot find the game's data (a folder holding graphics/); looked in";
    const char* separator = " ";
    for (size_t i = 0; i < paths.searched.size(); ++i) {
        const std::string& folder = paths.searched[i];
        const auto before = paths.searched.begin() + long(i);
        if (folder.empty() || std::find(paths.searched.begin(), before, folder) != before) continue;
        text += separator + folder;
        separator = ", ";
    }
    return text;
}

bool make_private_folders(const std::string& folder)
{
    return make_folders(folder);
}

std::string module_proof_folder()
{
    std::string dataHome = xdg_folder("XDG_DATA_HOME", ".local/share");
    return dataHome.empty() ? "" : dataHome + "karvelle/module-proofs/";
}
