// The page's modal boxes, <dialog>s shown with showModal(): the rest of the page is inert
// while one is open, and the handler that opened it waits inside the call until the player
// closes it, as it waits inside a box on the desktop. Every text is set as plain text.
mergeInto(LibraryManager.library, {
  // Sent on the page as a box opens: the window's events still waiting are turned away.
  $tessalBoxEvents: {shown: 'tessal-box-shown'},
  $tessalBox__deps: ['$tessalBoxEvents'],
  $tessalBox: function(title, icon, text, buttons, field) {
    const box = document.createElement('dialog');
    box.className = 'box';
    box.setAttribute('role', 'alertdialog');
    box.setAttribute('aria-modal', 'true');
    const form = document.createElement('form');
    form.method = 'dialog';
    const heading = document.createElement('h2');
    heading.id = 'box-title';
    heading.textContent = title;
    box.setAttribute('aria-labelledby', heading.id);
    const body = document.createElement('div');
    body.className = 'box-body';
    if (icon) {
      const picture = document.createElement('img');
      picture.src = icon;
      picture.alt = '';
      picture.width = picture.height = 32;
      body.append(picture);
    }
    const message = document.createElement(field ? 'label' : 'p');
    message.id = 'box-text';
    message.textContent = text;
    box.setAttribute('aria-describedby', message.id);
    body.append(message);
    if (field) {
      field.id = 'box-field';
      message.htmlFor = field.id;
      body.append(field);
    }
    const row = document.createElement('div');
    row.className = 'box-buttons';
    for (const choice of buttons) {
      const button = document.createElement('button');
      button.textContent = choice.caption;
      button.value = choice.value;
      row.append(button);
    }
    form.append(heading, body, row);
    box.append(form);
    // A press beside the buttons and the field, or outside the box, leaves the keyboard where
    // it was, so that Enter still answers.
    box.addEventListener('mousedown', (event) => {
      if (!event.target.closest('button, input'))
        event.preventDefault();
    });
    document.body.append(box);
    return new Promise((resolve) => {
      // Escape cancels: an empty answer, as the desktop's Cancel gives.
      box.addEventListener('close', () => {
        box.remove();
        resolve(box.returnValue);
      });
      box.showModal();
      (field || row.firstChild).focus();
      document.dispatchEvent(new Event(tessalBoxEvents.shown));
    });
  },

  tessal_message__deps: ['$tessalBox'],
  tessal_message: function(title, icon, text, ok) {
    return Asyncify.handleAsync(async () => {
      await tessalBox(UTF8ToString(title), UTF8ToString(icon), UTF8ToString(text),
                      [{caption: UTF8ToString(ok), value: 'ok'}], null);
    });
  },

  // The text typed, as a string the caller frees; an empty one when the player cancels.
  tessal_input__deps: ['$tessalBox'],
  tessal_input: function(title, prompt, initial, ok, cancel) {
    return Asyncify.handleAsync(async () => {
      const field = document.createElement('input');
      field.type = 'text';
      field.value = UTF8ToString(initial);
      field.autocomplete = 'off';
      const answer = await tessalBox(UTF8ToString(title), '', UTF8ToString(prompt),
                                     [{caption: UTF8ToString(ok), value: 'ok'},
                                      {caption: UTF8ToString(cancel), value: ''}],
                                     field);
      return allocateUTF8(answer == 'ok' ? field.value : '');
    });
  },
});
