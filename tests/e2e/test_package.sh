#!/bin/bash
# The Debian package: `make package` gives build/karvelle_<version>_<arch>.deb
# whose control fields and contents match the install rules, which lintian finds
# free of errors, whose desktop entry, AppStream data and manual page validate,
# whose icons are crisp at every size, and which runs once unpacked. The same
# source gives the same packages: `make package` in a fresh copy of the source,
# elsewhere and later, makes .debs byte for byte the same as the build
# folder's, their files dated by the changelog's latest entry.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/installed.sh"
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
e2e_setup "$1"
unset SOURCE_DATE_EPOCH

# A fresh copy of the source in another folder is packaged, from the start
# (the longest part of this test), while the packages made here are made and
# checked; its packages must be these, byte for byte.
TREE=$WORK/another/karvelle
mkdir -p "$TREE"
(cd "$SOURCE" && tar cf - --exclude='./build*' --exclude=./.git .) | (cd "$TREE" && tar xf -)
setsid bash -c 'make -s -C "$1" package JOBS=2 >"$2/tree.log" 2>&1; echo $? >"$2/tree.status"' _ "$TREE" "$WORK" &
TREE_BUILD=$!
at_exit 'kill -- -$TREE_BUILD 2>/dev/null; wait "$TREE_BUILD"'

build_folder_alone make -s -C "$SOURCE" package BUILD_DIR="$BUILD_DIR" >"$WORK/package.log" 2>&1 || fail "make package: $(tail -n 5 "$WORK/package.log")"
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
for library in liballegro4.4 libdumb1 libfreetype6 libspeechd2 libc6 fonts-sil-gentiumplus; do
    field Depends | tr ',' '\n' | grep -q "^ *$library\b" || fail "Depends lacks $library: $(field Depends)"
done
# The voice links no GPL library: eSpeak NG is a program run beside the game.
field Depends | grep -q "espeak" && fail "Depends names eSpeak NG: $(field Depends)"
field Recommends | tr ',' '\n' | grep -q "^ *speech-dispatcher\b" || fail "Recommends: $(field Recommends)"
field Suggests | tr ',' '\n' | grep -q "^ *espeak-ng\b" || fail "Suggests: $(field Suggests)"
dpkg-deb --info "$DEB" | grep -q "md5sums" || fail "no md5sums"

note "the contents are what the install rules install"
build_folder_alone env DESTDIR="$WORK/rules" cmake --install "$BUILD_DIR" --prefix /usr >/dev/null || fail "cmake --install"
diff <(cd "$WORK/rules" && find . -type f | sort) \
     <(dpkg-deb --contents "$DEB" | awk '$1 ~ /^-/ { print $6 }' | sort) >"$WORK/contents.diff" ||
    fail "the package and the install rules differ: $(cat "$WORK/contents.diff")"
dpkg-deb --contents "$DEB" | awk '$2 != "root/root" { bad = 1 } END { exit bad }' || fail "files not owned by root"
dpkg-deb --contents "$DEB" | awk '$1 ~ /^-/ && $6 != "./usr/games/karvelle" && $1 != "-rw-r--r--" { bad = 1 } END { exit bad }' ||
    fail "data files not 0644"

note "lintian: nothing but informational tags, on the game and its debug symbols"
DBGSYM=$BUILD_DIR/karvelle-dbgsym_${version}_$(dpkg --print-architecture).deb
[ -f "$DBGSYM" ] || fail "no $DBGSYM"
lintian --fail-on error,warning "$DEB" "$DBGSYM" >"$WORK/lintian.log" 2>&1 ||
    fail "lintian: $(grep -E '^(E|W):' "$WORK/lintian.log")"
! grep -q "font" "$WORK/lintian.log" || fail "lintian on the font: $(grep font "$WORK/lintian.log")"

ROOT=$WORK/root
dpkg-deb -x "$DEB" "$ROOT"
note "the data's font is a link to Debian's Gentium Plus"
font=$ROOT/usr/share/games/karvelle/graphics/font.ttf
[ -L "$font" ] || fail "font.ttf is no link"
[ "$(realpath -m "$font")" = "$ROOT/usr/share/fonts/truetype/gentiumplus/GentiumPlus-Regular.ttf" ] ||
    fail "font.ttf links to $(readlink "$font")"
