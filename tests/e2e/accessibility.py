#!/usr/bin/env python3
"""What a screen reader reads of the real game: its accessibility tree over AT-SPI, read with
pyatspi while the game runs under Xvfb, on a D-Bus session bus and an accessibility bus that
this test starts for itself and stops. The game is driven with xdotool, as a player would.

With --reader-after-start the accessibility bus comes up only once the game's window shows, as
when a screen reader is started after the game: all the same must be read.

Usage: accessibility.py PATH_TO_TESSAL PATH_TO_LAYOUT_JSON [--reader-after-start]
(with a Python that has pyatspi: Debian's python3)
"""
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import grid  # noqa: E402
import play_as_a_player as e2e  # noqa: E402

Failure = e2e.Failure
TIMEOUT = e2e.STEP_TIMEOUT
LAUNCHER_PATH = "/usr/libexec:/usr/lib/at-spi2-core:/usr/lib/at-spi2:" + os.environ["PATH"]
KINDS = {"G": "chiffre donné", "J": "chiffre du joueur"}


def wait_for(what, probe, timeout=TIMEOUT):
    deadline = time.time() + timeout
    while True:
        found = probe()
        if found:
            return found
        if time.time() > deadline:
            raise Failure("no %s within %ss" % (what, timeout))
        time.sleep(0.05)


