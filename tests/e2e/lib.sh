# Shared helpers of the end-to-end tests: a private Xvfb display, a private copy
# of the game and its data, keys through xdotool, screenshots through ImageMagick.
# Source it, then call e2e_setup with the build directory (and, if not 800x600,
# the size of the X screen).
set -u

# The Python that scripts/install-deps installs, not a version manager's shim
# that PATH may find first (a third of a second a call). A program, not a
# function: started in the background, $! is the Python itself.
PYTHON=python3
[ -x /usr/bin/python3 ] && PYTHON=/usr/bin/python3

fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*" >&2; }

e2e_setup() {
    BUILD_DIR=$(cd "$1" && pwd)
    WORK=$(mktemp -d /tmp/karvelle-e2e.XXXXXX)
    # Tests run side by side: the copy waits while another test's `make install`
    # or `make package` relinks the game (build_folder_alone).
    exec 8>"$BUILD_DIR/.e2e-build.lock"
    flock -s 8
    cp "$BUILD_DIR/karvelle" "$WORK/"
    mkdir -p "$WORK/data"
    (cd "$BUILD_DIR/data" && tar cf - --exclude=profile.dat --exclude='profile.dat.*' --exclude='pages-read.dat*' .) | (cd "$WORK/data" && tar xf -)
    exec 8>&-
    printf '[graphics]\nfullscreen = 0\n' > "$WORK/config.ini"
    # Whatever the game keeps per player stays in the test's folder.
    export XDG_DATA_HOME=$WORK/xdg-data XDG_CONFIG_HOME=$WORK/xdg-config
    GAME_PID=""
    XVFB_PID=""
    E2E_SHELL=$BASHPID E2E_AT_EXIT=""
    trap e2e_cleanup EXIT
    exec 9<> "$WORK/.displayfd"
    start_xvfb "${2:-800x600}"
}

