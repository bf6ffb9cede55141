#!/bin/bash
# Installed as a system game: `make install DESTDIR=... PREFIX=/usr`, the data
# read-only, the game run by a player from an empty folder. The endings go to
# the player's XDG data folder and nothing under the install tree changes; the
# tree still runs when moved elsewhere; the portable build folder still keeps
# its profile in build/data/.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/installed.sh"
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
e2e_setup "$1"

ROOT=$WORK/root
build_folder_alone make -s -C "$SOURCE" install BUILD_DIR="$BUILD_DIR" DESTDIR="$ROOT" PREFIX=/usr >"$WORK/install.log" 2>&1 ||
    fail "make install: $(tail -n 5 "$WORK/install.log")"
for file in usr/games/karvelle usr/share/games/karvelle/graphics/spritesheet.pcx \
    usr/share/games/karvelle/graphics/font.ttf usr/share/games/karvelle/music/possibilities.it \
    usr/share/games/karvelle/sound/war2.wav usr/share/applications/karvelle.desktop \
    usr/share/metainfo/karvelle.metainfo.xml usr/share/man/man6/karvelle.6.gz \
    usr/share/icons/hicolor/16x16/apps/karvelle.png usr/share/icons/hicolor/256x256/apps/karvelle.png \
    usr/share/doc/karvelle/copyright usr/share/doc/karvelle/changelog.gz; do
    [ -f "$ROOT/$file" ] || fail "make install did not write /$file"
done
[ -e "$ROOT/usr/share/games/karvelle/profile.dat" ] && fail "a profile was installed"
chmod -R a-w "$ROOT/usr/share/games/karvelle"
before=$(snapshot "$ROOT")

note "the installed game: the endings go to the player's folder"
player_env
"$ROOT/usr/games/karvelle" --paths | grep -qx "data: $ROOT/usr/share/games/karvelle/ (installed tree)" ||
    fail "--paths: $("$ROOT/usr/games/karvelle" --paths)"
play_installed "$ROOT/usr/games/karvelle" 0
expect_player_profile 00000000
[ "$(snapshot "$ROOT")" = "$before" ] || fail "something under the install tree changed: $(diff <(echo "$before") <(snapshot "$ROOT"))"
[ -z "$(ls -A "$PLAYER/run")" ] || fail "the game wrote into the folder it was started from"

note "started in a folder holding a data/graphics/ of something else, it still reads its own"
mkdir -p "$WORK/elsewhere/data/graphics"
(cd "$WORK/elsewhere" && "$ROOT/usr/games/karvelle" --paths) | grep -qx "data: $ROOT/usr/share/games/karvelle/ (installed tree)" ||
    fail "--paths from a folder with data/: $(cd "$WORK/elsewhere" && "$ROOT/usr/games/karvelle" --paths)"

note "moved elsewhere, the tree finds its data and the endings found"
mkdir -p "$WORK/moved"
mv "$ROOT/usr" "$WORK/moved/usr"
printf '0\n0\n1\n0\n0\n0\n0\n0\n' > "$XDG_DATA_HOME/karvelle/profile.dat"
"$WORK/moved/usr/games/karvelle" --paths | grep -qx "data: $WORK/moved/usr/share/games/karvelle/ (installed tree)" ||
    fail "--paths after the move: $("$WORK/moved/usr/games/karvelle" --paths)"
play_installed "$WORK/moved/usr/games/karvelle" 40
expect_player_profile 00100000

note "a relative XDG_DATA_HOME is ignored"
XDG_DATA_HOME=relative "$WORK/moved/usr/games/karvelle" --paths | grep -qx "profile: $HOME/.local/share/karvelle/profile.dat" ||
    fail "--paths with a relative XDG_DATA_HOME: $(XDG_DATA_HOME=relative "$WORK/moved/usr/games/karvelle" --paths)"
chmod -R u+w "$WORK/moved"

note "without its data the game names the places it looked in"
if [ ! -d /usr/share/games/karvelle/graphics ]; then
    mkdir -p "$WORK/lonely/games"
    cp "$WORK/moved/usr/games/karvelle" "$WORK/lonely/games/"
    # In the C locale: in a UTF-8 one xmessage adds a warning of its own to
    # stderr where the X server has few fonts.
    (cd "$PLAYER/run" && LC_ALL=C exec "$WORK/lonely/games/karvelle" 2>"$WORK/lonely.log") &
    GAME_PID=$!
    # Started from a menu there is no stderr to read: a message window says it
    # too, and once it is closed the game stops with status 1.
    expect_box "cannot find the game's data" 10 1
    [ "$(wc -l < "$WORK/lonely.log")" = 1 ] || fail "not one line: $(cat "$WORK/lonely.log")"
    for place in "$PLAYER/run/data/" "$WORK/lonely/games/data/" "$WORK/lonely/share/games/karvelle/" /usr/share/games/karvelle/; do
        grep -qF "$place" "$WORK/lonely.log" || fail "the message does not name $place: $(cat "$WORK/lonely.log")"
    done
fi

note "make uninstall removes what make install wrote"
build_folder_alone make -s -C "$SOURCE" uninstall BUILD_DIR="$BUILD_DIR" DESTDIR="$WORK/moved" >"$WORK/uninstall.log" 2>&1 || fail "make uninstall"
[ -d "$WORK/moved/usr/games" ] || fail "make uninstall removed a folder not its own"
[ -z "$(find "$WORK/moved" -type f)" ] || fail "left after make uninstall: $(find "$WORK/moved" -type f | head)"
[ ! -e "$WORK/moved/usr/share/games/karvelle" ] || fail "the data folder is left after make uninstall"

note "the portable build folder keeps build/data/profile.dat"
SAVED=$WORK/build-profile.dat
[ -f "$BUILD_DIR/data/profile.dat" ] && cp -p "$BUILD_DIR/data/profile.dat" "$SAVED"
restore_build_profile() {
    if [ -f "$SAVED" ]; then cp -p "$SAVED" "$BUILD_DIR/data/profile.dat"; else rm -f "$BUILD_DIR/data/profile.dat"; fi
}
at_exit restore_build_profile
printf '0\n0\n0\n0\n0\n1\n0\n0\n' > "$BUILD_DIR/data/profile.dat"
touch -d 2000-01-01 "$BUILD_DIR/data/profile.dat"
player_files=$(snapshot "$PLAYER")
GAME_BIN=$BUILD_DIR/karvelle GAME_DIR=$PLAYER/run start_game --trace
wait_trace "mode EventScreen, page 40," 15
quit_game
[ "$(tr -d '\n' < "$BUILD_DIR/data/profile.dat")" = 00000100 ] || fail "the build folder's profile reads $(cat "$BUILD_DIR/data/profile.dat")"
[ "$(stat -c %Y "$BUILD_DIR/data/profile.dat")" -gt 1000000000 ] || fail "the build folder's profile was not written"
[ "$(snapshot "$PLAYER")" = "$player_files" ] || fail "the portable game wrote into the player's folders"
echo "install: ok"
