#!/bin/sh
# Builds the game as a web page into build-web/site, a folder of static files that any static
# web host serves, and the rules' unit tests in WebAssembly beside it. Needs Debian's
# emscripten (tools/install-deps.sh).
set -eu
cd "$(dirname "$0")/.."
# Emscripten's JavaScript optimiser finds Debian's acorn only here when the node on the PATH
# is not Debian's own.
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"
# The page's code travels to every player: built for size.
emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build build-web
echo "The site is in $PWD/build-web/site"
