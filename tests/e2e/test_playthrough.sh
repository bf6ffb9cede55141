#!/bin/bash
# All eight endings, in the order of the paths, from an empty profile: each path
# walked from room 0 with the ways up and down it needs, then the last path from
# room 61 to "The End". The profile is checked after every ending.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"

for path in 1 2 3 4 5 6 7; do
    note "path $path"
    walk_path $path
    expected=""
    for n in 1 2 3 4 5 6 7 8; do
        if [ $n -le $path ]; then expected="${expected}1"; else expected="${expected}0"; fi
    done
    expect_profile "$expected"
done
note "path 8"
walk_last_path
expect_profile 11111111
echo "all eight endings: ok"
