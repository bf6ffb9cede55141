#!/bin/bash
# The Debian package: `make package` gives build/karvelle_<version>_<arch>.deb
# whose control fields and contents match the install rules, which lintian finds
# free of errors, whose desktop entry, AppStream data and manual page validate,
# whose icons are crisp at every size, and which runs once unpacked.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/installed.sh"
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
e2e_setup "$1"

make -s -C "$SOURCE" package BUILD_DIR="$BUILD_DIR" >"$WORK/package.log" 2>&1 || fail "make package: $(tail -n 5 "$WORK/package.log")"
version=$(sed -n 's/^project(Karvelle VERSION \([0-9.]*\).*/\1/p' "$SOURCE/CMakeLists.txt")
DEB=$BUILD_DIR/karvelle_${version}_$(dpkg --print-architecture).deb
[ -f "$DEB" ] || fail "no $DEB"

note "control fields"
field() { dpkg-deb -f "$DEB" "$1"; }
[ "$(field Package)" = karvelle ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ "$(field Description | wc -l)" -gt 3 ] || fail "no long description"
for library in liballegro4.4 libdumb1 libaldmb1 libfreetype6 libspeechd2 libc6; do
    field Depends | tr ',' '\n' | grep -q "^ *$library\b" || fail "Depends lacks $library: $(field Depends)"
done
# The voice links no GPL library: eSpeak NG is a program run beside the game.
field Depends | grep -q "espeak" && fail "Depends names eSpeak NG: $(field Depends)"
field Recommends | tr ',' '\n' | grep -q "^ *speech-dispatcher\b" || fail "Recommends: $(field Recommends)"
field Suggests | tr ',' '\n' | grep -q "^ *espeak-ng\b" || fail "Suggests: $(field Suggests)"
dpkg-deb --info "$DEB" | grep -q "md5sums" || fail "no md5sums"

note "the contents are what the install rules install"
DESTDIR="$WORK/rules" cmake --install "$BUILD_DIR" --prefix /usr >/dev/null || fail "cmake --install"
diff <(cd "$WORK/rules" && find . -type f | sort) \
     <(dpkg-deb --contents "$DEB" | awk '$1 ~ /^-/ { print $6 }' | sort) >"$WORK/contents.diff" ||
    fail "the package and the install rules differ: $(cat "$WORK/contents.diff")"
dpkg-deb --contents "$DEB" | awk '$2 != "root/root" { bad = 1 } END { exit bad }' || fail "files not owned by root"
dpkg-deb --contents "$DEB" | awk '$1 ~ /^-/ && $6 != "./usr/games/karvelle" && $1 != "-rw-r--r--" { bad = 1 } END { exit bad }' ||
    fail "data files not 0644"

note "lintian: no errors"
lintian --fail-on error "$DEB" >"$WORK/lintian.log" 2>&1 || fail "lintian: $(grep '^E:' "$WORK/lintian.log")"

ROOT=$WORK/root
dpkg-deb -x "$DEB" "$ROOT"
note "desktop entry, AppStream data, manual page"
desktop-file-validate "$ROOT/usr/share/applications/karvelle.desktop" || fail "desktop-file-validate"
grep -qx "Categories=Game;AdventureGame;" "$ROOT/usr/share/applications/karvelle.desktop" || fail "not in the games menu"
appstreamcli validate --no-net "$ROOT/usr/share/metainfo/karvelle.metainfo.xml" >"$WORK/appstream.log" 2>&1 ||
    fail "appstreamcli: $(cat "$WORK/appstream.log")"
[ "$(gzip -dc "$ROOT/usr/share/doc/karvelle/changelog.gz" | head -c 9)" = "karvelle " ] || fail "no changelog"
grep -q "SIL Open Font License" "$ROOT/usr/share/doc/karvelle/copyright" || fail "the copyright file lacks the font's licence"
grep -q "^License: LGPL-2.1+" "$ROOT/usr/share/doc/karvelle/copyright" || fail "the copyright file lacks libspeechd's licence"
grep -q "^License: GPL-3" "$ROOT/usr/share/doc/karvelle/copyright" && fail "the copyright file still names a GPL-3 part"
objdump -p "$ROOT/usr/games/karvelle" | grep NEEDED | grep -qi espeak && fail "the game links eSpeak NG"
grep -qx "Exec=karvelle --voice" "$ROOT/usr/share/applications/karvelle.desktop" || fail "no desktop action with the voice"
MANWIDTH=80 man --warnings -l "$ROOT/usr/share/man/man6/karvelle.6.gz" >"$WORK/man.txt" 2>"$WORK/man.log"
[ -s "$WORK/man.txt" ] || fail "the manual page renders empty"
[ ! -s "$WORK/man.log" ] || fail "man warns: $(cat "$WORK/man.log")"
for section in SYNOPSIS OPTIONS CONTROLS FILES "EXIT STATUS"; do
    grep -q "^$section" "$WORK/man.txt" || fail "the manual page has no $section"
done

note "icons: the right size, and crisp (whole-pixel blocks of a 16 or 32 pixel picture)"
for size in 16 32 48 64 128 256; do
    icon=$ROOT/usr/share/icons/hicolor/${size}x${size}/apps/karvelle.png
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "icon $size is $(identify -format '%wx%h' "$icon")"
    grid=$([ $((size % 32)) -ne 0 ] && echo 16 || echo 32)
    rebuilt=$(convert "$icon" -sample "${grid}x${grid}" -sample "${size}x${size}" png:- | compare -metric AE - "$icon" null: 2>&1)
    [ "${rebuilt%% *}" = 0 ] || fail "icon $size is not made of whole pixels ($rebuilt pixels differ)"
done

note "unpacked, the game runs and keeps the endings in the player's folder"
player_env
before=$(snapshot "$ROOT")
play_installed "$ROOT/usr/games/karvelle" 0
expect_player_profile 00000000
[ "$(snapshot "$ROOT")" = "$before" ] || fail "something under the unpacked tree changed"
echo "package: ok"
