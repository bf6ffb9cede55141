# Shared helpers of the end-to-end tests: a private Xvfb display, a private copy
# of the game and its data, keys through xdotool, screenshots through ImageMagick.
# Source it, then call e2e_setup with the build directory.
set -u

fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*" >&2; }

e2e_setup() {
    BUILD_DIR=$(cd "$1" && pwd)
    WORK=$(mktemp -d /tmp/karvelle-e2e.XXXXXX)
    cp "$BUILD_DIR/karvelle" "$WORK/"
    mkdir -p "$WORK/data"
    (cd "$BUILD_DIR/data" && tar cf - --exclude=profile.dat --exclude='profile.dat.*' .) | (cd "$WORK/data" && tar xf -)
    printf '[graphics]\nfullscreen = 0\n' > "$WORK/config.ini"
    GAME_PID=""
    XVFB_PID=""
    trap e2e_cleanup EXIT
    exec 9<> "$WORK/.displayfd"
    Xvfb -displayfd 9 -screen 0 800x600x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local tries=0
    while [ ! -s "$WORK/.displayfd" ] && [ $tries -lt 100 ]; do sleep 0.05; tries=$((tries + 1)); done
    [ -s "$WORK/.displayfd" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$WORK/.displayfd" | tr -dc 0-9)"
}

e2e_cleanup() {
    [ -n "${GAME_PID:-}" ] && kill -9 "$GAME_PID" 2>/dev/null
    pkill -f "xmessage" -P "${GAME_PID:-1}" 2>/dev/null
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    if [ -n "${KEEP_E2E:-}" ]; then echo "kept $WORK" >&2; else rm -rf "$WORK"; fi
}

# Starts the game in $WORK and waits for its window; sets GAME_PID and WID.
start_game() {
    (cd "$WORK" && exec ./karvelle "$@" >"$WORK/stdout.log" 2>"$WORK/stderr.log") &
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

pixel() {  # pixel FILE X Y: prints "r,g,b"
    convert "$1" -format '%[fx:int(255*p{'"$2,$3"'}.r)],%[fx:int(255*p{'"$2,$3"'}.g)],%[fx:int(255*p{'"$2,$3"'}.b)]' info:
}

profile_lines() { cat "$WORK/data/profile.dat" 2>/dev/null; }
