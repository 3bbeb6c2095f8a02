#!/bin/sh
# Builds the site and runs its tests: the rules' unit tests in WebAssembly under node, and
# the page played through in headless Chromium.
set -eu
cd "$(dirname "$0")/.."
tools/build-web.sh
ctest --test-dir build-web --output-on-failure --timeout 300
