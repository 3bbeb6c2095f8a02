#!/bin/sh
# Builds the release .deb, validates its menu entry and metainfo, installs it with apt and
# checks that the installed game opens its window under Xvfb. Run as root.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DTESSAL_INSTALL_GAMEDIR=games
cmake --build build-release
(cd build-release && rm -f tessal_*.deb && cpack)
desktop-file-validate data/org.tessal.Tessal.desktop
appstreamcli validate --no-net build-release/org.tessal.Tessal.metainfo.xml
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$(ls "$PWD"/build-release/tessal_*.deb)"
python3 - <<'PY'
import sys, tempfile
sys.path.insert(0, "tests/e2e")
import play_as_a_player as e2e
game = e2e.Game("/usr/games/tessal", tempfile.mkdtemp(prefix="tessal-installed-"))
print("ok - the installed game shows its window", game.window)
game.close()
PY
