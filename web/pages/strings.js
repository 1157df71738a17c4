// The pages' texts, one table per language with the same keys, and what the three pages use to
// show them: the language chosen (lang= in the address, else the browser's preferred languages),
// texts by key with their values filled in, and numbers as the language writes them. Values go in
// as text; the keys ending in ".html" hold markup of ours, never anything from outside.
const pageStrings = {
  en: {
    'language.name': 'English',

    // The demonstration's modes, by the names the program gives them.
    'mode.outline': 'outline', 'mode.spans': 'spans', 'mode.extents': 'extents',

    // Keys as the on-screen buttons and the tables name them.
    'key.Enter': 'Enter', 'key.Escape': 'Escape', 'key.Shift': 'Shift', 'key.Ctrl': 'Ctrl', 'key.Alt': 'Alt',
    'key.Left': 'Left', 'key.Right': 'Right', 'key.Up': 'Up', 'key.Down': 'Down',
    'key.PageUp': 'PageUp', 'key.PageDown': 'PageDown',
    'key.button': 'key {key}',

    // What the programs' inputs do, by their action's name; "demo." and "showcase." for one page.
    'action.next-mode': 'next rasteriser: {modes}',
    'action.radius': 'radius up / down',
    'action.turn-keys': 'turn about X, Y, Z by +2 / −2 degrees',
    'action.rotation-toggle': 'start / stop the continuous rotation',
    'demo.action.rotation-toggle': 'toggle the continuous rotation (nothing drives it here)',
    'action.quit': 'quit',
    'action.projection-switch': 'perspective / frustum',
    'action.turn-step': 'turn by 1 degree',
    'action.preset-views': 'preset views',
    'action.rotation-speed': 'rotation speed',
    'action.turn-step-10': 'turn by 10 degrees',
    'action.turn-step-45': 'turn by 45 degrees',
    'action.drag-turn': 'turn (horizontally about Y, vertically about X)',
    'action.drag-turn-z': 'turn (horizontally about Z, vertically about X)',
    'action.drag-zoom': 'zoom',
    'action.drag-shift': 'shift the scene',
    'action.quit-menu': 'menu “{entry}”: quit',
    'input.drag': 'drag + {modifiers}',
    'input.modifier': '{modifiers} + arrow or page key',
    'input.menu': 'right button, long press',
    'drag.drag-turn': 'Turn', 'drag.drag-turn-z': 'Turn Z', 'drag.drag-zoom': 'Zoom', 'drag.drag-shift': 'Shift',

    // Both programs' pages.
    'program.keys': 'Keys',
    'program.drags': 'A finger on the picture:',
    'program.inputs': 'The inputs and what they do',
    'program.loading': 'Loading the program…',
    'program.running': 'Running: click the picture and use the keys below, or the buttons; on a touch screen, drag on the picture.',
    'program.ended': 'The program ended with status {status}.',
    'program.no-webgl': 'This page draws with WebGL, which this browser has turned off or does not have. ' +
                        'Try another browser, or turn on hardware acceleration in this browser’s settings.',
    'program.no-webgl-walk': 'The explainer of the walk works without WebGL:',
    'program.no-webgl-link': 'the midpoint walk, step by step',

    'demo.canvas': 'The circle and the grid pixels the midpoint algorithm selects',
    'demo.walk-link': 'Step through this circle’s walk',
    'demo.walk-link-after': ': the decision at every step.',
    'demo.count-lines': 'Count lines',
    'showcase.title': 'View showcase',
    'showcase.canvas': 'The rainbow ramp as a ring around the grey ramp',
  },
  fr: {
    'language.name': 'Français',
  },
};

const i18n = (function () {
  const asked = new URLSearchParams(location.search).get('lang');
  // The first of the browser's preferred languages that the pages speak; English for the rest.
  const preferred = [...(navigator.languages || []), navigator.language || '']
    .map((l) => l.toLowerCase()).find((l) => /^(fr|en)(-|$)/.test(l));
  const lang = asked === 'fr' || asked === 'en' ? asked : preferred && preferred.startsWith('fr') ? 'fr' : 'en';
  const other = lang === 'fr' ? 'en' : 'fr';
  const table = pageStrings[lang];

  // French typography: a no-break space before : ; ? ! and inside « ».
  const typeset = lang === 'fr' ? (text) => text.replace(/ ([:;?!»])/g, '\u00a0$1').replace(/« /g, '«\u00a0') : (text) => text;

  // The text of `key`, with {name} filled in from `values`.
  function t(key, values = {}) {
    let text = table[key];
    if (text === undefined) {
      console.error(`no text "${key}" in "${lang}"`);
      text = key;
    }
    return typeset(text).replace(/\{(\w+)\}/g, (whole, name) => (name in values ? String(values[name]) : whole));
  }

  // Whether a text exists, for texts that one page may give in its own words.
  const has = (key) => key in table;

  // n with `digits` decimals as the language writes it: the true minus sign, and a decimal comma in French.
  function number(n, digits = 0) {
    const text = Math.abs(n).toFixed(digits);
    return (n < 0 && Number(text) !== 0 ? '\u2212' : '') + (lang === 'fr' ? text.replace('.', ',') : text);
  }

  // Every element's texts from the attributes that name them.
  function apply(root = document) {
    document.documentElement.lang = lang;
    for (const e of root.querySelectorAll('[data-text]')) e.textContent = t(e.dataset.text);
    for (const e of root.querySelectorAll('[data-html]')) e.innerHTML = t(e.dataset.html);
    for (const e of root.querySelectorAll('[data-label]')) e.setAttribute('aria-label', t(e.dataset.label));
    for (const e of root.querySelectorAll('[data-title]')) e.title = t(e.dataset.title);
  }

  // The link to this page in the other language, keeping the rest of the address: `query` is the
  // page's own state, as URLSearchParams.
  function linkOtherLanguage(link, query = new URLSearchParams(location.search)) {
    query.set('lang', other);
    link.href = `?${query}`;
    link.hreflang = other;
    link.lang = other;
    link.textContent = pageStrings[other]['language.name'];
  }

  return {lang, t, has, number, apply, linkOtherLanguage};
})();
