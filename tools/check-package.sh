#!/bin/sh
# Builds the .deb as a plain `cmake -S . -B b && cmake --build b && cpack` makes it, as the
# README's release build makes it, and with the binary in bin instead of games; checks each
# with lintian (any error, warning or information fails) and checks that its binary is
# hardened as Debian builds packages. Then validates the menu entry and metainfo, checks that
# the changelog, the metainfo, the manual page and the package agree on the version and date,
# installs the release package with apt, starts the installed game from its menu entry's
# command under Xvfb, and checks that dpkg -r takes away every file the package installed.
# Run as root.
set -eu
cd "$(dirname "$0")/.."
app_id=org.tessal.Tessal
fail() {
    echo "not ok - $*" >&2
    exit 1
}

# Lintian-clean, in the section its binary's folder calls for, and hardened: read-only
# relocations bound at start, a stack protector, fortified calls, no compiler comment.
check_deb() { # build folder, what the package is
    deb=$(ls "$PWD/$1"/tessal_*.deb)
    lintian --fail-on error,warning,info --display-info "$deb" ||
        fail "lintian finds fault with the package $2"
    unpacked=$(mktemp -d)
    dpkg-deb -x "$deb" "$unpacked"
    for binary in "$unpacked/usr/games/tessal" "$unpacked/usr/bin/tessal"; do
        [ ! -f "$binary" ] || break
    done
    case "$binary:$(dpkg-deb -f "$deb" Section)" in
    */usr/games/tessal:games | */usr/bin/tessal:misc) ;;
    *) fail "the package $2 puts ${binary#"$unpacked"} in section $(dpkg-deb -f "$deb" Section)" ;;
    esac
    readelf -lW "$binary" | grep -q GNU_RELRO || fail "the package $2: no read-only relocations"
    readelf -dW "$binary" | grep -q 'FLAGS.*BIND_NOW' || fail "the package $2: not bound at start"
    readelf -sW --dyn-syms "$binary" | grep -q __stack_chk_fail ||
        fail "the package $2: no stack protector"
    ! readelf -SW "$binary" | grep -q '[.]comment' || fail "the package $2 keeps a .comment"
    grep -rqs -- -D_FORTIFY_SOURCE=2 "$1/build.ninja" "$1/CMakeFiles/tessal.dir" ||
        fail "the package $2 is built without fortified calls"
    rm -rf "$unpacked"
    echo "ok - the package $2 is lintian-clean and hardened"
}

# The plain build, in the folder the README builds and tests in: the tests it holds are
# no part of the package.
cmake -S . -B build
cmake --build build
(cd build && rm -f tessal_*.deb && cpack)
check_deb build "of a plain build"

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DTESSAL_INSTALL_GAMEDIR=bin
cmake --build build-release
(cd build-release && rm -f tessal_*.deb && cpack)
check_deb build-release "with its binary in bin"
cmake -S . -B build-release -DTESSAL_INSTALL_GAMEDIR=games
(cd build-release && rm -f tessal_*.deb && cpack)
check_deb build-release "of the release build"
deb=$(ls "$PWD"/build-release/tessal_*.deb)

desktop-file-validate data/$app_id.desktop
metainfo=build-release/$app_id.metainfo.xml
report=$(appstreamcli validate --no-net --pedantic "$metainfo") ||
    fail "appstreamcli rejects $metainfo: $report"
printf '%s\n' "$report"
if printf '%s\n' "$report" | grep -q '^[EWI]:'; then
    fail "appstreamcli reports more than pedantic issues in $metainfo"
fi

version=$(dpkg-deb -f "$deb" Version)
news_version=$(dpkg-parsechangelog -l NEWS.md -S Version)
news_date=$(date -u -d "@$(dpkg-parsechangelog -l NEWS.md -S Timestamp)" +%Y-%m-%d)
release=$(grep -o '<release version="[^"]*" date="[^"]*"' "$metainfo" | head -n 1)
[ "$news_version" = "$version" ] ||
    fail "NEWS.md's latest entry is $news_version, the package is $version"
[ "$release" = "<release version=\"$version\" date=\"$news_date\"" ] ||
    fail "the metainfo's latest release ($release) is not NEWS.md's $version of $news_date"
grep -q "^\.TH TESSAL 6 $news_date \"Tessal $version\"" docs/tessal.6 ||
    fail "the manual page's title line does not name $version of $news_date"
[ "$(dpkg-parsechangelog -l NEWS.md -S Maintainer)" = "$(dpkg-deb -f "$deb" Maintainer)" ] ||
    fail "NEWS.md's latest entry is not signed by the package's maintainer"
echo "ok - the package, NEWS.md, the metainfo and the manual page agree on $version of $news_date"

warnings=$(man --warnings -l docs/tessal.6 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page does not format cleanly: $warnings"
manual=$(MANWIDTH=200 man -l docs/tessal.6 2>/dev/null)
for key in Tab Shift+Tab Space Enter Escape Delete Backspace "arrow keys" Ctrl Home End; do
    printf '%s\n' "$manual" | grep -q -- "$key" || fail "the manual page says nothing of $key"
done
echo "ok - the manual page formats cleanly and tells every key of keyboard play"

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --reinstall \
    -o DPkg::Lock::Timeout=300 "$deb"
APP_ID=$app_id python3 - <<'PY'
import os, shutil, sys, tempfile
sys.path.insert(0, "tests/e2e")
import play_as_a_player as e2e
entry = open("/usr/share/applications/%s.desktop" % os.environ["APP_ID"], encoding="utf-8").read()
command = next(line[5:].split()[0] for line in entry.splitlines() if line.startswith("Exec="))
# Where a Debian desktop session looks for it, leaving out /usr/local.
binary = shutil.which(command, path="/usr/bin:/bin:/usr/games")
if binary != "/usr/games/tessal":
    sys.exit("not ok - the menu entry's command %r finds %r, not /usr/games/tessal"
             % (command, binary))
game = e2e.Game(binary, tempfile.mkdtemp(prefix="tessal-installed-"))
print("ok - the menu entry starts the installed game, which shows its window", game.window)
game.close()
PY

installed=$(mktemp)
dpkg-query -L tessal >"$installed"
dpkg -r tessal
left=""
while IFS= read -r path; do
    if [ -d "$path" ] && [ ! -L "$path" ]; then
        # A folder may stay while it holds other files or another package owns it.
        if [ -z "$(ls -A "$path")" ] && ! dpkg-query -S "$path" >/dev/null 2>&1; then
            left="$left $path"
        fi
    elif [ -e "$path" ] || [ -L "$path" ]; then
        left="$left $path"
    fi
done <"$installed"
rm -f "$installed"
[ -z "$left" ] || fail "dpkg -r tessal left behind:$left"
echo "ok - dpkg -r tessal removes every file the package installed"
