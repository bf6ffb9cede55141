# Byte-level helpers of the crafted-data tests: read and write little-endian
# fields of a file in place. Source it after lib.sh.

u8() { od -An -tu1 -j "$2" -N1 "$1" | tr -d ' '; }
u16() { od -An -tu2 --endian=little -j "$2" -N2 "$1" | tr -d ' '; }
u32() { od -An -tu4 --endian=little -j "$2" -N4 "$1" | tr -d ' '; }

# poke FILE OFFSET BYTE...: writes the bytes (decimal) at OFFSET.
poke() {
    local file=$1 offset=$2 escaped="" b
    shift 2
    for b in "$@"; do escaped="$escaped$(printf '\\%03o' "$b")"; done
    printf "$escaped" | dd of="$file" bs=1 seek="$offset" conv=notrunc status=none
}
poke16() { poke "$1" "$2" $(($3 & 255)) $((($3 >> 8) & 255)); }
poke32() { poke "$1" "$2" $(($3 & 255)) $((($3 >> 8) & 255)) $((($3 >> 16) & 255)) $((($3 >> 24) & 255)); }

# The blocks of an Impulse Tracker module: sample header N and pattern N (from 0).
it_sample() {
    local f=$1 orders instruments
    orders=$(u16 "$f" 32); instruments=$(u16 "$f" 34)
    u32 "$f" $((192 + orders + 4 * instruments + 4 * $2))
}
it_pattern() {
    local f=$1 orders instruments samples
    orders=$(u16 "$f" 32); instruments=$(u16 "$f" 34); samples=$(u16 "$f" 36)
    u32 "$f" $((192 + orders + 4 * instruments + 4 * samples + 4 * $2))
}

# pcx FILE WIDTH HEIGHT BYTES-PER-LINE BYTES: an 8-bit PCX whose run-length data
# describes BYTES bytes (runs of 63 and one shorter), then its palette.
pcx() {
    local f=$1 w=$2 h=$3 bpl=$4 bytes=$5
    head -c 128 /dev/zero > "$f"
    poke "$f" 0 10 5 1 8
    poke16 "$f" 8 $(((w - 1) & 65535))
    poke16 "$f" 10 $(((h - 1) & 65535))
    poke "$f" 65 1
    poke16 "$f" 66 "$bpl"
    yes "$(printf '\377\001')" | tr -d '\n' | head -c $((2 * (bytes / 63))) >> "$f"
    [ $((bytes % 63)) -gt 0 ] && printf "$(printf '\\%03o\\001' $((192 + bytes % 63)))" >> "$f"
    printf '\014' >> "$f"
    head -c 768 /dev/zero >> "$f"
}
