#!/usr/bin/python3
"""The page's budget, measured side by side in one run in headless Chromium on this machine:
everything the site transfers, gzipped; navigation to a dealt board against a static page
that shows only the backdrop; a click on a cell to the open digit list.

Usage: bench/web.py [SITE_FOLDER]    (without one, tools/build-web.sh builds the site)
"""
import gzip
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

RUNS = int(os.environ.get("RUNS", "15"))
CLICKS = 20
BUDGET_KB, BUDGET_RATIO, BUDGET_CLICK_MS = 400, 1.3, 16

# The static page: the window's own stylesheets, hence its backdrop, shown, and nothing else.
# It is served beside the site, outside the offline copy's reach, as a plain static page would
# be.
BACKDROP_PAGE = """<!DOCTYPE html><html lang="fr"><head><meta charset="utf-8">
<link rel="stylesheet" href="site/window.css"><link rel="stylesheet" href="site/page.css">
</head><body><div id="frame"><div id="window"></div></div></body></html>"""


def window_page(site):
    """The game's page without the game: the same window, its controls and stylesheets, and
    no script, shown as the game shows it once it has started, beside the static page. What it
    costs beyond the static page is the window's."""
    with open(os.path.join(site, "index.html"), encoding="utf-8") as f:
        page = f.read()
    page = re.sub(r'<meta http-equiv="Content-Security-Policy"[^>]*>', '<base href="site/">', page)
    page = page.replace('<div id="frame" hidden>', '<div id="frame">')
    return re.sub(r'<script src="tessal.js"[^>]*></script>', "", page)


# The least any game could do in this window: the game's own site, whose script only writes 30
# digits and shows the window, as the game does once it has dealt, and keeps the offline copy.
# What it costs beyond the static page is the window's and the browser's, not the game's.
FLOOR_SCRIPT = """function show() {
  const cells = document.querySelectorAll('.cell');
  for (let i = 0; i < 30; i++)
    cells[2 * i].textContent = String(1 + i % 9);
  document.getElementById('frame').hidden = false;
  addEventListener('load', () => navigator.serviceWorker.register('offline.js'));
}
document.readyState == 'loading' ? document.addEventListener('DOMContentLoaded', show) : show();
"""


# Run in every page before its own scripts: the time at which the first frame that shows the
# backdrop, fetched, and, in the game's page, a board of 30 givens, starts to be drawn. The
# clock is read in the frame's callback: the frame's own time stamp is taken when the frame
# is asked for, and a page busy with its scripts has long passed it.
SHOWN = """window.tessalShown = new Promise((resolve) => {
  const backdrop = () => performance.getEntriesByType('resource').some(
      (e) => /background(@2x)?\\.jpg$/.test(e.name) && e.responseEnd > 0);
  const dealt = () => !location.pathname.endsWith('/site/') ||
      Array.from(document.querySelectorAll('.cell')).filter((c) => c.textContent).length == 30;
  const frame = () => backdrop() && dealt() ? resolve(performance.now())
                                             : requestAnimationFrame(frame);
  requestAnimationFrame(frame);
});"""

# A click on a cell: from the input event to the list moved beside it and laid out, and to
# the end of the next frame, which shows it.
CLICK = """const list = document.getElementById('List1');
window.tessalClicked = new Promise((resolve) => {
  let start = 0;
  document.addEventListener('click', (e) => { start = e.timeStamp; }, {capture: true, once: true});
  addEventListener('click', () => {
    list.getBoundingClientRect();
    const handled = performance.now() - start;
    requestAnimationFrame(() => {
      const after = new MessageChannel();
      after.port1.onmessage = () => resolve([handled, performance.now() - start]);
      after.port2.postMessage(0);
    });
  }, {once: true});
});"""


def site_sizes(site):
    sizes = []
    for name in sorted(os.listdir(site)):
        with open(os.path.join(site, name), "rb") as f:
            data = f.read()
        sizes.append((len(gzip.compress(data, 9)), len(data), name))
    return sizes


def browser(profile):
    options = webdriver.ChromeOptions()
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--window-size=1000,700",
                     "--user-data-dir=" + profile]:
        options.add_argument(argument)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def shown_after_navigation(driver, url):
    driver.get("about:blank")  # each load starts from a blank tab, not from the other page
    driver.get(url)
    return driver.execute_async_script("tessalShown.then(arguments[0])")