# start_xvfb WxH: a private Xvfb screen of that size; sets XVFB_PID and DISPLAY.
start_xvfb() {
    : > "$WORK/.displayfd"
    Xvfb -displayfd 9 -screen 0 "${1}x24" -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local tries=0
    while [ ! -s "$WORK/.displayfd" ] && [ $tries -lt 100 ]; do sleep 0.05; tries=$((tries + 1)); done
    [ -s "$WORK/.displayfd" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$WORK/.displayfd" | tr -dc 0-9)"
}

# build_folder_alone COMMAND...: runs COMMAND, which rebuilds in the build
# folder, while no other test copies the game out of it.
build_folder_alone() { (flock -x 8 && "$@") 8>"$BUILD_DIR/.e2e-build.lock"; }

# at_exit COMMAND: run by the test's own shell when it ends, before the cleanup.
at_exit() { E2E_AT_EXIT=$1; }

e2e_cleanup() {
    # A subshell that a signal ends before it has become the game, as when a
    # test stops the game a few milliseconds after starting it, runs this trap
    # too. Only the test's own shell ends its processes and deletes its folder.
    [ "$BASHPID" = "$E2E_SHELL" ] || return 0
    [ -n "$E2E_AT_EXIT" ] && eval "$E2E_AT_EXIT"
    [ -n "${GAME_PID:-}" ] && kill -9 "$GAME_PID" 2>/dev/null
    pkill -f "xmessage" -P "${GAME_PID:-1}" 2>/dev/null
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    # Whatever else the script left running in the background (a pacer, a
    # flipper) would keep ctest waiting on the test's output.
    local left
    left=$(jobs -p)
    [ -n "$left" ] && kill $left 2>/dev/null
    wait 2>/dev/null
    if [ -n "${KEEP_E2E:-}" ]; then echo "kept $WORK" >&2; else rm -rf "$WORK"; fi
}

# Starts the game in $WORK and waits for its window; sets GAME_PID and WID.
# GAME_BIN and GAME_DIR start another binary, from another folder; E2E_GAME_ARGS
# adds options to every start (e.g. --frame-stats).
start_game() {
    TRACE_POS=0
    # shellcheck disable=SC2086
    (cd "${GAME_DIR:-$WORK}" && exec "${GAME_BIN:-./karvelle}" "$@" ${E2E_GAME_ARGS:-} >"$WORK/stdout.log" 2>"$WORK/stderr.log") &
    GAME_PID=$!
    WID=$(timeout 10 xdotool search --sync --name '^Karvelle$' | head -n1)
    [ -n "$WID" ] || fail "no window titled Karvelle"
    xdotool mousemove --window "$WID" 320 240 >/dev/null 2>&1
    xdotool windowfocus "$WID" >/dev/null 2>&1 || true
    sleep 0.5
}

press() { xdotool key --delay 60 "$@"; }
hold() { xdotool keydown "$1"; }
release() { xdotool keyup "$1"; }

# Waits up to $2 seconds (default 5) for the game to exit; sets GAME_STATUS.
wait_exit() {
    local limit=${1:-5} waited=0
    while kill -0 "$GAME_PID" 2>/dev/null; do
        sleep 0.1
        waited=$((waited + 1))
        [ $waited -ge $((limit * 10)) ] && return 1
    done
    wait "$GAME_PID"
    GAME_STATUS=$?
    GAME_PID=""
    return 0
}

screenshot() {  # screenshot NAME: the game's 640x480 window as $WORK/NAME.png
    import -window "$WID" "$WORK/$1.png" 2>/dev/null || fail "screenshot $1"
    echo "$WORK/$1.png"
}

screenshot_root() {  # screenshot_root NAME: the whole X screen as $WORK/NAME.png
    import -window root "$WORK/$1.png" 2>/dev/null || fail "screenshot $1"
    echo "$WORK/$1.png"
}

pixel() {  # pixel FILE X Y: prints "r,g,b"
    convert "$1" -format '%[fx:int(255*p{'"$2,$3"'}.r)],%[fx:int(255*p{'"$2,$3"'}.g)],%[fx:int(255*p{'"$2,$3"'}.b)]' info:
}

profile_lines() { cat "$WORK/data/profile.dat" 2>/dev/null; }

# --- Following the game through its --trace lines -------------------------------
# The game prints "frame N: mode M, page P, room R" whenever one of them changes.

TRACE_POS=0

# The trace is read through a descriptor of its own, a line at a time, so that
# a look at it starts no process: tests run side by side, and a few hundred
# little processes a second would slow the games beside them. It is
# opened again when the game was started again or TRACE_POS was set by hand.
TRACE_READ=-1 TRACE_PID="" TRACE_PARTIAL=""
trace_open() {
    [ -e "$WORK/stdout.log" ] || return 1
    [ -n "${TRACE_FD:-}" ] && exec {TRACE_FD}<&-
    exec {TRACE_FD}<"$WORK/stdout.log"
    TRACE_READ=0 TRACE_PID=$GAME_PID TRACE_PARTIAL=""
    local line
    while [ "$TRACE_READ" -lt "$TRACE_POS" ] && IFS= read -r line <&"$TRACE_FD"; do TRACE_READ=$((TRACE_READ + 1)); done
    TRACE_POS=$TRACE_READ
}

# trace_match REGEX: reads the lines written so far; true at the first that
# matches (TRACE_LINE), consumed with those before it.
trace_match() {
    local line
    while IFS= read -r line <&"$TRACE_FD"; do
        line=$TRACE_PARTIAL$line TRACE_PARTIAL=""
        TRACE_READ=$((TRACE_READ + 1)) TRACE_POS=$((TRACE_POS + 1))
        [[ $line =~ $1 ]] && { TRACE_LINE=$line; return 0; }
    done
    TRACE_PARTIAL+=$line   # the start of a line still being written
    return 1
}

# wait_trace REGEX [SECONDS]: waits for the next trace line (after those already
# consumed) that matches; consumes up to it.
wait_trace() {
    local pattern=$1 limit=${2:-60} waited=0
    while :; do
        if [ "$TRACE_READ" != "$TRACE_POS" ] || [ "$TRACE_PID" != "$GAME_PID" ]; then trace_open; fi
        if [ "$TRACE_READ" -ge 0 ]; then
            trace_match "$pattern" && return 0
            if ! kill -0 "$GAME_PID" 2>/dev/null; then
                trace_match "$pattern" && return 0
                fail "the game ended while waiting for '$pattern'"
            fi
        fi
        sleep 0.05
        waited=$((waited + 1))
        [ $waited -ge $((limit * 20)) ] && fail "no '$pattern' within ${limit}s; last trace: $(tail -n 3 "$WORK/stdout.log")"
    done
}

# A new press of the action key, long enough for the game to see it in a frame.
tap() {
    xdotool keydown "${1:-space}"
    sleep 0.08
    xdotool keyup "${1:-space}"
    sleep 0.05
}

# expect_page CODE: waits for page CODE and turns it.
expect_page() {
    wait_trace "mode EventScreen, page $1," "${2:-60}"
    sleep 0.1
    tap space
}

# From the first page (title or prompt) into play.
begin_game() {
    wait_trace "mode EventScreen, page (0|40)," 10
    if tail -n +$TRACE_POS "$WORK/stdout.log" | head -n1 | grep -q "page 40,"; then
        sleep 0.2
        tap space
        wait_trace "mode EventScreen, page 0," 5
    fi
    sleep 0.2
    tap space
    wait_trace "mode Play," 10
}

# walk_into_room1 [OPTIONS]: a new game started with OPTIONS walks from room 0
# into room 1 and stands there, the Right key let go.
walk_into_room1() {
    rm -f "$WORK/data/profile.dat"
    start_game --trace "$@"
    enter_room1
}

# enter_room1: from the first page of a run into play, and on into room 1,
# standing there with the Right key let go.
enter_room1() {
    begin_game
    xdotool keydown Right
    expect_page 1
    wait_trace "room 1$" 30
    sleep 0.25
    xdotool keyup Right
    sleep 0.4
}

# quit_from_title: Escape on a page ends the game, which writes the profile.
quit_game() {
    xdotool keydown Escape
    wait_exit 3 || fail "Escape did not end the game"
    xdotool keyup Escape
    [ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS"
    # With --frame-stats, the game's summary goes to stderr (or E2E_STATS_LOG).
    if grep -q '^frames ' "$WORK/stdout.log"; then
        sed -n '/^frames /,$p' "$WORK/stdout.log" >>"${E2E_STATS_LOG:-/dev/stderr}"
    fi
}

release_all() {
    for k in Right Up Down; do xdotool keyup $k; done
}

# ocr FILE: the words tesseract reads on a screenshot, on one line. The page is
# cut inside its corner brackets; the dark backdrop, noise included, is dropped by
# a threshold, leaving dark letters on white, enlarged.
ocr() {
    convert "$1" -crop 592x432+24+24 +repage -colorspace Gray -threshold 25% -negate -resize 200% png:- |
        tesseract - - --psm 6 2>/dev/null | tr '\n' ' '
}

# foot_words FILE: what tesseract reads in the band at the foot of a shot.
foot_words() {
    convert "$1" -crop 640x46+0+430 +repage -colorspace Gray -threshold 50% -negate -resize 300% png:- |
        tesseract - - --psm 7 2>/dev/null | tr '\n' ' '
}

# box_line: the game's message window (xmessage) with its words. For a moment
# after it is started (or once it has ended) its command line is empty:
# "PID [xmessage]".
box_line() {
    pgrep -a -P "$GAME_PID" xmessage | grep -v ' \[xmessage\]'
}

# expect_box TEXT SECONDS STATUS: a message box saying TEXT within SECONDS;
# dismissed, the game stops with STATUS.
expect_box() {
    local text=$1 limit=$2 status=$3 box="" waited=0
    while [ -z "$box" ]; do
        box=$(box_line)
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended without a message box for '$text' (status: $(wait "$GAME_PID"; echo $?))"
        sleep 0.1
        waited=$((waited + 1))
        [ $waited -gt $((limit * 10)) ] && fail "no message box within ${limit}s for '$text'"
    done
    echo "$box" | grep -qF "$text" || fail "message box says: $box"
    pkill -P "$GAME_PID" xmessage 2>/dev/null
    wait_exit 5 || fail "the game did not stop after '$text'"
    [ "$GAME_STATUS" = "$status" ] || fail "exit code $GAME_STATUS after '$text'"
}

# expect_words NAME TEXT: a screenshot NAME shows TEXT; a few tries, as reading
# can stumble on one frame.
expect_words() {
    local name=$1 text=$2 words="" try
    for try in 1 2 3 4; do
        words=$(ocr "$(screenshot "$name")")
        echo "$words" | grep -qF "$text" && return 0
        sleep 0.2
    done
    fail "$name does not read \"$text\": $words"
}

# --- The paths -------------------------------------------------------------------

expect_profile() {
    [ "$(profile_lines | tr -d '\n')" = "$1" ] || fail "profile is $(profile_lines | tr -d '\n'), expected $1"
    note "profile $1"
}

# walk_path N [begun]: on the first page of a run (title or prompt), a new game
# walks path N from room 0 to its ending and back to the title; "begun" when the
# run already stands on the title it returned to. Right is held throughout.
# AT_ENDING, when set, is run as the ending's code is met.
walk_path() {
    if [ "${2:-}" = begun ]; then
        sleep 0.2
        tap space
        wait_trace "mode Play," 10
    else
        begin_game
    fi
    xdotool keydown Right
    case $1 in
    1)  # Up at every fork: town, the pub, the back room
        xdotool keydown Up
        for p in 1 2 25 26 27; do expect_page $p; done
        wait_trace "page -9," 30 ;;
    7)  # straight on home
        for p in 1 2 4 11; do expect_page $p 60; done
        wait_trace "page -2," 30 ;;
    esac
    ${AT_ENDING:-true}
    wait_trace "mode EventScreen, page 0, room 0" 20
    release_all
}

