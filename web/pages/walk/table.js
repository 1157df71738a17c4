// The explainer's table: a row per state of the walk (step, x, y, d, F(M), the move, the draws
// there and the running total), and one for the draws after the walk. A click or a tap anywhere
// on a row chooses it; the step button in its first cell is there for the keyboard. While the
// learner predicts, the rows after the current state and its move are not shown.
import {i18n} from '../from-head.js';

export const walkTable = (function () {
  const t = i18n.t, number = i18n.number;
  const table = document.getElementById('steps');
  const tbody = table.tBodies[0], tfoot = table.tFoot;
  const view = {
    walk: null,
    chosen: () => {},  // told the position of a row chosen
    current: -1,  // the position whose row is marked current, -1 for none
    // What is hidden: the rows after `shown` when `after`; `move`, the position whose move is, or -1.
    hiding: {after: false, shown: -1, move: -1},
    scroll: null,  // the frame's scroll to come, {frame, top}, until the frame
    // While the page has not been laid out with the rows just made, the position whose row is
    // brought into view once it is, -1 after.
    placing: -1,
  };

  // The rows are written as HTML and parsed at once, each text escaped, not built element by
  // element, a dozen elements to each of some 70 rows at radius 100 (docs/performance.md).
  const escaped = (text) => String(text).replace(/[&<>"]/g, (c) => `&#${c.charCodeAt(0)};`);
  const td = (text, attributes = '') => `<td${attributes}>${escaped(text)}</td>`;
  // A row's first cell, its step button; on paper the button gives way to its text (walk.css).
  const stepCell = (text, label, position) => `<td><button type="button" aria-label="${escaped(label)}" data-step="${position}">` +
                                              `${escaped(text)}</button><span class="print-only">${escaped(text)}</span></td>`;
  // A state's columns: x; y after the start, d, F(M) and the move, blank on a worksheet (the move
  // hidden as "?" while the learner predicts it); the draws and the total.
  const columns = ['', 'y', 'd', 'fm', 'move', '', ''];
  function stateRow(s, p) {
    const texts = [s.x, s.y, number(s.d), number(s.fm, 2), s.move || '—', number(view.walk.drawCount(p)), number(view.walk.offsets[p + 1])];
    return `<tr data-step="${p}">${stepCell(p, t('table.step', {step: p}), p)}` +
           `${texts.map((text, i) => td(text, columns[i] ? ` class="${columns[i]}"` : '')).join('')}</tr>`;
  }

  function fill(w) {
    view.walk = w;
    view.current = -1;
    // Placed once the page is next laid out with the new rows; a scroll still to come was the last table's.
    view.scroll = null;
    if (view.placing < 0) requestAnimationFrame(place);
    view.placing = 0;
    view.hiding = {after: false, shown: -1, move: -1};
    tbody.innerHTML = view.walk.steps.map(stateRow).join('');
    const after = view.walk.steps.length;
    tfoot.innerHTML = view.walk.afterCount ? `<tr data-step="${after}">${stepCell(t('table.after'), t('table.after-label'), after)}` +
                                             `${td(t('table.after-what'), ' colspan="5"')}${td(number(view.walk.afterCount))}${td(number(view.walk.total))}</tr>` : '';
  }

  // Marks the row of `position` as the current one and brings it into view. With `hideAfter`,
  // the rows after it are hidden, and with `hideMove` its move, until the learner has answered.
  // A step touches only the rows whose state changes, and reads the layout before it writes: at
  // radius 100 the table has some 70 rows, and a step must stay within a frame on a phone.
  function select(position, {hideAfter = false, hideMove = false} = {}) {
    const rows = [...tbody.rows, ...tfoot.rows], row = rows[position];
    // A table just filled finds its row's place just before the frame, when the page is laid out
    // for it anyway: read now, its layout would lay the whole page out once more. Later selects
    // read before they write, as the frame would have it.
    if (view.placing >= 0) view.placing = position;
    else bring(rows, position);
    if (position !== view.current) {  // the same row again (a variant chosen, say): nothing to restyle
      if (view.current >= 0 && rows[view.current]) rows[view.current].removeAttribute('aria-current');
      row.setAttribute('aria-current', 'step');
      view.current = position;
    }
    // The rows from the first whose hiding changes to the last: one row a step in predict mode.
    const shown = hideAfter ? position : rows.length - 1, wasShown = view.hiding.after ? view.hiding.shown : rows.length - 1;
    for (let p = Math.min(shown, wasShown) + 1; p <= Math.max(shown, wasShown); ++p) rows[p].hidden = p > shown;
    const moveShown = (p) => {
      const move = rows[p] && rows[p].querySelector('.move');
      if (move) move.textContent = p === view.hiding.move ? '?' : view.walk.steps[p].move || '—';
    };
    const wasHiding = view.hiding.move;
    view.hiding = {after: hideAfter, shown, move: hideMove ? position : -1};
    if (wasHiding >= 0) moveShown(wasHiding);
    if (view.hiding.move >= 0) moveShown(view.hiding.move);
  }

  // A new table's row brought into view, at once: the page is laid out by the read.
  function place() {
    const position = view.placing;
    view.placing = -1;
    bring([...tbody.rows, ...tfoot.rows], position, {now: true});
  }

  // Brings the row of `position` among `rows` into the frame's view unless it is well inside it:
  // in the frame to come, or `now`.
  function bring(rows, position, {now = false} = {}) {
    const row = rows[position], frame = row.closest('.table-frame');
    // Its place in the frame's content; a row still hidden (the one just answered in predict mode)
    // has no box, and comes just below the row before it.
    const scrolled = frame.scrollTop, height = frame.clientHeight, hidden = row.hidden && position > 0;
    const box = (hidden ? rows[position - 1] : row).getBoundingClientRect();
    const at = (hidden ? box.bottom : box.top) - frame.getBoundingClientRect().top - frame.clientTop + scrolled;
    const top = view.scroll ? view.scroll.top : scrolled;  // where the frame will be scrolled when it is drawn
    if (at >= top + 40 && at <= top + height - 40) return;
    if (now) frame.scrollTop = at - height / 2;
    else scrollTo(frame, at - height / 2);
  }

  // Scrolling lays the page out at once; just before the frame, the step's other writes are in,
  // and the page is laid out once, not twice. Until then, the scroll to come stands for the frame's.
  function scrollTo(frame, top) {
    // A new table may have dropped the scroll since (fill).
    if (!view.scroll) requestAnimationFrame(() => { if (view.scroll) view.scroll.frame.scrollTop = view.scroll.top; view.scroll = null; });
    view.scroll = {frame, top};
  }

  table.addEventListener('click', (event) => {
    const row = event.target.closest('tr[data-step]');
    if (row) view.chosen(Number(row.dataset.step));
  });

  return {fill, select, onChoose(f) { view.chosen = f; }};
})();
