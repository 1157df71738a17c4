// What the three pages use to show their texts: the language chosen (lang= in the address, else
// the browser's preferred languages), texts by key with their values filled in, and numbers as the
// language writes them. The languages are those of the tables (strings.js).
import {pageAddress} from './address.js';
import {pageStrings} from './strings.js';
import {warmUpNumberFormat} from './number-warm-up.js';

export const i18n = pageLanguage(pageStrings);

// The texts of the language chosen among `tables` ({lang: table}).
function pageLanguage(tables) {
  const languages = Object.keys(tables);
  const asked = pageAddress.get('lang');
  // The first of the browser's preferred languages that the pages speak; the first table's for the rest.
  const preferred = [...(navigator.languages || []), navigator.language || '']
    .map((l) => l.toLowerCase().split('-')[0]).find((l) => languages.includes(l));
  const lang = languages.includes(asked) ? asked : preferred || languages[0];
  warmUpNumberFormat(lang);
  const others = languages.filter((l) => l !== lang);
  const table = tables[lang];
  const state = {
    formats: new Map(),  // the number formats made, by their decimals (number)
    grouped: null,  // the language's grouping of thousands as typed, once read (wholeNumber)
  };

  // The language's typography: a no-break space before some signs and after others (French: before
  // : ; ? ! and », after «).
  const signs = (key) => [...table[key]].map((c) => c.replace(/[\\^\]-]/g, '\\$&')).join('');
  const before = table['typography.space-before'] ? new RegExp(` ([${signs('typography.space-before')}])`, 'g') : null;
  const after = table['typography.space-after'] ? new RegExp(`([${signs('typography.space-after')}]) `, 'g') : null;
  const typeset = (text) => {
    if (before) text = text.replace(before, '\u00a0$1');
    return after ? text.replace(after, '$1\u00a0') : text;
  };

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

  // The text of `key` for a count, in the form the language's plural rules choose (key.one,
  // key.other, and so on; French: 0 and 1 are singular), with {n} filled in as a number.
  const rules = new Intl.PluralRules(lang);
  function plural(key, n, values = {}) {
    const form = `${key}.${rules.select(n)}`;
    return t(has(form) ? form : `${key}.other`, {n: number(n), ...values});
  }

  // n with `digits` decimals as the language writes it (Intl): its decimal sign and grouping, and
  // the true minus sign where the platform gives a hyphen; never a minus before zero (rounded to
  // zero first, which any browser's Intl takes).
  function number(n, digits = 0) {
    if (!state.formats.has(digits)) state.formats.set(digits, new Intl.NumberFormat(lang, {minimumFractionDigits: digits, maximumFractionDigits: digits}));
    return state.formats.get(digits).format(Number(n.toFixed(digits)) || 0).replace('-', '\u2212');
  }

  // Every element's texts from the attributes that name them.
  function apply(root = document) {
    document.documentElement.lang = lang;
    for (const e of root.querySelectorAll('[data-text]')) e.textContent = t(e.dataset.text);
    for (const e of root.querySelectorAll('[data-html]')) e.innerHTML = t(e.dataset.html);
    for (const e of root.querySelectorAll('[data-label]')) e.setAttribute('aria-label', t(e.dataset.label));
    for (const e of root.querySelectorAll('[data-title]')) e.title = t(e.dataset.title);
    for (const e of root.querySelectorAll('[data-content]')) e.content = t(e.dataset.content);
  }

  // The links to this page in the other languages, keeping the rest of the address: `link` is the
  // first, the others follow it; `own` is the page's own state, as URLSearchParams.
  function linkOtherLanguage(link, own) {
    let at = link;
    others.forEach((other, i) => {
      if (i > 0 && !(at.nextElementSibling && at.nextElementSibling.hreflang === other)) {
        at.after(Object.assign(document.createElement('a'), {className: link.className}));
      }
      const a = i === 0 ? link : at.nextElementSibling;
      // Only what changes: a link written again at every step would be restyled and laid out again.
      const href = pageAddress.self(own, {lang: other}), name = tables[other]['language.name'];
      if (a.getAttribute('href') !== href) a.setAttribute('href', href);
      if (a.hreflang !== other) a.hreflang = a.lang = other;
      if (a.textContent !== name) a.textContent = name;
      at = a;
    });
  }

  // A whole number as typed, with a true minus or a hyphen, and the language's grouping of
  // thousands (English's commas, French's spaces); null for anything else.
  // The grouping is read when first needed, not as the page loads: a number format made then would
  // come before the warm-up worker has built the table.
  function wholeNumber(text) {
    if (!state.grouped) {
      const group = new Intl.NumberFormat(lang).formatToParts(11111).find((p) => p.type === 'group')?.value || ',';
      const groups = /\s/.test(group) ? '\\s\u00a0\u202f' : group.replace(/[\\^\]-]/g, '\\$&');
      state.grouped = new RegExp(`(\\d)[${groups}](?=\\d{3}(\\D|$))`, 'g');
    }
    const typed = text.trim().replace(/^\u2212/, '-').replace(state.grouped, '$1');
    return /^-?[0-9]+$/.test(typed) ? Number(typed) : null;
  }

  return {lang, t, has, plural, number, wholeNumber, apply, linkOtherLanguage};
}
