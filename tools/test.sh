#!/bin/sh
# Builds the game and runs every test: unit, widget and end-to-end tests in the normal build,
# the unit and widget tests again under AddressSanitizer and UndefinedBehaviorSanitizer, and
# a bounded fuzz run of the saved-game reader and the game-name check; then the game as a web
# page, its rules in WebAssembly and the page in headless Chromium.
set -eu
cd "$(dirname "$0")/.."

cmake -S . -B build -G Ninja
cmake --build build
ctest --test-dir build --output-on-failure --timeout 300

cmake -S . -B build-asan -G Ninja -DTESSAL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure --timeout 300 -E 'end_to_end|_wayland$'

tools/fuzz.sh "${TESSAL_FUZZ_SECONDS:-30}"
tools/test-web.sh
tools/check-package.sh
