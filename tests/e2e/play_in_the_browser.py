#!/usr/bin/python3
"""The game's page in real headless Chromium (Debian's chromium and chromedriver, through
Selenium), served from a copy of the built site on a port of its own. The mouse, a finger and
the keyboard go through the browser's own input events; saved games are checked byte for byte.

Usage: play_in_the_browser.py SITE_FOLDER
"""
import contextlib
import os
import re
import subprocess
import sys
import shutil
import tempfile
import time

from selenium import webdriver
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from grid import BOARD_ORDER, allowed, column_of, fresh_deal_fault, row_of, units_of  # noqa: E402

STEP_TIMEOUT = 10
TWIPS_PER_PIXEL = 15
ENTRY_COLOUR = "rgb(255, 255, 192)"


class Failure(Exception):
    pass


def saved_bytes(board):
    return b"".join((colour + digit + "\r\n").encode() for colour, digit in
                    (board[c] for c in BOARD_ORDER))


@contextlib.contextmanager
def serving(site):
    """python3 -m http.server on a free port of its own, stopped on the way out."""
    server = subprocess.Popen([sys.executable, "-u", "-m", "http.server", "--bind", "127.0.0.1",
                               "--directory", site, "0"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    try:
        port = re.search(r"port (\d+)", server.stdout.readline()).group(1)
        yield server, "http://127.0.0.1:%s/" % port
    finally:
        server.kill()
        server.wait()


@contextlib.contextmanager
def browser(profile):
    options = webdriver.ChromeOptions()
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--window-size=1000,700",
                     "--user-data-dir=" + profile]:
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    # A player downloads one game after another: no question asked after the first.
    options.add_experimental_option("prefs", {
        "profile.default_content_setting_values.automatic_downloads": 1})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        yield driver
    finally:
        driver.quit()


class Page:
    def __init__(self, driver, url, downloads):
        self.driver, self.url, self.downloads = driver, url, downloads

    def wait(self, what, condition):
        try:
            return WebDriverWait(self.driver, STEP_TIMEOUT).until(lambda _: condition())
        except TimeoutException:
            raise Failure("waited in vain for " + what) from None

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def open(self):
        self.driver.get(self.url)
        self.wait("a dealt board", lambda: self.js(
            "return document.querySelectorAll('.cell').length == 81 && "
            "Array.from(document.querySelectorAll('.cell')).some(c => c.textContent)"))
        return self.board()

    def element(self, name):
        return self.driver.find_element(By.ID, name)

    def cell(self, cell):
        return self.element("Command1_%d" % cell)

    def board(self):
        """Each cell as a saved game writes it: G or J, then its digit or 0."""
        cells = self.js("return Array.from(document.querySelectorAll('.cell'), c => "
                        "[Number(c.dataset.cell), c.textContent, getComputedStyle(c).backgroundColor])")
        return {cell: ("J" if colour == ENTRY_COLOUR else "G", text or "0")
                for cell, text, colour in cells}

    def shown(self, name):
        return self.js("return !document.getElementById(arguments[0]).hidden", name)

    def read_aloud(self, name):
        """Whether a screen reader meets the element."""
        cdp = self.driver.execute_cdp_cmd
        document = cdp("DOM.getDocument", {})["root"]["nodeId"]
        node = cdp("DOM.querySelector", {"nodeId": document, "selector": "#" + name})
        tree = cdp("Accessibility.getPartialAXTree", {**node, "fetchRelatives": False})
        return not tree["nodes"][0].get("ignored")

    def list_left(self):
        return self.js("return document.getElementById('List1').style.left")

    def list_open(self):
        self.wait("the digit list", lambda: self.list_left() not in ("", "-20px"))
        return self.list_left()

    def box(self):
        """The open box: its role, title, icon, text and buttons."""
        self.wait("a box", lambda: self.js("return !!document.querySelector('dialog[open]')"))
        return self.js("""const box = document.querySelector('dialog[open]');
            const icon = box.querySelector('img');
            return {role: box.getAttribute('role'), title: box.querySelector('h2').textContent,
                    icon: icon ? icon.getAttribute('src') : '',
                    text: box.querySelector('#box-text').textContent,
                    buttons: Array.from(box.querySelectorAll('button'), b => b.textContent)};""")

    def answer(self, button, typed=None):
        box = self.driver.find_element(By.CSS_SELECTOR, "dialog[open]")
        if typed is not None:
            box.find_element(By.TAG_NAME, "input").send_keys(typed)
        self.js("arguments[0].dataset.answered = 1", box)  # the next box may open at once
        box.find_element(By.XPATH, ".//button[text()='%s']" % button).click()
        self.wait("the box to close", lambda: not self.js(
            "return !!document.querySelector('dialog[open][data-answered]')"))

    def pick(self, cell, digit):
        self.cell(cell).click()
        self.list_open()
        self.driver.find_element(By.ID, "List1-%d" % (int(digit) - 1)).click()

    def drag_eraser(self, cell, finger=False):
        if finger:
            actions = ActionBuilder(self.driver,
                                    mouse=PointerInput(interaction.POINTER_TOUCH, "finger"))
            actions.pointer_action.move_to(self.element("Image1")).pointer_down()
            actions.pointer_action.move_to(self.cell(cell)).pointer_up()
            actions.perform()
        else:
            ActionChains(self.driver).move_to_element(self.element("Image1")).click_and_hold() \
                .move_to_element(self.cell(cell)).release().perform()

    def press_at(self, x, y):
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(x, y).click()
        actions.perform()

    def ask_name(self, double_click=False):
        """The name box that "Enregistre" opens in the file panel."""
        self.element("Command4").click()
        self.wait("the file panel", lambda: self.shown("Command6"))
        if double_click:
            ActionChains(self.driver).double_click(self.element("Command6")).perform()
        else:
            self.element("Command6").click()
        return self.box()

    def save(self, name):
        """Saves as a player who double-clicks "Enregistre": one name is asked, once."""
        box = self.ask_name(double_click=True)
        if box["title"] != "Saisir le nom du fichier" or box["text"] != "Nom du fichier ?" or \
                box["buttons"] != ["OK", "Annuler"]:
            raise Failure("the name box reads %s" % box)
        self.answer("OK", name)
        self.wait("the panel to close", lambda: not self.shown("Dir1"))
        time.sleep(0.3)
        if self.js("return !!document.querySelector('dialog[open]')"):
            raise Failure("the second click asked for a second name")

    def saved_games(self):
        return self.js("return Array.from(document.getElementById('List2').children, "
                       "o => o.textContent)")

    def offered(self):
        """The saved games offered outside the window: game name -> file name."""
        return dict(self.js("return Array.from(document.querySelectorAll('#saved-games a'), "
                            "a => [a.textContent, a.download])"))

    def download(self, name):
        """The bytes of a saved game, downloaded as the player would from its link. The
        browser may change a file name that holds characters such as "<"."""
        os.makedirs(self.downloads, exist_ok=True)
        for earlier in os.listdir(self.downloads):
            os.remove(os.path.join(self.downloads, earlier))
        self.driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": self.downloads})
        self.driver.find_element(By.XPATH, "//*[@id='saved-games']//a[text()='%s']" % name).click()
        def done():
            files = os.listdir(self.downloads)
            return len(files) == 1 and not files[0].endswith(".crdownload") and \
                os.path.getsize(os.path.join(self.downloads, files[0])) > 0 and files[0]
        with open(os.path.join(self.downloads, self.wait("the download of " + name, done)),
                  "rb") as f:
            return f.read()

    def drop(self, file_name, data):
        """Drops a file of the given bytes, or of that many zero bytes."""
        self.js("""const files = new DataTransfer();
            files.items.add(new File([new Uint8Array(arguments[1])], arguments[0]));
            document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: files,
                                                                bubbles: true}));""",
                file_name, list(data) if isinstance(data, bytes) else data)


def check_fresh_deal(board):
    fault = fresh_deal_fault(board)
    if fault:
        raise Failure(fault)


def run(built, work):
    # The site as a host keeps one it has served for days: the browser's cache then takes its
    # files for fresh, and a new build must still reach the offline copy.
    site = os.path.join(work, "site")
    shutil.copytree(built, site)
    days_ago = time.time() - 10 * 24 * 3600
    for name in os.listdir(site):
        os.utime(os.path.join(site, name), (days_ago, days_ago))
    with serving(site) as (server, url), browser(os.path.join(work, "profile")) as driver:
        page = Page(driver, url, os.path.join(work, "downloads"))
        board = page.open()
        check_fresh_deal(board)
        if page.js("return document.title") != "Tessal - par l'équipe Tessal":
            raise Failure("the page's title reads %r" % page.js("return document.title"))
        print("ok - a fresh deal shows 30 givens, three or four to a box")

        open_cell = next(c for c in BOARD_ORDER if board[c][1] == "0")
        digit = str(allowed(board, open_cell))
        page.cell(open_cell).click()
        left = page.list_open()
        if left != "%gpx" % ((1800 + 480 * column_of(open_cell) + 120 * (column_of(open_cell) // 3)
                              + 495) / TWIPS_PER_PIXEL):
            raise Failure("the digit list opened at %s beside cell %d" % (left, open_cell))
        read_open = page.read_aloud("List1")
        page.driver.find_element(By.ID, "List1-%d" % (int(digit) - 1)).click()
        board = page.board()
        if board[open_cell] != ("J", digit) or page.list_left() != "-20px" or \
                (read_open, page.read_aloud("List1")) != (True, False):
            raise Failure("cell %d shows %s; the list, open then put away, is read: %s, %s" %
                          (open_cell, board[open_cell], read_open, page.read_aloud("List1")))
        description = page.cell(open_cell).get_attribute("aria-description")
        if not description.endswith(", chiffre du joueur"):
            raise Failure("cell %d is described as %r" % (open_cell, description))
        page.press_at(*page.js("const r = document.getElementById('window')"
                               ".getBoundingClientRect(); return [r.right - 8, r.top + 8]"))
        if page.js("return document.activeElement.id") != "Command1_%d" % open_cell:
            raise Failure("a press on the bare window took the keyboard away")
        print("ok - a click and a digit write it on the entry colour; a press on the bare "
              "window leaves the keyboard on the cell")

        given = next(c for c in BOARD_ORDER if board[c][0] == "G" and board[c][1] != "0")
        target = next(c for c in units_of(given)[0] if board[c][1] == "0")
        page.pick(target, board[given][1])
        box = page.box()
        if box != {"role": "alertdialog", "title": "Tessal", "icon": "critical.svg",
                   "text": "Déjà mis dans le carré!", "buttons": ["OK"]}:
            raise Failure("a conflict in the box shows %s" % box)
        page.press_at(4, 4)  # beside the box: Enter still answers it
        ActionChains(driver).send_keys(Keys.ENTER).perform()
        page.wait("the box to close", lambda: not page.js(
            "return !!document.querySelector('dialog[open]')"))
        if page.board()[target] != ("G", "0") or \
                page.js("return document.activeElement.id") != "Command1_%d" % target:
            raise Failure("the refused digit was written, or the keyboard left the cell")
        print("ok - a conflict shows its exact box, and the keyboard comes back to the cell")

        page.drag_eraser(open_cell)
        page.drag_eraser(given)
        board = page.board()
        if board[open_cell] != ("J", "0") or board[given][1] == "0":
            raise Failure("the mouse's eraser left %s and %s" % (board[open_cell], board[given]))
        page.pick(open_cell, digit)
        page.drag_eraser(open_cell, finger=True)
        if page.board()[open_cell] != ("J", "0"):
            raise Failure("the finger's eraser left %s" % (page.board()[open_cell],))
        print("ok - the eraser, dragged with the mouse and with a finger, takes a digit back "
              "and leaves a given")

        # The keyboard alone: Tab goes from cell 1 to cell 2, the list put away being no stop;
        # the arrows walk to an open cell, Enter opens the list, a digit picks, Delete takes it
        # back; Tab out of the open list puts it away and goes on.
        page.js("document.getElementById('Command1_1').focus()")
        ActionChains(driver).send_keys(Keys.TAB).perform()
        if page.js("return document.activeElement.id") != "Command1_2":
            raise Failure("Tab from cell 1 reaches %s" % page.js("return document.activeElement.id"))
        board = page.board()
        target = next(c for c in BOARD_ORDER if board[c][1] == "0" and row_of(c) > 0
                      and column_of(c) > 0)
        keys = [Keys.ARROW_DOWN] * row_of(target) + [Keys.ARROW_RIGHT] * (column_of(target) - 1)
        ActionChains(driver).send_keys(*keys).perform()
        if page.js("return document.activeElement.id") != "Command1_%d" % target:
            raise Failure("the arrows reached %s" % page.js("return document.activeElement.id"))
        digit = str(allowed(board, target))
        ActionChains(driver).send_keys(Keys.ENTER, digit).perform()
        if page.board()[target] != ("J", digit):
            raise Failure("the keyboard left cell %d as %s" % (target, page.board()[target]))
        ActionChains(driver).send_keys(Keys.DELETE, Keys.ENTER, Keys.TAB).perform()
        if page.board()[target] != ("J", "0") or page.list_left() != "-20px" or \
                page.js("return document.activeElement.id") != "Command1_2":
            raise Failure("Delete then Tab out of the list left cell %d as %s, the list at %s" %
                          (target, page.board()[target], page.list_left()))
        print("ok - Tab, the arrows, Enter, a digit, Delete and Tab out of the list play a cell")

        page.pick(target, digit)
        page.element("Command4").click()
        page.wait("the file panel", lambda: page.shown("Dir1"))
        folders = page.js("return Array.from(document.getElementById('Dir1').children, "
                          "o => o.textContent)")
        if page.element("Label1").text != "/parties" or folders != ["parties"]:
            raise Failure("the panel shows %r over %s" % (page.element("Label1").text, folders))
        name = "été à Noël"
        page.save(name)
        if not page.js("return document.activeElement.closest('#window')"):
            raise Failure("the keyboard went to %s" % page.js("return document.activeElement.id"))
        played = saved_bytes(page.board())
        if page.offered().get(name) != "tessal%s.txt" % name or page.download(name) != played:
            raise Failure("the save is offered as %s" % page.offered().get(name))
        print("ok - a save under a name with accents, offered as the same bytes")

        # A browser that will not keep a save: the box says so, and the lists show what it
        # keeps, the earlier save of that name, and nothing of a new one.
        page.js("window.writable = IDBDatabase.prototype.transaction;"
                "IDBDatabase.prototype.transaction = function (names, mode, ...rest) {"
                "  if (mode == 'readwrite') throw new DOMException('', 'QuotaExceededError');"
                "  return writable.call(this, names, mode, ...rest); };")
        page.element("Command2").click()
        for refused in (name, "refusée"):
            page.ask_name()
            page.answer("OK", refused)
            if "(QuotaExceededError)" not in page.box()["text"]:
                raise Failure("a save the browser refused reads %s" % page.box())
            page.answer("OK")
        page.element("Command5").click()
        page.wait("the saved games", lambda: page.saved_games() == [name])
        if list(page.offered()) != [name] or page.download(name) != played:
            raise Failure("after refused saves, %s are offered" % page.offered())
        # While this tab's saves are refused, another tab's save comes in, and goes again.
        for change in ("put({timestamp: new Date(), mode: 0o100644, contents: new Uint8Array()}, "
                       "'/parties/tessalailleurs.txt')", "delete('/parties/tessalailleurs.txt')"):
            driver.execute_async_script(
                "const done = arguments[0], opening = indexedDB.open('/parties');"
                "opening.onsuccess = () => { const files = writable.call(opening.result, "
                "['FILE_DATA'], 'readwrite'); files.objectStore('FILE_DATA')." + change + ";"
                "files.oncomplete = () => { new BroadcastChannel('tessal-saved-games')"
                ".postMessage(''); done(); }; };")
            page.wait("another tab's change", lambda: ("ailleurs" in page.offered()) ==
                      change.startswith("put"))
        page.open()
        print("ok - a save the browser refuses is told, and takes nothing in its place")

        # While the first tab asks for a name, a second one beside it saves a game: once the
        # first tab saves too, neither save is lost, and the second offers both at once. The
        # first tab's store is closed under it meanwhile, as when the site's data is cleared.
        page.ask_name()
        page.js("IDBFS.dbs['/parties'].close()")
        first = driver.current_window_handle
        driver.switch_to.new_window("window")
        later = Page(driver, url, page.downloads)
        later.open()
        later.save("autre onglet")
        second = driver.current_window_handle
        driver.switch_to.window(first)
        page.answer("OK", "premier")
        page.wait("the save", lambda: not page.shown("Dir1"))
        driver.switch_to.window(second)
        later.wait("the first tab's save offered", lambda: "premier" in later.offered())
        driver.close()
        driver.switch_to.window(first)

        page.open()
        page.element("Command5").click()
        games = ["autre onglet", name, "premier"]
        page.wait("the saved games %s" % games, lambda: page.saved_games() == games)
        driver.find_element(By.XPATH, "//*[@id='List2']/*[text()='%s']" % name).click()
        page.wait("the resume", lambda: not page.shown("List2"))
        if saved_bytes(page.board()) != played:
            raise Failure("the resumed board differs from the one saved")
        print("ok - two tabs' saves both kept; a reload and a resume give back the same board")

        crafted = {c: ("G", "0") for c in BOARD_ORDER}
        crafted.update({11: ("G", "5"), 21: ("J", "5"), 2: ("J", "7"), 89: ("G", "9")})
        dropped_name = "tessal<b>déposée.txt"
        page.element("Command5").click()
        page.wait("the saved games", lambda: page.saved_games() == games)
        page.drop(dropped_name, saved_bytes(crafted))
        page.wait("the dropped game", lambda: "<b>déposée" in page.offered())
        if page.offered()["<b>déposée"] != dropped_name or \
                page.download("<b>déposée") != saved_bytes(crafted) or \
                page.js("return document.querySelector('#saved-games b, #List2 b')"):
            raise Failure("the dropped game is offered as %s" % page.offered()["<b>déposée"])
        page.driver.find_element(By.ID, "List2-0").click()
        page.wait("the resume", lambda: not page.shown("List2"))
        if saved_bytes(page.board()) != saved_bytes(crafted):
            raise Failure("the dropped game resumes as another board")
        page.drop("tessalmauvaise.txt", b"G1\r\nnot a saved game\r\n")
        box = page.box()
        if box["icon"] != "critical.svg" or "« \u2068tessalmauvaise.txt\u2069 »" not in box["text"]:
            raise Failure("an unsound file dropped shows %s" % box)
        page.answer("OK")
        if "mauvaise" in page.offered():
            raise Failure("an unsound file dropped was kept")
        heap = page.js("return HEAPU8.length")
        page.drop("tessalfilm.txt", 64 << 20)
        if "tessalfilm.txt" not in page.box()["text"]:
            raise Failure("a 64 MiB file dropped shows %s" % page.box())
        page.answer("OK")
        if page.js("return HEAPU8.length") != heap:
            raise Failure("a 64 MiB file dropped was read whole")
        print("ok - a dropped file is added as it is, a bad one refused")

        page.wait("the offline copy", lambda: driver.execute_async_script(
            "navigator.serviceWorker.ready.then(() => arguments[0]("
            "!!navigator.serviceWorker.controller))"))
        with open(os.path.join(site, "page.css"), "a") as f:
            f.write("body { --build: 2; }\n")
        with open(os.path.join(site, "offline.js")) as f:
            worker = f.read()
        with open(os.path.join(site, "offline.js"), "w") as f:
            f.write(re.sub(r"'tessal-(\w+)'", r"'tessal-\1b'", worker, count=1))
        # Another page of the same site keeps its own cache.
        driver.execute_async_script("caches.open('autre-page').then(() => arguments[0]())")
        page.open()
        page.wait("the new build's offline copy", lambda: driver.execute_async_script(
            "caches.keys().then((names) => arguments[0](names.sort().join() == "
            "'autre-page,' + names.find((name) => /^tessal-\\w+b$/.test(name))))"))
        page.open()
        # The board is dealt as soon as the markup is read, maybe before the stylesheets are in.
        page.wait("the new build's stylesheet", lambda: page.js(
            "return document.readyState == 'complete' && "
            "getComputedStyle(document.body).getPropertyValue('--build').trim() == '2'"))
        print("ok - a new build of the site replaces the offline copy with its own files")
        server.kill()
        server.wait()
        saved = {"autre onglet", "premier", name, "<b>déposée"}
        check_fresh_deal(page.open())
        page.wait("the saved games offline", lambda: set(page.offered()) == saved)
        # Served by the browser from the kept files, without starting the worker.
        route = page.js("return performance.getEntriesByType('navigation')[0]"
                        ".workerMatchedSourceType")
        if route not in (None, "cache"):
            raise Failure("the kept page was not served by the offline copy's route: %r" % route)
        print("ok - the page reloads and deals with the server gone")

        errors = [entry["message"] for entry in driver.get_log("browser")
                  if entry["level"] == "SEVERE" and "ERR_CONNECTION_REFUSED" not in entry["message"]]
        if errors:
            raise Failure("the console holds errors: %s" % errors)
        print("ok - no error in the console, no refusal of the content security policy")

    with browser(os.path.join(work, "profile")) as driver:
        page = Page(driver, url, os.path.join(work, "downloads"))
        check_fresh_deal(page.open())
        page.wait("the saved games after a restart", lambda: set(page.offered()) == saved)
        print("ok - the browser started again, offline, deals and keeps every saved game")

        longest = "é" * 119  # a file name of 248 bytes
        page.save(longest)
        offered = page.offered()[longest]
        if len(offered.encode()) > 238 or page.download(longest) != saved_bytes(page.board()):
            raise Failure("the longest name is offered as %r" % offered)
        print("ok - a game under a name as long as may be downloads, its name cut to fit")


if __name__ == "__main__":
    work = tempfile.mkdtemp(prefix="tessal-browser-")
    try:
        run(sys.argv[1], work)
    except Failure as failure:
        print("not ok - %s" % failure)
        sys.exit(1)
    finally:
        shutil.rmtree(work, ignore_errors=True)