def main():
    if len(sys.argv) > 1:
        site = sys.argv[1]
    else:
        root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
        subprocess.run([os.path.join(root, "tools", "build-web.sh")], check=True,
                       stdout=subprocess.DEVNULL)
        site = os.path.join(root, "build-web", "site")

    sizes = site_sizes(site)
    total = sum(packed for packed, _, _ in sizes) / 1000
    print("Everything the site transfers, gzipped: %.1f KB (budget %d KB); the most:" %
          (total, BUDGET_KB))
    print("\n| file | bytes | gzipped |\n|---|---|---|")
    for packed, raw, name in sorted(sizes, reverse=True)[:5]:
        print("| %s | %d | %d |" % (name, raw, packed))

    work = tempfile.mkdtemp(prefix="tessal-bench-web-")
    served = os.path.join(work, "served")
    shutil.copytree(site, os.path.join(served, "site"))
    with open(os.path.join(served, "backdrop.html"), "w") as f:
        f.write(BACKDROP_PAGE)
    with open(os.path.join(served, "window.html"), "w", encoding="utf-8") as f:
        f.write(window_page(site))
    shutil.copytree(site, os.path.join(served, "floor", "site"))
    with open(os.path.join(served, "floor", "site", "tessal.js"), "w") as f:
        f.write(FLOOR_SCRIPT)
    server = subprocess.Popen([sys.executable, "-u", "-m", "http.server", "--bind", "127.0.0.1",
                               "--directory", served, "0"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    driver = None
    try:
        url = "http://127.0.0.1:%s/" % server.stdout.readline().split("port ")[1].split()[0]
        driver = browser(os.path.join(work, "profile"))
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": SHOWN})
        driver.execute_cdp_cmd("Network.enable", {})
        pages = (("static page, backdrop only", url + "backdrop.html"),
                 ("the same window, without the game's script", url + "window.html"),
                 ("the same site, 30 digits written by a script of 8 lines", url + "floor/site/"),
                 ("Tessal, a dealt board of 30 givens", url + "site/"))
        for visit, fresh in (("A first visit, every file fetched from the server", True),
                             ("A return visit, from the offline copy and the browser's caches",
                              False)):
            driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": fresh})
            driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": fresh})
            for _, address in pages * 2:  # warm the server, the disk and the caches
                shown_after_navigation(driver, address)
            times = {label: [] for label, _ in pages}
            for run in range(RUNS):  # side by side, each first in every other round
                for label, address in pages[::-1] if run % 2 else pages:
                    times[label].append(shown_after_navigation(driver, address))
            static, window, floor, game = (statistics.median(times[label]) for label, _ in pages)
            print("\n%s: navigation to the first frame that shows the page, %d runs each, side "
                  "by side:\n" % (visit, RUNS))
            print("| page | min ms | median ms | max ms |\n|---|---|---|---|")
            for label, _ in pages:
                print("| %s | %.1f | %.1f | %.1f |" % (label, min(times[label]),
                                                     statistics.median(times[label]),
                                                     max(times[label])))
            print("\nRatio Tessal / static page: %.2f (budget %.1f); the window alone / static "
                  "page: %.2f; the 8-line script / static page: %.2f" %
                  (game / static, BUDGET_RATIO, window / static, floor / static))

        shown_after_navigation(driver, pages[-1][1])  # whichever page the last round ended on
        handled, framed = [], []
        for _ in range(CLICKS):
            empty = driver.execute_script(
                "return Array.from(document.querySelectorAll('.cell')).find("
                "(c) => !c.textContent && c.getBoundingClientRect().left > 0).id")
            driver.execute_script(CLICK)
            driver.find_element(By.ID, empty).click()
            times = driver.execute_async_script("tessalClicked.then(arguments[0])")
            handled.append(times[0])
            framed.append(times[1])
        print("\nA click on an empty cell to the open digit list, %d clicks: handled and laid "
              "out in median %.2f ms, max %.2f ms (budget %d ms); drawn by the end of the next "
              "frame in median %.1f ms, max %.1f ms" %
              (CLICKS, statistics.median(handled), max(handled), BUDGET_CLICK_MS,
               statistics.median(framed), max(framed)))
    finally:
        if driver:
            driver.quit()
        server.kill()
        server.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
