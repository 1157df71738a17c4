// The page's keys in a dialog: "?" opens it (or its button, for a touch screen), Escape closes it,
// and the focus goes back where it was. The rows come from the page's own table of keys, the one
// that its key handling reads: `rows()` gives them as [[keys, what they do], ...], the keys as text
// or as nodes.
import {i18n} from './from-head.js';

export const pageKeys = (function () {
  const t = i18n.t;
  const state = {
    rows: () => [],  // the page's rows (control)
    dialog: null,
    opener: null,  // what had the focus as the dialog opened, to have it back
  };

  function open() {
    if (state.dialog.open) return;
    state.opener = document.activeElement;
    const body = state.dialog.querySelector('tbody');
    body.replaceChildren(...state.rows().map(([keys, effect]) => {
      const row = document.createElement('tr');
      const what = row.insertCell();
      what.append(...[].concat(keys));
      row.insertCell().textContent = effect;
      return row;
    }));
    state.dialog.showModal();
  }

  // The dialog, the button at the end of `tools`, and the key; `keyRows` gives the rows.
  function control(tools, keyRows) {
    state.rows = keyRows;
    const dialog = state.dialog = document.createElement('dialog');
    dialog.className = 'keys-dialog';
    dialog.setAttribute('aria-labelledby', 'keys-title');
    const title = Object.assign(document.createElement('h2'), {id: 'keys-title', textContent: t('keys.title')});
    const table = document.createElement('table');
    table.createTBody();
    const close = Object.assign(document.createElement('button'), {type: 'button', textContent: t('keys.close')});
    close.addEventListener('click', () => dialog.close());
    dialog.append(title, table, close);
    dialog.addEventListener('close', () => state.opener?.focus?.({preventScroll: true}));
    document.body.append(dialog);

    const button = Object.assign(document.createElement('button'), {type: 'button', id: 'keys-button', textContent: t('keys.button')});
    button.setAttribute('aria-haspopup', 'dialog');
    button.setAttribute('aria-keyshortcuts', '?');
    button.title = '?';
    button.addEventListener('click', open);
    tools.append(button);
    // Before the page's own handlers, the programs' included: "?" is none of their keys.
    addEventListener('keydown', (event) => {
      if (event.key !== '?' || event.ctrlKey || event.altKey || event.metaKey || dialog.open) return;
      if (event.target.closest?.('input:not([type=checkbox]), textarea')) return;
      event.preventDefault();
      event.stopImmediatePropagation();
      open();
    }, true);
  }

  return {control, open};
})();