# warp_path N: a run warped to the fork where path N leaves the others walks
# the rest of it, with the ways it needs, to its ending and back to the title.
# OPTIONS in WARP_OPTIONS; CAVE, when set, is run on the roar in room 58.
warp_path() {
    local room
    case $1 in 2) room=26 ;; 3) room=25 ;; 4) room=13 ;; 5) room=16 ;; 6) room=8 ;; esac
    # shellcheck disable=SC2086
    start_game --trace --warp $room ${WARP_OPTIONS:-}
    wait_trace "mode Play, page 0, room $room$" 10
    grep -q "^Karvelle: warped to room $room; the profile is neither read nor written$" "$WORK/stderr.log" ||
        fail "the warp does not say so: $(cat "$WORK/stderr.log")"
    xdotool keydown Right
    case $1 in
    2)  # on through the pub
        for p in 25 28 29 30 24 22 23; do expect_page $p; done
        wait_trace "page -8," 30 ;;
    3)  # on to the barracks
        expect_page 21 60
        wait_trace "page -7," 60 ;;
    4)  # down to her street, up to the bedroom
        xdotool keydown Up keydown Down
        for p in 12 20 17 18 19; do expect_page $p 60; done
        wait_trace "page -5," 30 ;;
    5)  # on past the bedroom door
        for p in 12 13 14 15 16; do expect_page $p; done
        wait_trace "page -4," 30 ;;
    6)  # up the mountain, into the cave
        xdotool keydown Up
        for p in 5 6 7 10 8 9; do expect_page $p 60; done
        wait_trace "page -12, room 58$" 60
        ${CAVE:-true}
        xdotool keydown Right
        wait_trace "page -3," 60 ;;
    esac
    wait_trace "mode EventScreen, page 0, room 0" 20
    release_all
}

