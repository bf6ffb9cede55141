# Helpers of the install and package tests: run an installed copy of the game
# as a player whose home and XDG folders are all under $WORK/player.

# player_env: HOME and the XDG folders of a fresh player, windowed by their
# own config.ini.
player_env() {
    PLAYER=$WORK/player
    rm -rf "$PLAYER"
    mkdir -p "$PLAYER/home" "$PLAYER/run" "$PLAYER/config/karvelle"
    export HOME=$PLAYER/home XDG_DATA_HOME=$PLAYER/data XDG_CONFIG_HOME=$PLAYER/config
    printf '[graphics]\nfullscreen = 0\n' > "$XDG_CONFIG_HOME/karvelle/config.ini"
}

# snapshot TREE: every path under TREE with its size and time, to tell later
# whether anything there was written.
snapshot() { find "$1" -printf '%p %s %T@ %m\n' | sort; }

# play_installed BINARY PAGE: starts BINARY from an empty folder, waits for the
# first page (0 title, 40 prompt), walks to page 1 when on the title, and quits
# with Escape there.
play_installed() {
    GAME_BIN=$1 GAME_DIR=$PLAYER/run start_game --trace
    wait_trace "mode EventScreen, page $2," 15
    if [ "$2" = 0 ]; then
        sleep 0.2
        tap space
        wait_trace "mode Play," 10
        xdotool keydown Right
        wait_trace "mode EventScreen, page 1," 30
        xdotool keyup Right
        sleep 0.2
    fi
    quit_game
    ! grep "^Karvelle:" "$WORK/stderr.log" || fail "the game complained"
}

# expect_player_profile ENDINGS: the profile in the player's data folder, in a
# folder only the player may read.
expect_player_profile() {
    local file=$XDG_DATA_HOME/karvelle/profile.dat
    [ -f "$file" ] || fail "no profile at $file"
    [ "$(tr -d '\n' < "$file")" = "$1" ] || fail "profile is $(tr -d '\n' < "$file"), expected $1"
    [ "$(stat -c %a "$XDG_DATA_HOME/karvelle")" = 700 ] || fail "the profile folder is not private"
}
