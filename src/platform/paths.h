// Where the game finds its data and keeps the player's files: the data folder
// beside the game or installed, and the player's XDG folders.
#pragma once

#include <string>
#include <vector>

// Where the data was found, in the order the game looks for it: an installed
// game's own data comes before whatever data/ the working directory holds.
enum class DataPlace { BesideGame, InstalledTree, CompiledPrefix, WorkingDirectory, Missing };

// Where the game reads and writes its files. A portable folder keeps
// data/profile.dat and config.ini beside the game; an installed game (or a
// portable one whose data folder is read-only) keeps them in the player's own
// XDG folders.
struct GamePaths {
    DataPlace place = DataPlace::WorkingDirectory;
    std::string dataFolder = "data/";     // ends in '/'; every data file is under it
    std::string changeTo;                 // the folder to work in, when not the current one
    std::vector<std::string> searched;    // every folder looked at, in order
    bool perUser = false;
    std::string profileFolder;            // per-user only: made on the first save
    std::string profile = "data/profile.dat";
    std::string profileSeed;              // read while `profile` does not exist yet
    std::string config = "config.ini";
    bool profileFolderTried = false;      // profile_path() has tried to make the folder
    bool profileFolderReady = false;
};

// The paths of this run. A function, so they exist before the static
// initialiser that chooses them runs, whatever the order of the files.
GamePaths& game_paths();

// Looks for the data in data/ in gameFolder (the folder of the binary), the
// installed tree relative to gameFolder, compiledDataFolder, then data/ of the
// working directory; the first that holds graphics/ wins. Reads HOME and the
// XDG variables for the per-user files. Changes nothing.
GamePaths find_game_paths(const std::string& gameFolder, const std::string& compiledDataFolder);
// Finds the paths for this binary before anything is loaded, and moves to the
// portable folder when the data was found beside the game.
void choose_game_paths();
// A data file's path: data_path("graphics/font.ttf").
std::string data_path(const std::string& relative);
// The file the endings are saved to. The first call makes its folder (mode
// 0700) where needed; when that fails it says so once on stderr and returns null.
const char* profile_path();
// The profile to read at start-up: the saved one, else the read-only portable
// one it replaces; "" when there is none.
const char* profile_read_path();
// The pages the player has read, kept beside the profile ("" when the profile has
// no folder to be kept in).
std::string pages_read_path();
const char* config_path();
// The same, named from the root, as a player is told it.
std::string config_full_path();
// For --paths: what was chosen, one item a line.
std::string describe_game_paths(const GamePaths& paths);
// One line naming the places searched, when no data was found.
std::string missing_data_message(const GamePaths& paths);

// Makes every missing folder of `folder` (ending in '/'), each with mode 0700.
bool make_private_folders(const std::string& folder);
// Where the verdicts of the music proofs are kept: a folder in the player's own
// data folder, ending in '/'; "" when there is no home folder.
std::string module_proof_folder();
