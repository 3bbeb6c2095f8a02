#!/usr/bin/env python3
"""The real game under a real X server (Xvfb, no window manager), driven with real mouse and
keyboard events through xdotool; saved games checked byte for byte.

Usage: play_as_a_player.py PATH_TO_TESSAL PATH_TO_LAYOUT_JSON
"""
import contextlib
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from grid import BOARD_ORDER, allowed, fresh_deal_fault, units_of  # noqa: E402

STEP_TIMEOUT = 10.0

# The window's layout table as the build prints it (layout.json): places in twips, left, top,
# width, height, of the controls by name and of the cells by index.
TABLE = TWIPS_PER_PIXEL = PLACES = CELL_PLACES = LIST1_HEIGHT = None


def use_layout(path):
    global TABLE, TWIPS_PER_PIXEL, PLACES, CELL_PLACES, LIST1_HEIGHT
    with open(path, encoding="utf-8") as f:
        TABLE = table = json.load(f)
    TWIPS_PER_PIXEL = table["twipsPerPixel"]
    PLACES = {name: tuple(c["place"]) for name, c in table["controls"].items()}
    CELL_PLACES = {int(cell): tuple(place) for cell, place in table["cells"].items()}
    LIST1_HEIGHT = PLACES["List1"][3]
    return table


class Failure(Exception):
    pass


def cell_place(cell):
    return CELL_PLACES[cell]


@contextlib.contextmanager
def playing(binary, prefix, scale=1, colour_scheme=None):
    """The game started in a fresh folder of its own, closed and the folder removed after."""
    work = tempfile.mkdtemp(prefix=prefix)
    game = None
    try:
        game = Game(binary, work, scale, colour_scheme)
        yield game
    finally:
        if game:
            game.close()
        shutil.rmtree(work, ignore_errors=True)


