#!/bin/sh
# The generated data read by third-party readers: ImageMagick for the PCX
# pictures, sox for the sound effects, openmpt123 for the music (rendered to a
# WAV as long as one pass through the module). Needs no display.
#   test_data_readers.sh BUILD_DIR
set -u
build=${1:?usage: test_data_readers.sh BUILD_DIR}
data=$build/data
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# --- pictures -----------------------------------------------------------------
scenes="scene1 scene2 scene3 scene4 scene5 scene6 scene7 scene8 scene9 scene10 scene11 scene12
scene13 scene14 scene15 p1s1 p1s2 p2s1 p2s2 p2s3 p3s1 p3s2 p3s3 p3s4 p3s5 p3s6 p4s1 p4s2 p4s3
p4s4 p4s5 p5s1 p5s2 p5s3 p5s4 p6s1 p6s2 p6s3 p6s4 p6s5 p6s6 p6s7 p6s8 p6s9 p6s10 p6s11 p6s12
p7s1 p7s1a p7s2 p7s3 p8s1 p8s2 p8s3 p8s4 p8s5 p8s6 p8s7 p8s8 p8s9 blank"
count=0
for name in $scenes; do
    file=$data/graphics/screens/$name.pcx
    size=$(identify -format '%m %wx%h' "$file" 2>/dev/null)
    [ "$size" = "PCX 80x60" ] || fail "$name.pcx: identify says '$size'"
    count=$((count + 1))
done
[ "$count" -eq 61 ] || fail "expected 61 scenes, checked $count"
size=$(identify -format '%m %wx%h' "$data/graphics/spritesheet.pcx" 2>/dev/null)
[ "$size" = "PCX 200x200" ] || fail "spritesheet.pcx: identify says '$size'"
# the sheet's corner is background: pure magenta
corner=$(convert "$data/graphics/spritesheet.pcx" -format '%[pixel:p{0,0}]' info: 2>/dev/null)
case "$corner" in
    "srgb(255,0,255)" | "magenta" | "fuchsia") ;;
    *) fail "spritesheet.pcx: corner is '$corner', not magenta" ;;
esac

# --- sounds -------------------------------------------------------------------
check_wav() { # file, shortest, longest (seconds)
    seconds=$(sox --i -D "$data/sound/$1" 2>/dev/null)
    if [ -z "$seconds" ]; then
        fail "$1: sox cannot read it"
        return
    fi
    awk -v s="$seconds" -v lo="$2" -v hi="$3" 'BEGIN { exit !(s >= lo && s <= hi) }' ||
        fail "$1: lasts $seconds s, not $2..$3 s"
    peak=$(sox "$data/sound/$1" -n stat 2>&1 | awk '/Maximum amplitude/ { print $3 }')
    awk -v p="${peak:-0}" 'BEGIN { exit !(p > 0.2) }' || fail "$1: nearly silent (peak $peak)"
}
check_wav destroy.wav 0.3 0.99
check_wav dragon.wav 2.0 3.0
check_wav war1.wav 0.2 0.69
check_wav war2.wav 1.0 5.0

# --- music --------------------------------------------------------------------
u8() { od -An -tu1 -j "$2" -N1 "$1" | tr -d ' '; }
u16() { od -An -tu2 --endian=little -j "$2" -N2 "$1" | tr -d ' '; }
u32() { od -An -tu4 --endian=little -j "$2" -N4 "$1" | tr -d ' '; }

# One pass in seconds, from the module's own header, orders and patterns.
loop_seconds() {
    f=$1
    orders=$(u16 "$f" 32)
    instruments=$(u16 "$f" 34)
    samples=$(u16 "$f" 36)
    speed=$(u8 "$f" 50)
    tempo=$(u8 "$f" 51)
    pointers=$((192 + orders + 4 * instruments + 4 * samples))
    rows=0
    i=0
    while [ "$i" -lt "$orders" ]; do
        pattern=$(u8 "$f" $((192 + i)))
        i=$((i + 1))
        [ "$pattern" -ge 254 ] && continue
        at=$(u32 "$f" $((pointers + 4 * pattern)))
        rows=$((rows + $(u16 "$f" $((at + 2)))))
    done
    awk -v r="$rows" -v s="$speed" -v t="$tempo" 'BEGIN { printf "%.3f", r * s * 2.5 / t }'
}

for module in possibilities impossibilities; do
    cp "$data/music/$module.it" "$work/"
    expected=$(loop_seconds "$work/$module.it")
    if ! openmpt123 --quiet --render --no-float "$work/$module.it" >/dev/null 2>&1; then
        fail "$module.it: openmpt123 cannot render it"
        continue
    fi
    seconds=$(sox --i -D "$work/$module.it.wav" 2>/dev/null)
    awk -v s="${seconds:-0}" -v e="$expected" 'BEGIN { d = s - e; if (d < 0) d = -d; exit !(d <= 1.0 && e >= 60 && e <= 120) }' ||
        fail "$module.it: openmpt123 renders ${seconds:-nothing} s, one pass is $expected s"
    peak=$(sox "$work/$module.it.wav" -n stat 2>&1 | awk '/Maximum amplitude/ { print $3 }')
    awk -v p="${peak:-0}" 'BEGIN { exit !(p > 0.05) }' || fail "$module.it: renders to silence"
    rm -f "$work/$module.it.wav"
done

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "data readers: all checks passed"
