#!/bin/sh
# Configures and builds the two libFuzzer targets with clang (TESSAL_FUZZ) and runs each for
# a bounded time (seconds, default 60). Any crash, leak or sanitizer report fails the run.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=build-fuzz
cmake -S . -B "$out" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=OFF -DTESSAL_FUZZ=ON >/dev/null
cmake --build "$out" --target fuzz_saved_game_reader fuzz_game_name
for target in saved_game_reader game_name; do
    work="$out/corpus-$target"
    mkdir -p "$work"
    echo "fuzzing $target for ${seconds}s"
    "$out/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=8192 -print_final_stats=0 \
        -artifact_prefix="$out/$target-" "$work" "fuzz/corpus/$target" 2>"$out/$target.log" || {
        tail -40 "$out/$target.log"
        echo "fuzzing $target found a failure; the input is in $out/"
        exit 1
    }
    grep -E "^#[0-9]+.*DONE" "$out/$target.log" | tail -1 || true
done
