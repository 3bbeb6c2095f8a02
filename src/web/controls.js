// What the desktop's widgets do by themselves, done for the page's elements: a press and a
// click on a cell, the keys on a cell, the list boxes' choices, the eraser's drag, files
// dropped from the desktop, and the window scaled to fit the page. Each event ends in the
// window's handler of the same name, or in the window's routine for what a desktop widget
// does alone (stepFocus, Dir1_Open, addDroppedFile, offerSavedGames).

// Wired once the game has started (start.js), the WebAssembly compiled and the first game
// dealt.
function tessalControls() {
  'use strict';
  const root = document.getElementById('window');
  const frame = document.getElementById('frame');

  // Handlers run one at a time, in the order of their events: one that waits inside a box or
  // for the browser's store holds the later ones back until it is done, as a desktop window
  // holds its events while a handler runs. A box also makes the rest of the page inert, and
  // the window's events still waiting when it opens are dropped: on the desktop they would
  // have reached the box, which turns them away (the second click of a double-click on
  // "Enregistre" asks for no second name).
  let waiting = [];
  let running = false;
  function run(handler, fromWindow = false) {
    waiting.push({handler, fromWindow});
    if (!running)
      runWaiting();
  }
  // A handler that fails, its error in the console, does not hold back those after it.
  async function runWaiting() {
    running = true;
    try {
      while (waiting.length)
        await waiting.shift().handler();
    } finally {
      running = false;
    }
  }
  document.addEventListener(tessalBoxEvents.shown, () => {
    waiting = waiting.filter((event) => !event.fromWindow);
  });
  function handler(name, ...args) {
    return () => ccall(name, null, args.map(() => 'number'), args, {async: true});
  }
  function handle(name, ...args) {
    run(handler(name, ...args), true);
  }

  function cellOf(target) {
    const cell = target.closest && target.closest('.cell');
    return cell ? Number(cell.dataset.cell) : 0;
  }
  // The lines are drawn on the window itself: a click on them is a click on the window.
  function bare(target) {
    return target == root || target.classList.contains('line');
  }

  // A press on what takes no keyboard (the bare window, a line, the label, the eraser) leaves
  // the keyboard where it was, as on the desktop, rather than with the page.
  root.addEventListener('mousedown', (event) => {
    if (!event.target.closest('button, select, [tabindex]'))
      event.preventDefault();
  });
  let pressedOnWindow = false;
  root.addEventListener('pointerdown', (event) => {
    const cell = cellOf(event.target);
    if (cell)
      handle('Command1_MouseDown', cell);
    pressedOnWindow = bare(event.target);
    if (event.target.id == 'Image1')
      dragEraser(event);
  });
  root.addEventListener('pointerup', (event) => {
    if (pressedOnWindow && bare(event.target))
      handle('Form_Click');
    pressedOnWindow = false;
  });
  root.addEventListener('click', (event) => {
    const cell = cellOf(event.target);
    const command = event.target.closest('button.command');
    const option = event.target.closest('[role=option]');
    if (cell)
      handle('Command1_Click', cell);
    else if (command)
      handle(command.id + '_Click');
    else if (option)
      pick(option.parentElement, rowOf(option), event.type);
  });
  root.addEventListener('dblclick', (event) => {
    const option = event.target.closest('[role=option]');
    if (option)
      pick(option.parentElement, rowOf(option), event.type);
  });
  root.addEventListener('change', (event) => {
    if (event.target.id == 'Drive1')
      handle('Drive1_Change');
  });
  root.addEventListener('contextmenu', (event) => event.preventDefault());
  root.addEventListener('keydown', (event) => {
    const cell = cellOf(event.target);
    if (cell)
      cellKey(event, cell);
    else if (event.target.getAttribute('role') == 'listbox')
      listKey(event, event.target);
  });
  // Tab or Shift+Tab out of the open digit list puts it away, as a click on the bare window
  // does, and the keyboard goes on to the next stop or the one before.
  let tabbing = false;
  root.addEventListener('keydown', (event) => {
    tabbing = event.key == 'Tab';
  }, {capture: true});
  for (const end of ['keyup', 'pointerdown'])
    root.addEventListener(end, () => { tabbing = false; }, {capture: true});
  root.addEventListener('focusout', (event) => {
    if (tabbing && event.target.id == 'List1')
      handle('Form_Click');
  });

  // Space presses a cell and its release clicks it, as the button does; Enter does both at
  // once; Delete or Backspace erases as the eraser does; the arrows move across the grid.
  const steps = {ArrowUp: [-1, 0], ArrowDown: [1, 0], ArrowLeft: [0, -1], ArrowRight: [0, 1]};
  function cellKey(event, cell) {
    if (event.key == ' ') {
      if (!event.repeat)
        handle('Command1_MouseDown', cell);
      return;
    }
    if (event.key == 'Enter') {
      event.preventDefault();
      if (!event.repeat) {
        handle('Command1_MouseDown', cell);
        handle('Command1_Click', cell);
      }
    } else if (event.key == 'Delete' || event.key == 'Backspace') {
      event.preventDefault();
      handle('Command1_DragDrop', cell, 1);
    } else if (steps[event.key]) {
      event.preventDefault();
      handle('stepFocus', cell, ...steps[event.key]);
    }
  }

  // The list boxes. The digits and the saved games report every choice: a click, even on the
  // item chosen already, a move of the keyboard, Enter or Space, a key an item starts with.
  // Ctrl with a move walks without choosing; with nothing chosen yet, the first Down chooses
  // the first item and Up the last; Escape turns the digits down. The folder list only
  // highlights, also the folder a typed key starts, and opens a folder on a double-click or
  // Enter.
  const lists = {
    List1: {choose: () => handle('List1_Click'), dismiss: () => handle('Form_Click')},
    List2: {choose: () => handle('List2_Click')},
    Dir1: {open: (row) => handle('Dir1_Open', row)},
  };
  function rowOf(option) {
    return Array.prototype.indexOf.call(option.parentElement.children, option);
  }
  function chosenRow(list) {
    return Array.prototype.findIndex.call(list.children,
                                          (o) => o.getAttribute('aria-selected') == 'true');
  }
  function currentRow(list) {
    const current = list.querySelector('.current');
    return current ? rowOf(current) : chosenRow(list);
  }
  function mark(list, row, choose) {
    tessalMarkOption(list, row, choose);
    // The list scrolls to show the item; the page and the window stay where they are.
    const option = list.children[row];
    if (option.offsetTop < list.scrollTop)
      list.scrollTop = option.offsetTop;
    else if (option.offsetTop + option.offsetHeight > list.scrollTop + list.clientHeight)
      list.scrollTop = option.offsetTop + option.offsetHeight - list.clientHeight;
  }
  function pick(list, row, how) {
    const behaviour = lists[list.id];
    if (!behaviour)
      return;
    if (behaviour.open) {
      mark(list, row, true);
      if (how == 'dblclick' || how == 'Enter')
        behaviour.open(row);
      return;
    }
    if (how != 'dblclick') {
      mark(list, row, true);
      behaviour.choose();
    }
  }
  function listKey(event, list) {
    const behaviour = lists[list.id];
    const count = list.children.length, row = currentRow(list);
    if (event.key == 'Escape') {
      if (behaviour.dismiss)
        behaviour.dismiss();
      return;
    }
    if (count == 0)
      return;
    const moves = {ArrowDown: Math.min(row + 1, count - 1), ArrowUp: Math.max(row - 1, 0),
                   Home: 0, End: count - 1};
    const to = moves[event.key];
    if (to !== undefined) {
      event.preventDefault();
      if (behaviour.open)
        pick(list, to, event.key);
      else if (event.ctrlKey)
        mark(list, to, false);
      else if (chosenRow(list) < 0 && (event.key == 'ArrowDown' || event.key == 'ArrowUp'))
        pick(list, event.key == 'ArrowDown' ? 0 : count - 1, event.key);
      else if (to != row)
        pick(list, to, event.key);
      return;
    }
    if (event.key == 'Enter' || event.key == ' ') {
      event.preventDefault();
      if (!event.repeat && row >= 0)
        pick(list, row, event.key == ' ' && behaviour.open ? 'key' : 'Enter');
      return;
    }
    if (event.key.length == 1 && event.key.trim() && !event.ctrlKey && !event.altKey &&
        !event.metaKey) {
      event.preventDefault();
      const typed = event.key.toLowerCase();
      for (let step = 1; step <= count; ++step) {
        const k = (row + step) % count;
        if (list.children[k].textContent.toLowerCase().startsWith(typed))
          return pick(list, k, 'key');
      }
    }
  }

  // The eraser follows the pointer, mouse or finger, until it is let go; let go over a cell,
  // it is dropped there. The picture itself never moves.
  function dragEraser(event) {
    event.preventDefault();
    const eraser = event.target;
    eraser.setPointerCapture(event.pointerId);
    const dragged = eraser.cloneNode();
    dragged.removeAttribute('id');
    dragged.alt = '';
    dragged.className = 'dragged';
    document.body.append(dragged);
    const follow = (at) => {
      dragged.style.left = at.clientX - dragged.width / 2 + 'px';
      dragged.style.top = at.clientY - dragged.height / 2 + 'px';
    };
    const end = (at) => {
      eraser.removeEventListener('pointermove', follow);
      eraser.removeEventListener('pointerup', end);
      eraser.removeEventListener('pointercancel', end);
      dragged.remove();
      const under = at.type == 'pointerup' && document.elementFromPoint(at.clientX, at.clientY);
      const cell = under ? cellOf(under) : 0;
      if (cell)
        handle('Command1_DragDrop', cell, 1);
    };
    follow(event);
    eraser.addEventListener('pointermove', follow);
    eraser.addEventListener('pointerup', end);
    eraser.addEventListener('pointercancel', end);
  }

  // A saved-game file dropped anywhere on the page, from the desktop or a download.
  document.addEventListener('dragover', (event) => {
    if (event.dataTransfer.types.includes('Files')) {
      event.preventDefault();
      event.dataTransfer.dropEffect = 'copy';
    }
  });
  document.addEventListener('drop', async (event) => {
    if (!event.dataTransfer.types.includes('Files'))
      return;
    event.preventDefault();
    // No more is read than the file panel looks at: a film dropped by mistake is refused at
    // once, and a file that cannot be read at all as a file of nothing.
    const enough = _droppedFileReadLimit();
    for (const file of Array.from(event.dataTransfer.files)) {
      const bytes = await file.slice(0, enough).arrayBuffer().then(
          (read) => new Uint8Array(read), () => new Uint8Array(0));
      run(async () => {
        const copy = _malloc(Math.max(bytes.length, 1));
        HEAPU8.set(bytes, copy);
        try {
          await ccall('addDroppedFile', null, ['string', 'number', 'number'],
                      [file.name, copy, bytes.length], {async: true});
        } finally {
          _free(copy);
        }
      });
    }
  });

  // The saved games are offered once the dealt board is drawn, again whenever the page shows
  // anew, and whenever another tab has kept a save, even while this one stays in view.
  const offerSavedGames = () => run(handler('offerSavedGames'));
  requestAnimationFrame(() => setTimeout(offerSavedGames));
  document.addEventListener('visibilitychange', () => {
    if (!document.hidden)
      offerSavedGames();
  });
  tessalSavedGames.listen(offerSavedGames);

  // The whole window scaled to the page, keeping its proportions, first as the first frame is
  // drawn, once the stylesheets are in, and shown then. Everything is read before anything is
  // written, so that the page is laid out once, not once per line.
  function fit() {
    const page = document.documentElement;
    const width = root.offsetWidth, height = root.offsetHeight;
    const scale = Math.min(page.clientWidth / width, page.clientHeight / height);
    root.style.transform = 'scale(' + scale + ')';
    frame.style.width = width * scale + 'px';
    frame.style.height = height * scale + 'px';
  }
  requestAnimationFrame(() => {
    frame.hidden = false;
    fit();
    addEventListener('resize', fit);
  });

  // The offline copy is made once the page has loaded, not while it does.
  if ('serviceWorker' in navigator) {
    // A browser that keeps nothing for the page, its storage blocked, still plays it online.
    const keep = () => navigator.serviceWorker.register('offline.js').catch(() => {});
    if (document.readyState == 'complete')
      keep();
    else
      addEventListener('load', keep);
  }
}