[ -z "$(dpkg-deb --contents "$DEB" | grep -i 'licence\|license\|\.ttf$' | grep -v '^l')" ] || fail "a font file is shipped"

note "the debug symbols: beside the game, found by gdb through the build id"
dpkg-deb -f "$DBGSYM" Depends | grep -qx "karvelle (= $version)" || fail "karvelle-dbgsym depends on $(dpkg-deb -f "$DBGSYM" Depends)"
dpkg-deb -x "$DBGSYM" "$ROOT"
dpkg-deb --contents "$DEB" | awk '{ print $6 }' | grep -v '/$' | sort >"$WORK/game.files"
dpkg-deb --contents "$DBGSYM" | awk '{ print $6 }' | grep -v '/$' | sort >"$WORK/dbgsym.files"
[ -z "$(comm -12 "$WORK/game.files" "$WORK/dbgsym.files")" ] || fail "the two packages share files"
gdb -batch -nx -iex "set debug-file-directory $ROOT/usr/lib/debug" -ex "info line initialise_game" \
    "$ROOT/usr/games/karvelle" >"$WORK/gdb.log" 2>&1
grep -q 'Line [0-9]* of "src/frame/startup.cpp"' "$WORK/gdb.log" || fail "gdb finds no symbols: $(cat "$WORK/gdb.log")"
gdb -batch -nx -ex "info line initialise_game" "$ROOT/usr/games/karvelle" 2>&1 | grep -q 'Line [0-9]* of' &&
    fail "the game itself is not stripped"

note "desktop entry, AppStream data, manual page"
desktop-file-validate "$ROOT/usr/share/applications/karvelle.desktop" || fail "desktop-file-validate"
grep -qx "Categories=Game;AdventureGame;" "$ROOT/usr/share/applications/karvelle.desktop" || fail "not in the games menu"
grep -qx "StartupWMClass=Karvelle" "$ROOT/usr/share/applications/karvelle.desktop" || fail "no StartupWMClass"
for control in keyboard gamepad; do
    grep -q "<control>$control</control>" "$ROOT/usr/share/metainfo/karvelle.metainfo.xml" || fail "AppStream lacks $control"
done
appstreamcli validate --no-net "$ROOT/usr/share/metainfo/karvelle.metainfo.xml" >"$WORK/appstream.log" 2>&1 ||
    fail "appstreamcli: $(cat "$WORK/appstream.log")"
[ "$(gzip -dc "$ROOT/usr/share/doc/karvelle/changelog.gz" | head -c 9)" = "karvelle " ] || fail "no changelog"
grep -q "SIL Open Font License" "$ROOT/usr/share/doc/karvelle/copyright" || fail "the copyright file lacks the font's licence"
# libspeechd's licence is named where the linked libraries are; the file's own
# licence paragraphs are those of the files it ships.
tr '\n' ' ' < "$ROOT/usr/share/doc/karvelle/copyright" | grep -q "libspeechd .*GNU LGPL version 2.1 or later" ||
    fail "the copyright file lacks libspeechd's licence"
grep -q "^License: GPL-3" "$ROOT/usr/share/doc/karvelle/copyright" && fail "the copyright file still names a GPL-3 part"
objdump -p "$ROOT/usr/games/karvelle" | grep NEEDED | grep -qi espeak && fail "the game links eSpeak NG"
grep -qx "Exec=karvelle --voice" "$ROOT/usr/share/applications/karvelle.desktop" || fail "no desktop action with the voice"
# Machine-readable over the source's paths, every licence paragraph used by a
# Files stanza, and every placeholder filled in.
copyright=$ROOT/usr/share/doc/karvelle/copyright
head -n1 "$copyright" | grep -q "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ||
    fail "the copyright file is not in DEP-5 form"