class Game:
    def __init__(self, binary, work, scale=1, colour_scheme=None):
        self.work = work
        self.scale = scale
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", "1", "-screen", "0", "%dx%dx24" % (1024 * scale, 768 * scale), "-nolisten", "tcp"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        display = self.xvfb.stdout.readline().decode().strip()
        if not display:
            raise Failure("Xvfb did not start")
        self.env = dict(os.environ, DISPLAY=":" + display, HOME=work, QT_QPA_PLATFORM="xcb",
                        XDG_RUNTIME_DIR=work, LC_ALL="C.UTF-8")
        self.env["QT_SCALE_FACTOR"] = str(scale)
        if colour_scheme:  # the player's own colours, as Debian's qt6ct hands them to Qt
            config = os.path.join(work, ".config")
            os.makedirs(os.path.join(config, "qt6ct"), exist_ok=True)
            with open(os.path.join(config, "qt6ct", "qt6ct.conf"), "w") as f:
                f.write("[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/%s.conf\n"
                        "custom_palette=true\nstyle=Fusion\n" % colour_scheme)
            self.env.update(QT_QPA_PLATFORMTHEME="qt6ct", XDG_CONFIG_HOME=config)
        self.game = None
        try:
            self.game = subprocess.Popen([os.path.abspath(binary)], cwd=work, env=self.env,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.window = self.wait_for_window("^Tessal - ")
        except BaseException:
            self.close()
            raise
        geometry = self.xdo("getwindowgeometry", "--shell", self.window)
        self.origin = (int(re.search(r"X=(\d+)", geometry).group(1)),
                       int(re.search(r"Y=(\d+)", geometry).group(1)))
        time.sleep(0.3)

    def close(self):
        for process in (self.game, self.xvfb):
            if process is None:
                continue
            process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()

    def xdo(self, *args):
        result = subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True,
                                text=True, timeout=STEP_TIMEOUT)
        return result.stdout.strip()

    def windows(self, title):
        out = self.xdo("search", "--onlyvisible", "--name", title)
        return [w for w in out.split() if w]

    def wait_for_window(self, title, timeout=STEP_TIMEOUT):
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = self.windows(title)
            if found:
                return found[-1]
            if self.game.poll() is not None:
                raise Failure("the game exited with %s" % self.game.returncode)
            time.sleep(0.05)
        raise Failure("no window titled %r within %ss" % (title, timeout))

    def point(self, place, dx=0.5, dy=0.5):
        left, top, width, height = place
        return (self.origin[0] + self.scale * (left + width * dx) // TWIPS_PER_PIXEL,
                self.origin[1] + self.scale * (top + height * dy) // TWIPS_PER_PIXEL)

    def click_at(self, x, y):
        self.xdo("mousemove", int(x), int(y))
        time.sleep(0.05)
        self.xdo("click", 1)
        time.sleep(0.15)

    def click(self, name):
        self.click_at(*self.point(PLACES[name]))

    def pixel(self, x, y):
        out = subprocess.run(["import", "-window", "root", "-crop", "1x1+%d+%d" % (x, y),
                              "-depth", "8", "txt:-"], env=self.env, capture_output=True,
                             text=True, timeout=STEP_TIMEOUT).stdout
        match = re.search(r"\((\d+),(\d+),(\d+)", out.splitlines()[-1])
        return tuple(int(v) for v in match.groups())

    def pixels(self, place):
        """The colours of a control's pixels, inside a border of two."""
        left, top = self.point(place, 0, 0)
        right, bottom = self.point(place, 1, 1)
        out = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (
            right - left - 4, bottom - top - 4, left + 2, top + 2), "-depth", "8", "txt:-"],
            env=self.env, capture_output=True, text=True, timeout=STEP_TIMEOUT).stdout
        return [tuple(int(v) for v in m.groups())
                for m in re.finditer(r"\((\d+),(\d+),(\d+)", out)]

    def answer_input(self, text):
        dialog = self.wait_for_window("^Saisir le nom du fichier$")
        self.xdo("windowfocus", "--sync", dialog)
        if text:
            self.xdo("type", "--delay", "20", text)
        self.xdo("key", "Return")
        self.wait_gone(dialog)

    def wait_gone(self, window):
        deadline = time.time() + STEP_TIMEOUT
        while window in self.windows("."):
            if time.time() > deadline:
                raise Failure("window %s did not close" % window)
            time.sleep(0.05)

    def dismiss_messages(self):
        """Closes the game's message boxes one after the other; returns how many there were."""
        count = 0
        while True:
            try:
                box = self.wait_for_window("^Tessal$", timeout=1.5)
            except Failure:
                return count
            self.xdo("windowfocus", "--sync", box)
            self.xdo("key", "Return")
            self.wait_gone(box)
            count += 1

    def save(self, name):
        self.click("Command4")
        self.click("Command6")
        self.answer_input(name)
        path = os.path.join(self.work, "tessal%s.txt" % name)
        deadline = time.time() + STEP_TIMEOUT
        while not os.path.exists(path):
            if time.time() > deadline:
                raise Failure("no file %s" % path)
            time.sleep(0.05)
        with open(path, "rb") as f:
            return f.read()

    def pick(self, cell, digit):
        self.click_at(*self.point(cell_place(cell)))
        left, top, width, _ = cell_place(cell)
        list_left, list_top = left + width, top - LIST1_HEIGHT
        item_height = (LIST1_HEIGHT // TWIPS_PER_PIXEL - 2) / 9
        x = self.origin[0] + self.scale * (list_left // TWIPS_PER_PIXEL + 8)
        y = self.origin[1] + self.scale * (list_top // TWIPS_PER_PIXEL + 1 +
                                           item_height * (digit - 0.5))
        self.click_at(x, y)

    def drag_eraser_to(self, cell):
        start = self.point(PLACES["Image1"], 0.3, 0.3)
        end = self.point(cell_place(cell))
        self.xdo("mousemove", *start)
        self.xdo("mousedown", 1)
        for k in range(1, 11):
            self.xdo("mousemove", int(start[0] + (end[0] - start[0]) * k / 10),
                     int(start[1] + (end[1] - start[1]) * k / 10))
            time.sleep(0.03)
        time.sleep(0.2)
        self.xdo("mouseup", 1)
        time.sleep(0.3)


def contrast(one, other):
    def luminance(rgb):
        c = [v / 255 for v in rgb]
        c = [v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4 for v in c]
        return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2]
    a, b = sorted((luminance(one), luminance(other)))
    return (b + 0.05) / (a + 0.05)


def text_contrast(pixels):
    """How well the text of a control stands out of its face, the colour most of it shows."""
    face = max(set(pixels), key=pixels.count)
    return max(contrast(face, p) for p in pixels)


def board_of(data):
    lines = data.split(b"\r\n")
    if len(lines) != 82 or lines[-1] != b"":
        raise Failure("not 81 CR LF lines: %r" % data[:40])
    board = {}
    for cell, line in zip(BOARD_ORDER, lines):
        if not re.fullmatch(rb"[GJ][0-9]", line):
            raise Failure("bad line %r" % line)
        board[cell] = (chr(line[0]), chr(line[1]))
    return board


def check_fresh_deal(data):
    board = board_of(data)
    fault = fresh_deal_fault(board)
    if fault:
        raise Failure(fault)
    return board


def run(binary):
    with playing(binary, "tessal-e2e-") as game:
        check_fresh_deal(game.save("depart"))
        print("ok - a deal saved at once")

        game.click("Command2")
        board = check_fresh_deal(game.save("autre"))
        print("ok - Autre Jeu, then a save")

        open_cell = next(c for c in BOARD_ORDER if board[c][1] == "0")
        digit = allowed(board, open_cell)
        game.pick(open_cell, digit)
        x, y = game.point(cell_place(open_cell), 0.15, 0.15)
        if game.pixel(x, y) != (255, 255, 192):
            raise Failure("the entry cell shows %s" % (game.pixel(x, y),))
        if (0, 0, 0) not in game.pixels(cell_place(open_cell)):
            raise Failure("the player's digit is not in the platform's black")
        placed = board_of(game.save("place"))
        if placed[open_cell] != ("J", str(digit)):
            raise Failure("cell %d saved as %s" % (open_cell, placed[open_cell]))
        print("ok - a digit placed shows the entry colour and saves as J")

        given = next(c for c in BOARD_ORDER if board[c][1] != "0")
        target = next(c for c in units_of(given)[0] if board[c][1] == "0" and c != open_cell)
        game.pick(target, int(board[given][1]))
        if game.dismiss_messages() != 1:
            raise Failure("a box conflict did not show exactly one message")
        print("ok - a conflicting digit shows one message")

        game.drag_eraser_to(open_cell)
        erased = board_of(game.save("gomme"))
        if erased[open_cell] != ("J", "0"):
            raise Failure("the eraser left %s" % (erased[open_cell],))
        print("ok - the eraser dragged onto an entry")

        game.click("Command3")
        reset = board_of(game.save("reinit"))
        if reset != board:
            raise Failure("RE-INITIALISE did not give back the dealt puzzle")
        print("ok - RE-INITIALISE")

        # The keyboard alone from a given: Tab to an open cell (the list, put away, is no
        # stop), Space opens the list beside it, a digit picks at once, and a later arrow key
        # no longer reaches the list.
        given = next(c for c in BOARD_ORDER if board[c][1] != "0")
        target = next(c for c in BOARD_ORDER[BOARD_ORDER.index(given):] if board[c][1] == "0")
        game.click_at(*game.point(cell_place(given)))
        for _ in range(BOARD_ORDER.index(target) - BOARD_ORDER.index(given)):
            game.xdo("key", "Tab")
        digit = allowed(board, target)
        game.xdo("key", "space")
        game.xdo("key", str(digit))
        game.xdo("key", "Down")
        typed = board_of(game.save("clavier"))
        if typed[target] != ("J", str(digit)):
            raise Failure("the keyboard left cell %d as %s" % (target, typed[target]))
        game.click("Command3")
        print("ok - a cell played with the keyboard alone")

        # A crafted game with two 5s in the first row, resumed and saved again unchanged.
        crafted = {c: "G0" for c in BOARD_ORDER}
        crafted.update({11: "G5", 21: "J5", 2: "J7", 89: "G9"})
        crafted_bytes = b"".join((crafted[c] + "\r\n").encode() for c in BOARD_ORDER)
        with open(os.path.join(game.work, "tessalaaa.txt"), "wb") as f:
            f.write(crafted_bytes)
        game.click("Command5")
        game.click_at(*game.point(PLACES["List2"], 0.5, 0.05))
        time.sleep(0.2)
        if game.save("copie") != crafted_bytes:
            raise Failure("the resumed game saved under another name differs")
        print("ok - a crafted game resumed and saved again, byte for byte")

        game.pick(1, 5)
        if game.dismiss_messages() != 2:
            raise Failure("two 5s in the row did not show two messages")
        print("ok - two conflicts in one row show two messages")


def run_dark(binary):
    """The same window under a dark colour scheme: every text still reads on its colour."""
    with playing(binary, "tessal-e2e-dark-", colour_scheme="darker") as game:
        board = check_fresh_deal(game.save("sombre"))
        open_cell = next(c for c in BOARD_ORDER if board[c][1] == "0")
        game.pick(open_cell, allowed(board, open_cell))
        for name, place in [("the player's digit", cell_place(open_cell))] + [
                (button, PLACES[button]) for button in ("Command2", "Command3", "Command4",
                                                        "Command5")]:
            if text_contrast(game.pixels(place)) < 4.5:
                raise Failure("%s does not read under a dark scheme" % name)
        given = game.pixels(cell_place(next(c for c in BOARD_ORDER if board[c][1] != "0")))
        if (0x42, 0x42, 0x45) not in given or (255, 255, 255) not in given:
            raise Failure("a given left the scheme's own button colours")
        print("ok - every text reads under a dark colour scheme")


if __name__ == "__main__":
    try:
        use_layout(sys.argv[2])
        run(sys.argv[1])
        run_dark(sys.argv[1])
    except (Failure, subprocess.TimeoutExpired) as failure:
        print("FAIL - %s" % failure)
        sys.exit(1)
