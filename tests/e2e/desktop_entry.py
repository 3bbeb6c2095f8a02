#!/usr/bin/env python3
"""The running game tied to its menu entry, so that docks show its icon and can pin it: under
Xvfb its window's class is the entry's StartupWMClass, and as a Wayland client of a headless
weston its app id, read from its own protocol log, is the entry's name.

Usage: desktop_entry.py PATH_TO_TESSAL
"""
import os
import re
import select
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import play_as_a_player as e2e  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ENTRY = os.path.join(ROOT, "data", "org.tessal.Tessal.desktop")


def x11_class(binary):
    with e2e.playing(binary, "tessal-entry-") as game:
        out = subprocess.run(["xprop", "-id", game.window, "WM_CLASS"], env=game.env,
                             capture_output=True, text=True, timeout=e2e.STEP_TIMEOUT).stdout
    names = re.findall(r'"([^"]*)"', out)  # the instance, then the class
    return names[1] if len(names) == 2 else out.strip()


def wayland_app_id(binary):
    game = subprocess.Popen([os.path.join(ROOT, "tools", "with-weston.sh"), "env",
                             "WAYLAND_DEBUG=client", os.path.abspath(binary)],
                            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, start_new_session=True)
    try:
        deadline = time.time() + e2e.STEP_TIMEOUT
        while select.select([game.stderr], [], [], max(0, deadline - time.time()))[0]:
            line = game.stderr.readline().decode(errors="replace")
            found = re.search(r'\.set_app_id\("([^"]*)"\)', line)
            if found or not line:
                return found and found.group(1)
    finally:
        os.killpg(game.pid, signal.SIGTERM)  # weston's script stops weston on its way out
        game.wait(timeout=e2e.STEP_TIMEOUT)


def run(binary):
    entry = open(ENTRY, encoding="utf-8").read()
    named = (re.findall(r"^StartupWMClass=(.*)$", entry, re.M) + [None])[0]
    for what, read, meant in (("under X11 the window's class", x11_class(binary), named),
                              ("on Wayland the app id", wayland_app_id(binary),
                               os.path.basename(ENTRY)[:-len(".desktop")])):
        if read != meant:
            raise e2e.Failure("%s is %r, not the menu entry's %r" % (what, read, meant))
        print("ok - %s is the menu entry's %r" % (what, meant))


if __name__ == "__main__":
    try:
        run(sys.argv[1])
    except (e2e.Failure, subprocess.TimeoutExpired) as failure:
        print("FAIL - %s" % failure)
        sys.exit(1)
