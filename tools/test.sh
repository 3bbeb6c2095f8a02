#!/bin/sh
# Builds the game and its tests, then runs every test.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja
cmake --build build
ctest --test-dir build --output-on-failure --timeout 300
