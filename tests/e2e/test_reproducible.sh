#!/bin/bash
# The same source gives the same packages: `make package` in a fresh copy of
# the source, elsewhere and later, makes .debs byte for byte the same as the
# build folder's, their files dated by the changelog's latest entry.
. "$(dirname "$0")/lib.sh"
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
e2e_setup "$1"
unset SOURCE_DATE_EPOCH

make -s -C "$SOURCE" package BUILD_DIR="$BUILD_DIR" >"$WORK/package.log" 2>&1 || fail "make package: $(tail -n 5 "$WORK/package.log")"

note "a fresh copy of the source in another folder"
TREE=$WORK/another/karvelle
mkdir -p "$TREE"
(cd "$SOURCE" && tar cf - --exclude='./build*' --exclude=./.git .) | (cd "$TREE" && tar xf -)
make -s -C "$TREE" package JOBS=2 >"$WORK/tree.log" 2>&1 || fail "make package in the copy: $(tail -n 5 "$WORK/tree.log")"

for deb in "$BUILD_DIR"/karvelle_*.deb "$BUILD_DIR"/karvelle-dbgsym_*.deb; do
    twin=$TREE/build/$(basename "$deb")
    [ -f "$twin" ] || fail "the copy made no $(basename "$deb")"
    cmp -s "$deb" "$twin" || fail "$(basename "$deb") differs between the two builds: $(cmp "$deb" "$twin")"
done

note "dated by the changelog"
released=$(date -u -d "$(sed -n 's/^ -- .*  //p' "$SOURCE/dist/changelog.in" | head -n 1)" '+%Y-%m-%d %H:%M')
dated=$(TZ=UTC dpkg-deb --contents "$BUILD_DIR"/karvelle_*.deb | awk '{ print $4 " " $5 }' | sort -u)
[ "$dated" = "$released" ] || fail "the files are dated $dated, not $released"
echo "reproducible: ok"
