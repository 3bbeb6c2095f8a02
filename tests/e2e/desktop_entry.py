#!/usr/bin/env python3
"""The running game tied to its menu entry, so that docks and task switchers show its icon and
can pin it: under a real X server (Xvfb) its window's class is the one the entry's
StartupWMClass names, and as a Wayland client of a headless weston its app id is the entry's
file name, read from the game's own protocol log.

Usage: desktop_entry.py PATH_TO_TESSAL
"""
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import play_as_a_player as e2e  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ENTRY = os.path.join(ROOT, "data", "org.tessal.Tessal.desktop")


def entry_value(key):
    with open(ENTRY, encoding="utf-8") as f:
        return next((line.rstrip("\n")[len(key) + 1:] for line in f
                     if line.startswith(key + "=")), None)


def x11_class(binary):
    """The class half of the window's WM_CLASS, which StartupWMClass matches."""
    with e2e.playing(binary, "tessal-entry-") as game:
        out = subprocess.run(["xprop", "-id", game.window, "WM_CLASS"], env=game.env,
                             capture_output=True, text=True, timeout=e2e.STEP_TIMEOUT).stdout
    names = re.findall(r'"([^"]*)"', out)
    return names[1] if len(names) == 2 else out.strip()


def wayland_app_id(binary):
    work = tempfile.mkdtemp(prefix="tessal-entry-wayland-")
    game = subprocess.Popen(
        [os.path.join(ROOT, "tools", "with-weston.sh"), "env", "WAYLAND_DEBUG=client",
         os.path.abspath(binary)], cwd=work, env=dict(os.environ, HOME=work),
        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
        start_new_session=True)
    try:
        deadline = time.time() + e2e.STEP_TIMEOUT
        while time.time() < deadline:
            if not select.select([game.stderr], [], [], deadline - time.time())[0]:
                break
            line = game.stderr.readline().decode(errors="replace")
            if not line:
                break
            found = re.search(r'xdg_toplevel@\d+\.set_app_id\("([^"]*)"\)', line)
            if found:
                return found.group(1)
        return None
    finally:
        os.killpg(game.pid, signal.SIGTERM)  # weston's script stops weston as it goes
        game.wait(timeout=e2e.STEP_TIMEOUT)
        shutil.rmtree(work, ignore_errors=True)


def run(binary):
    problems = []
    wm_class, named = x11_class(binary), entry_value("StartupWMClass")
    if wm_class != named:
        problems.append("under X11 the window's class is %r, the entry's StartupWMClass %r"
                        % (wm_class, named))
    else:
        print("ok - under X11 the window's class is the entry's StartupWMClass, %r" % named)
    app_id, entry = wayland_app_id(binary), os.path.basename(ENTRY)[:-len(".desktop")]
    if app_id != entry:
        problems.append("on Wayland the app id is %r, not the entry's %r" % (app_id, entry))
    else:
        print("ok - on Wayland the app id is the entry's name, %r" % entry)
    if problems:
        raise e2e.Failure("; ".join(problems))


if __name__ == "__main__":
    try:
        run(sys.argv[1])
    except (e2e.Failure, subprocess.TimeoutExpired) as failure:
        print("FAIL - %s" % failure)
        sys.exit(1)
