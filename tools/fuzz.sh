#!/bin/sh
# Builds the two libFuzzer targets with clang and runs each for a bounded time (seconds,
# default 60). Any crash, leak or sanitizer report fails the run.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=build-fuzz
mkdir -p "$out"
flags="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Isrc"
# shellcheck disable=SC2086
clang++ $flags fuzz/saved_game_reader.cpp src/savegame/saved_game.cpp -o "$out/saved_game_reader"
# shellcheck disable=SC2086
clang++ $flags fuzz/game_name.cpp src/savegame/saved_game.cpp -o "$out/game_name"
for target in saved_game_reader game_name; do
    work="$out/corpus-$target"
    mkdir -p "$work"
    echo "fuzzing $target for ${seconds}s"
    "$out/$target" -max_total_time="$seconds" -max_len=8192 -print_final_stats=0 \
        -artifact_prefix="$out/$target-" "$work" "fuzz/corpus/$target" 2>"$out/$target.log" || {
        tail -40 "$out/$target.log"
        echo "fuzzing $target found a failure; the input is in $out/"
        exit 1
    }
    grep -E "^#[0-9]+.*DONE" "$out/$target.log" | tail -1 || true
done