class Buses:
    """A D-Bus session bus in a runtime folder of its own, and the accessibility bus that
    at-spi-bus-launcher starts beside it, at once or when start_reader() is called. Each runs
    in its own process group, which close() ends: the launcher's group holds the
    accessibility bus and the registry it starts."""

    def __init__(self, runtime, reader=True):
        self.processes = []
        self.env = dict(os.environ, XDG_RUNTIME_DIR=runtime)
        self.env.pop("DISPLAY", None)  # nothing is announced on the caller's X server
        try:
            session = self.start(["dbus-daemon", "--session", "--nofork", "--print-address=1",
                                  "--address=unix:path=%s/bus" % runtime], stdout=subprocess.PIPE)
            if not select.select([session.stdout], [], [], TIMEOUT)[0]:
                raise Failure("dbus-daemon printed no address")
            self.env["DBUS_SESSION_BUS_ADDRESS"] = session.stdout.readline().decode().strip()
            if reader:
                self.start_reader()
        except BaseException:
            self.close()
            raise

    def start_reader(self):
        launcher = shutil.which("at-spi-bus-launcher", path=LAUNCHER_PATH)
        if not launcher:
            raise Failure("no at-spi-bus-launcher")
        self.start([launcher, "--launch-immediately"], stdout=subprocess.DEVNULL)
        # Asked only once the launcher owns its name: asking first would start another.
        wait_for("org.a11y.Bus on the session bus", lambda: "true" in self.send(
            "org.freedesktop.DBus", "/org/freedesktop/DBus",
            "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"))
        self.a11y = self.send("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress")
        if not self.a11y.startswith("unix:"):
            raise Failure("no accessibility bus: %r" % self.a11y)

    def start(self, command, **kwargs):
        process = subprocess.Popen(command, env=self.env, stdin=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def send(self, destination, path, method, *args):
        result = subprocess.run(["dbus-send", "--session", "--print-reply=literal",
                                 "--reply-timeout=5000", "--dest=" + destination, path, method,
                                 *args], env=self.env, capture_output=True, text=True,
                                timeout=TIMEOUT)
        return result.stdout.strip()

    def close(self):
        for process in reversed(self.processes):
            for sig in (signal.SIGTERM, signal.SIGKILL):
                try:
                    os.killpg(process.pid, sig)
                    process.wait(timeout=5)
                    break
                except ProcessLookupError:
                    break
                except subprocess.TimeoutExpired:
                    continue
            process.wait()


def children(node):
    return [child for child in node if child is not None]


def descendants(node):
    found, stack = [], [node]
    while stack:
        node = stack.pop()
        found.append(node)
        stack.extend(reversed(children(node)))
    return found


class Reader:
    """The game's accessible objects as a screen reader gets them, never from a cache."""

    def __init__(self, pyatspi, pid):
        self.pyatspi = pyatspi
        self.app = wait_for("accessible application of process %d" % pid,
                            lambda: self.find_app(pid))
        self.app.setCacheMask(pyatspi.cache.NONE)

    def find_app(self, pid):
        desktop = self.pyatspi.Registry.getDesktop(0)
        desktop.clearCache()
        return next((a for a in children(desktop) if a.get_process_id() == pid), None)

    def windows(self, role_names, name):
        """The application's windows of these roles (any if None) whose names start so."""
        self.app.clearCache()
        return [w for w in children(self.app) if w.name.startswith(name) and
                (role_names is None or w.getRoleName() in role_names)]

    def frame(self):
        """The game's window: Qt gives a top-level widget the role "filler"."""
        return wait_for("window titled 'Tessal - …'", lambda: self.windows(None, "Tessal - "))[0]

    def name_of_combo(self, node):
        """What a combo box is for. On Linux Qt names a combo box by its current text and
        tells its purpose through the label that labels it: that label's name, else its own."""
        for relation in node.getRelationSet():
            if relation.getRelationType() == self.pyatspi.RELATION_LABELLED_BY:
                return relation.getTarget(0).name
        return node.name

    def extents(self, node):
        box = node.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        return (box.x, box.y, box.width, box.height)


class Checks:
    def __init__(self):
        self.failed = 0

    def expect(self, what, problems):
        """Prints one line for `what`; `problems` lists what was read against what was meant."""
        if problems:
            self.failed += 1
            more = " (and %d more)" % (len(problems) - 6) if len(problems) > 6 else ""
            print("not ok - %s: %s%s" % (what, "; ".join(problems[:6]), more))
        else:
            print("ok - %s" % what)


def differ(label, read, meant):
    return [] if read == meant else ["%s reads %r, not %r" % (label, read, meant)]


def pixel_rect(game, place):
    left, top, width, height = place
    t = e2e.TWIPS_PER_PIXEL
    return (game.origin[0] + left // t, game.origin[1] + top // t, width // t, height // t)


def check_controls(reader, game, checks):
    frame = reader.frame()
    checks.expect("the window's title", differ("the title", frame.name[:9], "Tessal - "))
    nodes = children(frame)
    buttons = [n for n in nodes if n.getRoleName() == "push button"]
    problems = []
    # Each button by its caption, its tool-tip as its description, as the layout table says.
    for name in ("Command2", "Command3", "Command4", "Command5", "Command6"):
        control = e2e.TABLE["controls"][name]
        caption, tip = control["text"], control["toolTip"] or ""
        named = [b for b in buttons if b.name == caption]
        if len(named) != 1:
            problems.append("%d push buttons named %r" % (len(named), caption))
        else:
            problems += differ("the description of %r" % caption, named[0].description, tip)
    checks.expect("the buttons' captions and tool-tips", problems)

    checks.expect("the eraser picture is named Gomme",
                  differ("the images", [n.name for n in nodes if n.getRoleName() == "image"],
                         ["Gomme"]))

    digit_lists = [n for n in nodes if n.getRoleName() == "list" and
                   [i.name for i in children(n)] == [str(d) for d in range(1, 10)]]
    checks.expect("the digit list (nine items 1 to 9) is named Chiffres",
                  differ("the digit lists", [d.name for d in digit_lists], ["Chiffres"]))


def check_cells(reader, game, board, checks):
    at = {reader.extents(b)[:2]: b for b in children(reader.frame())
          if b.getRoleName() == "push button"}
    problems = []
    for cell in grid.BOARD_ORDER:
        where = pixel_rect(game, e2e.cell_place(cell))[:2]
        button = at.get(where)
        if button is None:
            problems.append("no push button at %s for cell %d" % (where, cell))
            continue
        colour, digit = board[cell]
        row, column = grid.row_of(cell) + 1, grid.column_of(cell) + 1
        kind = KINDS[colour] if digit != "0" else "case vide"
        problems += differ("cell %d's name" % cell, button.name, "" if digit == "0" else digit)
        problems += differ("cell %d's description" % cell, button.description,
                           "ligne %d, colonne %d, %s" % (row, column, kind))
    checks.expect("the 81 cells' names and descriptions (%s)" % ", ".join(
        sorted({KINDS.get(c, "") if d != "0" else "case vide" for c, d in board.values()})),
        problems)


def check_conflict(reader, game, board, checks):
    given = next(c for c in grid.BOARD_ORDER if board[c][1] != "0")
    target = next(c for c in grid.units_of(given)[0] if board[c][1] == "0")
    game.pick(target, int(board[given][1]))
    box = wait_for("message box titled Tessal",
                   lambda: [w for w in reader.windows(["alert", "dialog"], "Tessal")
                            if w.name == "Tessal"])[0]
    texts = [n.name for n in descendants(box) if n.getRoleName() == "label" and n.name]
    role = box.getRoleName()
    if game.dismiss_messages() != 1:
        raise Failure("the conflict did not show exactly one message box")
    checks.expect("the conflict's message box, read as it opens (%s)" % role,
                  differ("its texts", texts, ["Déjà mis dans le carré!"]))
    wait_for("message box gone from the tree",
             lambda: not reader.windows(["alert", "dialog"], "Tessal"))


def check_panel(reader, game, checks):
    game.click("Command4")
    game.click("Command5")  # the whole panel shows: folders, volumes, label, saved games
    nodes = children(reader.frame())
    saved = pixel_rect(game, e2e.PLACES["List2"])
    lists = [n for n in nodes if n.getRoleName() == "list"]
    saved_games = [n.name for n in lists if reader.extents(n) == saved]
    folders = [n.name for n in lists if reader.extents(n) != saved and
               [i.name for i in children(n)] != [str(d) for d in range(1, 10)]]
    volumes = [reader.name_of_combo(n) for n in nodes if n.getRoleName() == "combo box"]
    label = pixel_rect(game, e2e.PLACES["Label1"])
    labels = [(n.name, n.description) for n in nodes
              if n.getRoleName() == "label" and reader.extents(n) == label]
    shown = os.path.join(game.work, "tessal*.txt")
    checks.expect("the saved-games list, the folder list and the volume list",
                  differ("the saved-games list", saved_games, ["Parties enregistrées"]) +
                  differ("the folder list", folders, ["Répertoire"]) +
                  differ("the volume list", volumes, ["Volume"]))
    checks.expect("the label: the folder it shows, whole, then its purpose",
                  differ("the label", labels, [(shown, "Répertoire d'enregistrement")]))


def run(binary, reader_after_start):
    work = tempfile.mkdtemp(prefix="tessal-a11y-")
    os.chmod(work, 0o700)
    buses = game = None
    try:
        buses = Buses(work, reader=not reader_after_start)
        # The game and pyatspi both ask the session bus for the accessibility bus: started
        # with AT_SPI_BUS_ADDRESS, which Qt 6.4 takes as it is, the game never showed in the
        # registry.
        os.environ.update(DBUS_SESSION_BUS_ADDRESS=buses.env["DBUS_SESSION_BUS_ADDRESS"],
                          QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
        for name in ("AT_SPI_BUS_ADDRESS", "DISPLAY"):
            os.environ.pop(name, None)

        game = e2e.Game(binary, work)
        if reader_after_start:
            buses.start_reader()  # the game sees the bus come and connects to it
        import pyatspi

        reader = Reader(pyatspi, game.game.pid)
        checks = Checks()
        check_controls(reader, game, checks)

        board = e2e.board_of(game.save("lue"))
        open_cell = next(c for c in grid.BOARD_ORDER if board[c][1] == "0")
        game.pick(open_cell, grid.allowed(board, open_cell))
        board = e2e.board_of(game.save("jouee"))
        check_cells(reader, game, board, checks)
        check_conflict(reader, game, board, checks)
        check_panel(reader, game, checks)
        if checks.failed:
            raise Failure("%d of the checks above failed" % checks.failed)
    finally:
        if game:
            game.close()
        if buses:
            buses.close()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("FAIL - stopped"))  # still cleans up
    try:
        e2e.use_layout(sys.argv[2])
        run(sys.argv[1], "--reader-after-start" in sys.argv[3:])
    except (Failure, subprocess.TimeoutExpired) as failure:
        print("FAIL - %s" % failure)
        sys.exit(1)
