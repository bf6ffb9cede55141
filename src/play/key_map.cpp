// The action-to-key table: defaults, the names of Allegro's keys and [keys].
#include "play/key_map.h"

#include <allegro.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

#include "play/key_latch.h"

namespace {

struct NamedKey {
    const char* name;
    int scancode;
};

#define KARVELLE_KEY(k) {#k, KEY_##k}
constexpr NamedKey KEY_NAMES[] = {
    KARVELLE_KEY(A), KARVELLE_KEY(B), KARVELLE_KEY(C), KARVELLE_KEY(D), KARVELLE_KEY(E), KARVELLE_KEY(F),
    KARVELLE_KEY(G), KARVELLE_KEY(H), KARVELLE_KEY(I), KARVELLE_KEY(J), KARVELLE_KEY(K), KARVELLE_KEY(L),
    KARVELLE_KEY(M), KARVELLE_KEY(N), KARVELLE_KEY(O), KARVELLE_KEY(P), KARVELLE_KEY(Q), KARVELLE_KEY(R),
    KARVELLE_KEY(S), KARVELLE_KEY(T), KARVELLE_KEY(U), KARVELLE_KEY(V), KARVELLE_KEY(W), KARVELLE_KEY(X),
    KARVELLE_KEY(Y), KARVELLE_KEY(Z), KARVELLE_KEY(0), KARVELLE_KEY(1), KARVELLE_KEY(2), KARVELLE_KEY(3),
    KARVELLE_KEY(4), KARVELLE_KEY(5), KARVELLE_KEY(6), KARVELLE_KEY(7), KARVELLE_KEY(8), KARVELLE_KEY(9),
    KARVELLE_KEY(0_PAD), KARVELLE_KEY(1_PAD), KARVELLE_KEY(2_PAD), KARVELLE_KEY(3_PAD), KARVELLE_KEY(4_PAD),
    KARVELLE_KEY(5_PAD), KARVELLE_KEY(6_PAD), KARVELLE_KEY(7_PAD), KARVELLE_KEY(8_PAD), KARVELLE_KEY(9_PAD),
    KARVELLE_KEY(F1), KARVELLE_KEY(F2), KARVELLE_KEY(F3), KARVELLE_KEY(F4), KARVELLE_KEY(F5), KARVELLE_KEY(F6),
    KARVELLE_KEY(F7), KARVELLE_KEY(F8), KARVELLE_KEY(F9), KARVELLE_KEY(F10), KARVELLE_KEY(F11), KARVELLE_KEY(F12),
    KARVELLE_KEY(ESC), KARVELLE_KEY(TILDE), KARVELLE_KEY(MINUS), KARVELLE_KEY(EQUALS), KARVELLE_KEY(BACKSPACE),
    KARVELLE_KEY(TAB), KARVELLE_KEY(OPENBRACE), KARVELLE_KEY(CLOSEBRACE), KARVELLE_KEY(ENTER), KARVELLE_KEY(COLON),
    KARVELLE_KEY(QUOTE), KARVELLE_KEY(BACKSLASH), KARVELLE_KEY(BACKSLASH2), KARVELLE_KEY(COMMA), KARVELLE_KEY(STOP),
    KARVELLE_KEY(SLASH), KARVELLE_KEY(SPACE), KARVELLE_KEY(INSERT), KARVELLE_KEY(DEL), KARVELLE_KEY(HOME),
    KARVELLE_KEY(END), KARVELLE_KEY(PGUP), KARVELLE_KEY(PGDN), KARVELLE_KEY(LEFT), KARVELLE_KEY(RIGHT),
    KARVELLE_KEY(UP), KARVELLE_KEY(DOWN), KARVELLE_KEY(SLASH_PAD), KARVELLE_KEY(ASTERISK), KARVELLE_KEY(MINUS_PAD),
    KARVELLE_KEY(PLUS_PAD), KARVELLE_KEY(DEL_PAD), KARVELLE_KEY(ENTER_PAD), KARVELLE_KEY(PRTSCR), KARVELLE_KEY(PAUSE),
    KARVELLE_KEY(ABNT_C1), KARVELLE_KEY(YEN), KARVELLE_KEY(KANA), KARVELLE_KEY(CONVERT), KARVELLE_KEY(NOCONVERT),
    KARVELLE_KEY(AT), KARVELLE_KEY(CIRCUMFLEX), KARVELLE_KEY(COLON2), KARVELLE_KEY(KANJI), KARVELLE_KEY(EQUALS_PAD),
    KARVELLE_KEY(BACKQUOTE), KARVELLE_KEY(SEMICOLON), KARVELLE_KEY(COMMAND), KARVELLE_KEY(LSHIFT),
    KARVELLE_KEY(RSHIFT), KARVELLE_KEY(LCONTROL), KARVELLE_KEY(RCONTROL), KARVELLE_KEY(ALT), KARVELLE_KEY(ALTGR),
    KARVELLE_KEY(LWIN), KARVELLE_KEY(RWIN), KARVELLE_KEY(MENU), KARVELLE_KEY(SCRLOCK), KARVELLE_KEY(NUMLOCK),
    KARVELLE_KEY(CAPSLOCK),
};
#undef KARVELLE_KEY

constexpr const char* ACTION_NAMES[ACTION_COUNT] = {
    "walk", "up", "down", "page", "give_up", "quit", "toggle_display",
    "new_game", "voice", "calm", "captions", "pause", "repeat", "left", "settings", "endings",
};

std::vector<KeyChord> default_keys(Action action)
{
    switch (action) {
    case Action::Walk: return {{KEY_RIGHT}};
    case Action::Up: return {{KEY_UP}};
    case Action::Down: return {{KEY_DOWN}};
    case Action::Page:
        return {{KEY_ENTER}, {KEY_ALT},   {KEY_ALTGR},    {KEY_SPACE},    {KEY_Z},      {KEY_X},      {KEY_A},
                {KEY_S},     {KEY_C},     {KEY_D},        {KEY_LCONTROL}, {KEY_RCONTROL}, {KEY_LSHIFT}, {KEY_RSHIFT}};
    case Action::GiveUp: return {{KEY_BACKSPACE}, {KEY_R}};
    case Action::Quit: return {{KEY_ESC}};
    case Action::ToggleDisplay: return {{KEY_ALT, KEY_ENTER}, {KEY_ALTGR, KEY_ENTER}, {KEY_F4}};
    case Action::NewGame: return {{KEY_N}};
    case Action::Voice: return {{KEY_V}};
    case Action::Calm: return {{KEY_K}};
    case Action::Captions: return {{KEY_T}};
    case Action::Pause: return {{KEY_P}};
    case Action::Repeat: return {{KEY_TAB}};
    case Action::Left: return {{KEY_LEFT}};
    case Action::Settings: return {{KEY_F1}};
    case Action::Endings: return {{KEY_E}};
    }
    return {};
}

std::array<std::vector<KeyChord>, ACTION_COUNT> keyMap;
bool keyMapReady = false;

std::vector<KeyChord>& chords_of(Action action)
{
    if (!keyMapReady) reset_key_map();
    return keyMap[size_t(action)];
}

std::string upper(std::string text)
{
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// A chord of `chords` that is down whenever a chord of quit is (all its keys are
// among that chord's), named as players read it; "" when there is none.
std::string quit_chord_taken(const std::vector<KeyChord>& chords)
{
    for (const KeyChord& chord : chords)
        for (const KeyChord& quit : keyMap[size_t(Action::Quit)]) {
            bool within = true;
            for (int scancode : chord) within = within && std::find(quit.begin(), quit.end(), scancode) != quit.end();
            if (!within) continue;
            std::string name;
            for (int scancode : quit) name += (name.empty() ? "" : "+") + key_name(scancode);
            return name;
        }
    return "";
}

}  // namespace

bool key_down(int scancode)
{
    // Down now, or pressed and let go since the last frame.
    return scancode > 0 && scancode < KEY_MAX && key_seen(scancode);
}

bool action_chord_down(Action action, size_t index)
{
    const std::vector<KeyChord>& chords = chords_of(action);
    if (index >= chords.size() || chords[index].empty()) return false;
    for (int scancode : chords[index])
        if (!key_down(scancode)) return false;
    return true;
}

bool action_down(Action action)
{
    for (size_t i = 0; i < chords_of(action).size(); ++i)
        if (action_chord_down(action, i)) return true;
    return false;
}

const std::vector<KeyChord>& action_keys(Action action)
{
    return chords_of(action);
}

void set_action_keys(Action action, std::vector<KeyChord> chords)
{
    chords_of(action) = std::move(chords);
}

const char* action_name(Action action)
{
    const int index = int(action);
    return index >= 0 && index < ACTION_COUNT ? ACTION_NAMES[index] : "?";
}

int key_by_name(const std::string& name)
{
    std::string wanted = upper(name);
    if (wanted.rfind("KEY_", 0) == 0) wanted.erase(0, 4);
    for (const NamedKey& named : KEY_NAMES)
        if (wanted == named.name) return named.scancode;
    return 0;
}

std::string key_name(int scancode)
{
    for (const NamedKey& named : KEY_NAMES)
        if (named.scancode == scancode) return named.name;
    return "?";
}

bool parse_key_chords(const std::string& value, std::vector<KeyChord>& chords, std::string& bad)
{
    chords.clear();
    bad.clear();
    KeyChord chord;
    std::string name;
    auto end_name = [&]() {
        if (name.empty()) return true;
        const int scancode = key_by_name(name);
        if (!scancode) {
            bad = name;
            return false;
        }
        chord.push_back(scancode);
        name.clear();
        return true;
    };
    auto end_chord = [&]() {
        if (!chord.empty()) chords.push_back(chord);
        chord.clear();
    };
    for (char c : value) {
        if (c == ' ' || c == '\t' || c == ',') {
            if (!end_name()) return false;
            end_chord();
        } else if (c == '+') {
            if (!end_name()) return false;
        } else {
            name += c;
        }
    }
    if (!end_name()) return false;
    end_chord();
    if (chords.empty()) {
        bad = value;
        return false;
    }
    return true;
}

void reset_key_map()
{
    keyMapReady = true;
    for (int i = 0; i < ACTION_COUNT; ++i) keyMap[size_t(i)] = default_keys(Action(i));
}

void read_key_map_config()
{
    reset_key_map();
    // Quit first: no other action may take its keys, or Escape would stop quitting.
    std::vector<int> order{int(Action::Quit)};
    for (int i = 0; i < ACTION_COUNT; ++i)
        if (i != int(Action::Quit)) order.push_back(i);
    for (int i : order) {
        const char* value = get_config_string("keys", ACTION_NAMES[i], nullptr);
        if (!value) continue;
        std::vector<KeyChord> chords;
        std::string bad;
        if (!parse_key_chords(value, chords, bad)) {
            std::fprintf(stderr, "Karvelle: [keys] %s: no key is called \"%s\"; the default keys stay\n",
                         ACTION_NAMES[i], bad.c_str());
            continue;
        }
        if (i != int(Action::Quit)) {
            const std::string taken = quit_chord_taken(chords);
            if (!taken.empty()) {
                std::fprintf(stderr, "Karvelle: [keys] %s: %s quits the game; the default keys stay\n",
                             ACTION_NAMES[i], taken.c_str());
                continue;
            }
        }
        keyMap[size_t(i)] = std::move(chords);
    }
}
