#include "frame/settings_file.h"

#include <cstdio>
#include <cstring>

#include "core/config_text.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace {

bool failureSaid = false;

bool fail(const std::string& why)
{
    if (!failureSaid) std::fprintf(stderr, "Karvelle: %s; the settings are kept for this run only\n", why.c_str());
    failureSaid = true;
    return false;
}

}  // namespace

bool write_settings_to(const std::string& path, const std::vector<SettingKey>& keys)
{
    if (keys.empty()) return true;
    const std::string target = link_target(path.c_str());
    std::string text;
    switch (read_regular_file(target.c_str(), CONFIG_MAX_BYTES, text)) {
    case FileRead::Read:
        // A file the game would not read is not the game's to rewrite.
        if (!plain_text(text)) return fail(target + " is not a plain text file, so it is left as it is");
        break;
    case FileRead::Missing: {
        text.clear();
        const size_t slash = target.find_last_of('/');
        if (slash != std::string::npos && !make_private_folders(target.substr(0, slash + 1)))
            return fail("cannot make the folder of " + target);
        break;
    }
    case FileRead::NotRegular: return fail(target + " is not a regular file, so it is left as it is");
    case FileRead::TooLarge: return fail(target + " is too large to be a config.ini, so it is left as it is");
    case FileRead::Failed: return fail("cannot read " + target);
    }
    const FileState state = file_state(target);
    if (state.exists && !state.writable) return fail("cannot save the settings to " + target + ": it is read-only");

    for (SettingKey key : keys) {
        const SettingPlace place = setting_place(key);
        text = with_config_value(text, place.section, place.key, setting_text(key));
    }
    const int error = replace_file(target, text);
    if (error != 0) return fail("cannot save the settings to " + target + ": " + std::strerror(error));
    return true;
}

void save_settings_if_changed()
{
    const std::vector<SettingKey> keys = take_changed_settings();
    if (!keys.empty()) write_settings_to(config_path(), keys);
}

void reset_settings_file()
{
    failureSaid = false;
}
