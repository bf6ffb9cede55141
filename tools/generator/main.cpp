// karvelle_assets: writes the game's data tree (pictures, font, music, sounds).
//
//   karvelle_assets DATA_DIR FONT.ttf FONT_LICENCE
//   karvelle_assets --icons ICON_DIR     (the desktop icons, karvelle-SIZE.png,
//                                         and the window's, window_icon.inc)
//
// Everything is made from the sources in tools/art and tools/audio; the same
// sources give the same bytes on every run. Only the files named here are
// written: anything else in DATA_DIR (the profile of endings found) is left alone.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "art/canvas.h"
#include "art/icon.h"
#include "art/scenes.h"
#include "art/tiles.h"
#include "audio/cues.h"
#include "audio/it_writer.h"
#include "audio/sounds.h"
#include "audio/tunes.h"
#include "audio/wav_writer.h"

namespace fs = std::filesystem;

namespace {

void check(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error("could not write " + what);
}

void save(BITMAP* bmp, const fs::path& path)
{
    PALETTE unused;
    for (int i = 0; i < PAL_SIZE; ++i)
        unused[i] = {0, 0, 0, 0};
    check(save_pcx(path.string().c_str(), bmp, unused) == 0, path.string());
}

void write_scenes(const fs::path& dir)
{
    fs::create_directories(dir);
    for (const SceneRecipe& recipe : scene_recipes()) {
        BITMAP* bmp = create_bitmap(SCENE_WIDTH, SCENE_HEIGHT);
        check(bmp != nullptr, "a scene bitmap");
        Canvas canvas(bmp);
        canvas.fill({0, 0, 0});
        recipe.paint(canvas);
        save(bmp, dir / (recipe.name + ".pcx"));
        destroy_bitmap(bmp);
    }
}

void write_spritesheet(const fs::path& path)
{
    BITMAP* sheet = create_bitmap(SHEET_SIZE, SHEET_SIZE);
    check(sheet != nullptr, "the sprite sheet bitmap");
    paint_spritesheet(sheet);
    save(sheet, path);
    destroy_bitmap(sheet);
}

void copy_bytes(const fs::path& from, const fs::path& to)
{
    std::ifstream in(from, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + from.string());
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    out << in.rdbuf();
    check(bool(out), to.string());
}

void write_font(const fs::path& dir, const fs::path& font, const fs::path& licence)
{
    copy_bytes(font, dir / "font.ttf");
    std::ifstream in(licence, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + licence.string());
    std::ofstream out(dir / "font-licence.txt", std::ios::binary | std::ios::trunc);
    out << "font.ttf is Gentium Plus Regular, from Debian's package fonts-sil-gentiumplus,\n"
           "under the SIL Open Font License 1.1. Its copyright file follows.\n\n";
    out << in.rdbuf();
    check(bool(out), (dir / "font-licence.txt").string());
}

void write_music(const fs::path& dir)
{
    fs::create_directories(dir);
    check(write_it((dir / "possibilities.it").string(), possibilities_module()), "possibilities.it");
    check(write_it((dir / "impossibilities.it").string(), impossibilities_module()), "impossibilities.it");
}

void write_sounds(const fs::path& dir)
{
    fs::create_directories(dir);
    for (const SoundEffect& effect : sound_effects())
        check(write_wav((dir / effect.file).string(), effect.pcm, EFFECT_RATE), effect.file);
    for (const SoundEffect& cue : listening_cues())
        check(write_wav((dir / cue.file).string(), cue.pcm, EFFECT_RATE), cue.file);
}

}  // namespace

int main(int argc, char** argv)
{
    if (install_allegro(SYSTEM_NONE, &errno, nullptr) != 0) {
        std::cerr << "karvelle_assets: Allegro could not start\n";
        return 1;
    }
    set_color_depth(32);
    if (argc == 3 && std::string(argv[1]) == "--icons") {
        fs::create_directories(argv[2]);
        if (write_icons(argv[2])) return 0;
        std::cerr << "karvelle_assets: could not write the icons into " << argv[2] << "\n";
        return 1;
    }
    if (argc != 4) {
        std::cerr << "usage: karvelle_assets DATA_DIR FONT.ttf FONT_LICENCE\n";
        return 2;
    }
    const fs::path data = argv[1];
    try {
        fs::create_directories(data / "graphics");
        write_scenes(data / "graphics" / "screens");
        write_spritesheet(data / "graphics" / "spritesheet.pcx");
        write_font(data / "graphics", argv[2], argv[3]);
        write_music(data / "music");
        write_sounds(data / "sound");
    } catch (const std::exception& e) {
        std::cerr << "karvelle_assets: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