# walk_last_path [term]: the last path, from a profile of endings 1 to 7: the
# prompt, the title, room 61 with its shadow, the plasma of room 62, the maze and
# "The End", where Escape (or with "term", SIGTERM) ends the game.
walk_last_path() {
    start_game --trace
    wait_trace "mode EventScreen, page 40," 10
    sleep 0.3
    expect_words prompt "seven paths out of eight"
    tap space
    wait_trace "mode EventScreen, page 0," 5
    tap space
    wait_trace "mode Play, page 0, room 61" 10
    xdotool keydown Right
    sleep 0.6
    a=$(screenshot room61a); sleep 0.1; b=$(screenshot room61b)
    # The shadow over the right of room 61 flickers; its left stays as painted.
    right=$(compare -metric AE -crop 120x300+500+0 "$a" "$b" null: 2>&1 | cut -d' ' -f1)
    [ "${right%.*}" -gt 1000 ] || fail "no flickering shadow in room 61 ($right pixels changed)"
    wait_trace "room 62$" 20
    sleep 0.5
    a=$(screenshot plasma_a); sleep 0.15; b=$(screenshot plasma_b)
    moved=$(compare -metric AE -crop 640x200+0+0 "$a" "$b" null: 2>&1 | cut -d' ' -f1)
    [ "${moved%.*}" -gt 5000 ] || fail "the plasma of room 62 does not move ($moved pixels changed)"
    for p in 31 35 32 34 36 38 37 39; do expect_page $p 60; done
    wait_trace "page -10," 60
    wait_trace "mode Interlude," 10
    wait_trace "mode TheEnd, page 42," 15
    release_all
    sleep 0.5
    expect_words the_end "The End"
    if [ "${1:-}" = term ]; then
        kill -TERM "$GAME_PID"
        wait_exit 2 || fail "SIGTERM did not end the game on \"The End\""
        [ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS after SIGTERM on \"The End\""
    else
        quit_game
    fi
}
