// The explainer's table: a row per state of the walk (step, x, y, d, F(M), the move, the draws
// there and the running total), and one for the draws after the walk. A click or a tap anywhere
// on a row chooses it; the step button in its first cell is there for the keyboard. While the
// learner predicts, the rows after the current state and its move are not shown.
import {i18n} from '../from-head.js';

export const walkTable = (function () {
  const t = i18n.t, number = i18n.number;
  const table = document.getElementById('steps');
  const tbody = table.tBodies[0], tfoot = table.tFoot;
  let walk = null, chosen = () => {};

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
    const texts = [s.x, s.y, number(s.d), number(s.fm, 2), s.move || '—', number(walk.drawCount(p)), number(walk.offsets[p + 1])];
    return `<tr data-step="${p}">${stepCell(p, t('table.step', {step: p}), p)}` +
           `${texts.map((text, i) => td(text, columns[i] ? ` class="${columns[i]}"` : '')).join('')}</tr>`;
  }

  function fill(w) {
    walk = w;
    current = -1;
    // Placed once the page is next laid out with the new rows; a scroll still to come was the last table's.
    scroll = null;
    if (placing < 0) requestAnimationFrame(place);
    placing = 0;
    hiding = {after: false, shown: -1, move: -1};
    tbody.innerHTML = walk.steps.map(stateRow).join('');
    const after = walk.steps.length;
    tfoot.innerHTML = walk.afterCount ? `<tr data-step="${after}">${stepCell(t('table.after'), t('table.after-label'), after)}` +
                                        `${td(t('table.after-what'), ' colspan="5"')}${td(number(walk.afterCount))}${td(number(walk.total))}</tr>` : '';
  }

  // Marks the row of `position` as the current one and brings it into view. With `hideAfter`,
  // the rows after it are hidden, and with `hideMove` its move, until the learner has answered.
  // A step touches only the rows whose state changes, and reads the layout before it writes: at
  // radius 100 the table has some 70 rows, and a step must stay within a frame on a phone.
  // `placing`: while the page has not been laid out with the rows just made, the position whose row
  // is brought into view once it is, -1 after.
  let current = -1, hiding = {after: false, shown: -1, move: -1}, scroll = null, placing = -1;
  function select(position, {hideAfter = false, hideMove = false} = {}) {
    const rows = [...tbody.rows, ...tfoot.rows], row = rows[position];
    // A table just filled finds its row's place just before the frame, when the page is laid out
    // for it anyway: read now, its layout would lay the whole page out once more. Later selects
    // read before they write, as the frame would have it.
    if (placing >= 0) placing = position;
    else bring(rows, position);
    if (position !== current) {  // the same row again (a variant chosen, say): nothing to restyle
      if (current >= 0 && rows[current]) rows[current].removeAttribute('aria-current');
      row.setAttribute('aria-current', 'step');
      current = position;
    }
    // The rows from the first whose hiding changes to the last: one row a step in predict mode.
    const shown = hideAfter ? position : rows.length - 1, wasShown = hiding.after ? hiding.shown : rows.length - 1;
    for (let p = Math.min(shown, wasShown) + 1; p <= Math.max(shown, wasShown); ++p) rows[p].hidden = p > shown;
    const moveShown = (p) => {
      const move = rows[p] && rows[p].querySelector('.move');
      if (move) move.textContent = p === hiding.move ? '?' : walk.steps[p].move || '—';
    };
    const wasHiding = hiding.move;
    hiding = {after: hideAfter, shown, move: hideMove ? position : -1};
    if (wasHiding >= 0) moveShown(wasHiding);
    if (hiding.move >= 0) moveShown(hiding.move);
  }

  // A new table's row brought into view, at once: the page is laid out by the read.
  function place() {
    const position = placing;
    placing = -1;
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
    const top = scroll ? scroll.top : scrolled;  // where the frame will be scrolled when it is drawn
    if (at >= top + 40 && at <= top + height - 40) return;
    if (now) frame.scrollTop = at - height / 2;
    else scrollTo(frame, at - height / 2);
  }

  // Scrolling lays the page out at once; just before the frame, the step's other writes are in,
  // and the page is laid out once, not twice. Until then, the scroll to come stands for the frame's.
  function scrollTo(frame, top) {
    // A new table may have dropped the scroll since (fill).
    if (!scroll) requestAnimationFrame(() => { if (scroll) scroll.frame.scrollTop = scroll.top; scroll = null; });
    scroll = {frame, top};
  }

  table.addEventListener('click', (event) => {
    const row = event.target.closest('tr[data-step]');
    if (row) chosen(Number(row.dataset.step));
  });

  return {fill, select, onChoose(f) { chosen = f; }};
})();
