// The code beside the walk: the C++ of the mode on show as app/rasterizers.cpp has it, the file's
// own text built into the module (never retyped), one element a line with its number in the file.
// It shows the walk that the three modes share (the unnamed namespace: the state, the start, the
// stop and the step) and the mode's own function, at the lines the trace gives for them.
// The lines that ran at the state on show, as the trace names them, carry aria-current="true";
// while the learner predicts, only the lines that compare d, which run whichever way the walk goes.
import {i18n} from '../from-head.js';
import {walkTrace} from './trace.js';

export const walkCode = (function () {
  const t = i18n.t;
  const box = document.getElementById('code-box'), pre = document.getElementById('code');
  const caption = document.getElementById('code-caption');
  const state = {
    source: [],  // source[n] is line n of the file
    byLine: new Map(),  // the element of each line on show, by its number
    marked: [],  // the elements marked aria-current
    walk: null,
    shownMode: '',  // the mode whose lines are on show
  };

  function start() {
    pre.dataset.file = walkTrace.source.file;
    state.source = ['', ...walkTrace.source.text.split('\n')];
  }

  function line(n) {
    const span = document.createElement('span');
    span.dataset.line = n;
    span.textContent = state.source[n];
    state.byLine.set(n, span);
    return span;
  }

  // A new walk: its shared walk and its mode's function, as the trace gives their lines.
  function load(w) {
    state.walk = w;
    for (const span of state.marked) span.removeAttribute('aria-current');
    state.marked = [];
    caption.textContent = t('code.caption', {file: pre.dataset.file, mode: t(`mode.${state.walk.mode}`)});
    if (state.walk.mode === state.shownMode) return;
    state.shownMode = state.walk.mode;
    state.byLine = new Map();
    const parts = [];
    for (const [first, last] of [state.walk.code.shared, state.walk.code.own]) {
      if (parts.length) parts.push(Object.assign(document.createElement('span'), {className: 'gap'}));
      for (let n = first; n <= last; ++n) parts.push(line(n));
    }
    pre.replaceChildren(...parts);
  }

  // The lines run at position `p`; with `deciding`, only those that compare d.
  function show(p, {deciding = false} = {}) {
    const lines = deciding ? state.walk.decision : p < state.walk.steps.length ? state.walk.steps[p].lines : state.walk.afterLines;
    const now = lines.map((n) => state.byLine.get(n)).filter(Boolean);
    // Only the lines whose mark changes: a mark set again would restyle it for nothing.
    for (const span of state.marked) if (!now.includes(span)) span.removeAttribute('aria-current');
    for (const span of now) if (!state.marked.includes(span)) span.setAttribute('aria-current', 'true');
    state.marked = now;
    box.classList.toggle('deciding', deciding);
    if (!box.open || !state.marked.length) return;
    // Into view inside its own box, never by scrolling the page.
    const top = pre.scrollTop, height = pre.clientHeight;
    const from = state.marked[0].offsetTop, to = state.marked.at(-1).offsetTop + state.marked.at(-1).offsetHeight;  // pre is their offsetParent
    if (from < top || to > top + height) pre.scrollTop = Math.max(0, Math.min(from, (from + to - height) / 2));
  }

  return {start, load, show, element: box};
})();
