// The page's elements as the game's C++ reaches them, each by its id. Every text goes in as
// plain text, never as markup.
mergeInto(LibraryManager.library, {
  $tessalElement: function(id) {
    return document.getElementById(UTF8ToString(id));
  },

  tessal_set_text__deps: ['$tessalElement'],
  tessal_set_text: function(id, text) {
    tessalElement(id).textContent = UTF8ToString(text);
  },
  tessal_set_attribute__deps: ['$tessalElement'],
  tessal_set_attribute: function(id, name, value) {
    tessalElement(id).setAttribute(UTF8ToString(name), UTF8ToString(value));
  },
  tessal_set_style__deps: ['$tessalElement'],
  tessal_set_style: function(id, property, value) {
    tessalElement(id).style.setProperty(UTF8ToString(property), UTF8ToString(value));
  },
  // A control hidden while it holds the keyboard hands it on to the next one that takes it,
  // as a desktop window does, rather than to nobody.
  tessal_set_hidden__deps: ['$tessalElement'],
  tessal_set_hidden: function(id, hidden) {
    const element = tessalElement(id);
    const heldKeyboard = hidden && element.contains(document.activeElement);
    element.hidden = !!hidden;
    if (!heldKeyboard)
      return;
    const stops = Array.from(document.querySelectorAll(
        '#window button, #window select, #window [tabindex]')).filter(
        (stop) => stop.tabIndex >= 0 && stop.getClientRects().length);
    const next = stops.find(
        (stop) => element.compareDocumentPosition(stop) & Node.DOCUMENT_POSITION_FOLLOWING);
    if (next || stops.length)
      (next || stops[0]).focus();
  },
  tessal_is_hidden__deps: ['$tessalElement'],
  tessal_is_hidden: function(id) {
    return tessalElement(id).hidden ? 1 : 0;
  },
  tessal_focus__deps: ['$tessalElement'],
  tessal_focus: function(id) {
    tessalElement(id).focus();
  },
  tessal_blur__deps: ['$tessalElement'],
  tessal_blur: function(id) {
    tessalElement(id).blur();
  },
  tessal_has_focus__deps: ['$tessalElement'],
  tessal_has_focus: function(id) {
    return document.activeElement == tessalElement(id) ? 1 : 0;
  },
  // A string the caller frees.
  tessal_value__deps: ['$tessalElement'],
  tessal_value: function(id) {
    return allocateUTF8(tessalElement(id).value);
  },

  // The options of a list box, named after it: List2-0, List2-1...
  tessal_clear_options__deps: ['$tessalElement'],
  tessal_clear_options: function(id) {
    const list = tessalElement(id);
    list.textContent = '';
    list.removeAttribute('aria-activedescendant');
  },
  tessal_append_option__deps: ['$tessalElement'],
  tessal_append_option: function(id, text, kind, depth) {
    const list = tessalElement(id);
    const option = document.createElement('div');
    option.id = list.id + '-' + list.children.length;
    option.setAttribute('role', 'option');
    option.setAttribute('aria-selected', 'false');
    if (HEAPU8[kind])
      option.className = UTF8ToString(kind);
    if (depth)
      option.style.setProperty('--depth', depth);
    option.textContent = UTF8ToString(text);
    list.append(option);
  },
  // The keyboard's place in the list and, when chosen, the option shown as chosen; none for
  // -1. The page's controls mark the lists with it too (controls.js).
  $tessalMarkOption: function(list, row, choose) {
    Array.prototype.forEach.call(list.children, (option, k) => {
      option.classList.toggle('current', k == row);
      if (choose)
        option.setAttribute('aria-selected', String(k == row));
    });
    if (row >= 0)
      list.setAttribute('aria-activedescendant', list.children[row].id);
    else
      list.removeAttribute('aria-activedescendant');
  },
  tessal_mark_option__deps: ['$tessalElement', '$tessalMarkOption'],
  tessal_mark_option: function(id, row) {
    tessalMarkOption(tessalElement(id), row, true);
  },
  tessal_chosen_option__deps: ['$tessalElement'],
  tessal_chosen_option: function(id) {
    return Array.prototype.findIndex.call(tessalElement(id).children,
                                          (o) => o.getAttribute('aria-selected') == 'true');
  },

  // Links that download files of the given bytes, as they are, under the given names.
  tessal_clear_offers__deps: ['$tessalElement'],
  tessal_clear_offers: function(id) {
    const list = tessalElement(id);
    for (const link of list.querySelectorAll('a'))
      URL.revokeObjectURL(link.href);
    list.textContent = '';
  },
  tessal_offer_file__deps: ['$tessalElement'],
  tessal_offer_file: function(id, text, fileName, bytes, length) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(
        new Blob([HEAPU8.slice(bytes, bytes + length)], {type: 'text/plain'}));
    link.download = UTF8ToString(fileName);
    link.textContent = UTF8ToString(text);
    const item = document.createElement('li');
    item.append(link);
    tessalElement(id).append(item);
  },
});