! grep -q "^Files:.*usr/" "$copyright" || fail "the copyright file names installed paths"
awk 'BEGIN { RS = "" } /^Files:/ { match($0, /\nLicense: [^\n]*/); used[substr($0, RSTART + 10, RLENGTH - 10)] = 1 }
     /^License:/ { split($0, line, "\n"); given[substr(line[1], 10)] = 1 }
     END { for (l in given) if (!(l in used)) { print "unused: " l; bad = 1 } exit bad }' "$copyright" ||
    fail "the copyright file has a licence paragraph no stanza uses"
for file in "$copyright" "$ROOT/usr/share/metainfo/karvelle.metainfo.xml"; do
    ! grep -q "@[A-Z_]*@" "$file" || fail "a placeholder is left in $file"
done
MANWIDTH=80 man --warnings -l "$ROOT/usr/share/man/man6/karvelle.6.gz" >"$WORK/man.txt" 2>"$WORK/man.log"
[ -s "$WORK/man.txt" ] || fail "the manual page renders empty"
[ ! -s "$WORK/man.log" ] || fail "man warns: $(cat "$WORK/man.log")"
for section in SYNOPSIS OPTIONS CONTROLS FILES "EXIT STATUS"; do
    grep -q "^$section" "$WORK/man.txt" || fail "the manual page has no $section"
done

note "icons: the right size, and crisp (whole-pixel blocks of the 32 pixel picture; 48 painted at its own size)"
icon_of() { echo "$ROOT/usr/share/icons/hicolor/${1}x${1}/apps/karvelle.png"; }
for size in 16 32 48 64 128 256; do
    icon=$(icon_of $size)
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "icon $size is $(identify -format '%wx%h' "$icon")"
    [ "$(convert "$icon" -alpha extract -format %c histogram:info:- | wc -l)" -le 2 ] || fail "icon $size has soft edges"
    [ "$(identify -format %k "$icon")" -le 32 ] || fail "icon $size has $(identify -format %k "$icon") colours"
    [ $((size % 32)) -eq 0 ] || continue
    rebuilt=$(convert "$icon" -sample 32x32 -sample "${size}x${size}" png:- | compare -metric AE - "$icon" null: 2>&1)
    [ "${rebuilt%% *}" = 0 ] || fail "icon $size is not made of whole pixels ($rebuilt pixels differ)"
done
enlarged=$(convert "$(icon_of 16)" -sample 48x48 png:- | compare -metric AE - "$(icon_of 48)" null: 2>&1)
[ "${enlarged%% *}" != 0 ] || fail "icon 48 is the 16 pixel drawing enlarged"

note "unpacked, the game runs and keeps the endings in the player's folder"
# The font it depends on, where the package's relative link looks for it.
mkdir -p "$ROOT/usr/share/fonts/truetype"
ln -s /usr/share/fonts/truetype/gentiumplus "$ROOT/usr/share/fonts/truetype/gentiumplus"
player_env
before=$(snapshot "$ROOT")
play_installed "$ROOT/usr/games/karvelle" 0
expect_player_profile 00000000
[ "$(snapshot "$ROOT")" = "$before" ] || fail "something under the unpacked tree changed"
note "the fresh copy's packages"
wait "$TREE_BUILD"
[ "$(cat "$WORK/tree.status")" = 0 ] || fail "make package in the copy: $(tail -n 5 "$WORK/tree.log")"
for deb in "$DEB" "$DBGSYM"; do
    twin=$TREE/build/$(basename "$deb")
    [ -f "$twin" ] || fail "the copy made no $(basename "$deb")"
    cmp -s "$deb" "$twin" || fail "$(basename "$deb") differs between the two builds: $(cmp "$deb" "$twin")"
done

note "dated by the changelog"
released=$(date -u -d "$(sed -n 's/^ -- .*  //p' "$SOURCE/dist/changelog.in" | head -n 1)" '+%Y-%m-%d %H:%M')
dated=$(TZ=UTC dpkg-deb --contents "$DEB" | awk '{ print $4 " " $5 }' | sort -u)
[ "$dated" = "$released" ] || fail "the files are dated $dated, not $released"
echo "package and reproducible: ok"
