// Shared set-up of the unit tests: Allegro with no display, 32-bit memory
// bitmaps, whole files read and written, a private folder for a test, and
// stand-ins for the programs the game runs.
#pragma once

#include <allegro.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline void ensure_allegro()
{
    if (!system_driver) install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
}

inline std::string file_text(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void put_file(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// A fresh folder under /tmp, removed with everything in it at the end.
struct TempDir {
    std::string path;
    explicit TempDir(const std::string& name)
    {
        std::string pattern = "/tmp/karvelle-" + name + ".XXXXXX";
        path = mkdtemp(pattern.data());
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
};

// Programs the tests stand in for, written to a private folder put first on PATH.
struct StandIns {
    TempDir folder{"stand-ins"};
    std::string dir = folder.path, path = std::getenv("PATH") ? std::getenv("PATH") : "";
    StandIns() { setenv("PATH", (dir + ":" + path).c_str(), 1); }
    ~StandIns() { setenv("PATH", path.c_str(), 1); }
    void write(const std::string& name, const std::string& text) const
    {
        put_file(dir + "/" + name, text);
        std::filesystem::permissions(dir + "/" + name, std::filesystem::perms::owner_all);
    }
};
