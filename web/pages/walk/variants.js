// The walk beside other ways to walk the outline's octant (exact, quarter, root, less-or-equal; see
// walk/include/walk/variants.h): a choice of variant, its pixels apart from the walk's marked on the
// grid, a sentence on how many differ, and every variant's counts at the radius on show. The
// figures and the pixels apart from the walk's are the program's (midpoint-walk --variants).
import {i18n} from '../from-head.js';
import {walkTrace} from './trace.js';

export const walkVariants = (function () {
  const t = i18n.t;
  const $ = (id) => document.getElementById(id);
  const select = $('variant'), sentence = $('variant-sentence'), body = $('variant-table').tBodies[0];
  const caption = $('variant-table').caption;
  const state = {
    data: null,  // the variants at the radius loaded, as walkTrace.variants gives them
    marks: null,  // the chosen variant's, null for the walk itself
  };

  // The variants at `radius`; the choice, its marks and the sentence follow `name`.
  function load(radius, name) {
    state.data = walkTrace.variants(radius);
    if (!select.options.length) {
      for (const v of state.data.variants) select.add(new Option(t(`variant.${v.name}`), v.name));
    }
    caption.textContent = t('variants.caption', {r: radius});
    body.replaceChildren(...state.data.variants.map((v) => {
      const row = document.createElement('tr');
      const head = document.createElement('th');
      head.scope = 'row';
      head.textContent = t(`variant.${v.name}`);
      row.append(head);
      for (const n of [v.pixels, v.differ]) row.insertCell().textContent = i18n.number(n);
      return row;
    }));
    choose(names().includes(name) ? name : state.data.variants[0].name);
    tell();
  }

  // The variant `name` chosen, and its marks; what the page says of it waits for tell(), so that
  // a choice can be drawn, reading the layout, before anything is written.
  function choose(name) {
    select.value = name;
    const chosen = state.data.variants.find((v) => v.name === name);
    state.marks = chosen === state.data.variants[0] ? null : chosen;  // its `only` and `missing`, the same object each time
  }

  // How many pixels the chosen variant's walk differs by, and the legend of its marks; written only
  // where they change, since each write lays the page out.
  function tell() {
    if (!state.data) return;  // not loaded yet: the walk alone, as the page starts
    const chosen = state.data.variants.find((v) => v.name === select.value);
    const text = chosen.differ === 0 ? t('variants.differ.zero') : i18n.plural('variants.differ', chosen.differ);
    if (sentence.textContent !== text) sentence.textContent = text;
    if (document.body.classList.contains('comparing') !== (state.marks !== null)) document.body.classList.toggle('comparing', state.marks !== null);
  }

  const names = () => (state.data ? state.data.variants.map((v) => v.name) : []);

  return {load, choose, tell, names, select, get chosen() { return select.value; }, get marks() { return state.marks; },
          get radius() { return state.data ? state.data.radius : 0; }};
})();
