// walk.html on paper, always in the light theme's colours whatever the screen's. Printed, the page
// is a handout: the whole walk on a grid of its own, the step on show marked, with its legend, a
// line naming the mode, radius and step, and every row of the table (walk.css has the print
// rules). With worksheet=1 it is a worksheet instead: a line for a name, the table with y (after
// the start), d, F(M) and the move left blank, and a grid as wide as the page's text with the start
// pixel alone; worksheet=1&key=1 is its answer key, every blank filled in. A practice set prints its
// summary, with the set's address, the date and a line for a name.
import {pageAddress, i18n} from '../from-head.js';

export const walkPrint = (function () {
  const t = i18n.t;
  const $ = (id) => document.getElementById(id);
  const heading = $('print-heading'), sheet = $('worksheet-grid'), handout = $('handout-grid');
  const worksheet = pageAddress.get('worksheet') === '1', key = worksheet && pageAddress.get('key') === '1';
  const state = {
    walk: null,
    position: 0,  // the position on show
    timer: null,  // the grids' drawing to come, once the page has settled
    palette: null,  // the light theme's colours, once read
  };
  // The narrowest page's text (A4 less the margins of theme.css's @page) and the smallest cell
  // that a pencil can shade, in millimetres; the gutters for the axes' numbers, in cells.
  const paper = {text: 210 - 2 * 12, cell: 4, left: 1.6, bottom: 1.2, edge: 0.3};

  // The light theme's palette, read with the root in that theme for as long as it takes.
  function lightPalette() {
    const root = document.documentElement, was = root.dataset.theme;
    root.dataset.theme = 'light';
    const style = getComputedStyle(root), colour = (name) => style.getPropertyValue(`--${name}`).trim();
    const palette = {};
    for (const name of ['cell', 'once', 'twice', 'now', 'axis', 'circle', 'state', 'twice-mark', 'now-mark', 'candidate', 'text']) palette[name] = colour(name);
    root.dataset.theme = was;
    return palette;
  }

  // The cells drawn over the whole walk, each with its count, and those of position `p`.
  function walkCells(p) {
    const {walk} = state, counts = new Map(), now = new Set();
    for (let i = 0; i < walk.offsets[walk.offsets.length - 1]; ++i) counts.set(walk.cells[i], (counts.get(walk.cells[i]) || 0) + 1);
    if (p !== null) for (let i = walk.offsets[p]; i < walk.offsets[p + 1]; ++i) now.add(walk.cells[i]);
    return {counts, now};
  }

  // The plane from x0 to x1 and y0 to y1 on `canvas`, `c` canvas pixels a cell, with the x axis's
  // numbers under it and the y axis's to its left: the cells `drawn` ({counts, now} by cell), the
  // grid, the axes, the exact circle and, when `s` is a state, its ring and candidates.
  function drawPlane(canvas, [x0, x1, y0, y1], c, palette, drawn, s) {
    const {walk} = state, columns = x1 - x0 + 1, rows = y1 - y0 + 1;
    const left = paper.left * c, top = paper.edge * c;
    canvas.width = Math.round(left + (columns + paper.edge) * c);
    canvas.height = Math.round(top + rows * c + paper.bottom * c);
    canvas.dataset.plane = JSON.stringify({x0, x1, y0, y1, left, top, cell: c});  // where each cell is, for the tests
    const w = canvas.getContext('2d');
    const at = (x, y) => [left + (x - x0) * c, top + (y1 - y) * c];  // a cell's top left corner
    w.fillStyle = palette.cell;
    w.fillRect(0, 0, canvas.width, canvas.height);
    for (let y = y0; y <= y1; ++y) {
      for (let x = x0; x <= x1; ++x) {
        const cell = walk.cellAt(x, y), count = drawn.counts.get(cell);
        if (!count) continue;
        const [cx, cy] = at(x, y);
        w.fillStyle = palette[drawn.now.has(cell) ? 'now' : count > 1 ? 'twice' : 'once'];
        w.fillRect(cx, cy, c, c);
        if (count > 1) {
          w.strokeStyle = palette[drawn.now.has(cell) ? 'now-mark' : 'twice-mark'];
          w.lineWidth = c / 10;
          w.beginPath();
          w.moveTo(cx + c * 0.2, cy + c * 0.2), w.lineTo(cx + c * 0.8, cy + c * 0.8);
          w.moveTo(cx + c * 0.8, cy + c * 0.2), w.lineTo(cx + c * 0.2, cy + c * 0.8);
          w.stroke();
        }
        if (drawn.now.has(cell)) {
          w.strokeStyle = palette['now-mark'];
          w.lineWidth = c / 8;
          w.strokeRect(cx + c / 16, cy + c / 16, c - c / 8, c - c / 8);
        }
      }
    }
    w.save();
    w.beginPath();
    w.rect(left, top, columns * c, rows * c);
    w.clip();
    w.strokeStyle = palette.axis;
    w.lineWidth = Math.max(1, c / 30);
    w.beginPath();
    for (let i = 0; i <= columns; ++i) w.moveTo(left + i * c, top), w.lineTo(left + i * c, top + rows * c);
    for (let i = 0; i <= rows; ++i) w.moveTo(left, top + i * c), w.lineTo(left + columns * c, top + i * c);
    w.stroke();
    const [ox, oy] = at(0, 0).map((v) => v + c / 2);  // the origin's centre, perhaps outside
    w.strokeStyle = palette.circle;
    w.lineWidth = c / 12;
    w.beginPath();
    w.moveTo(left, oy), w.lineTo(left + columns * c, oy), w.moveTo(ox, top), w.lineTo(ox, top + rows * c);
    w.stroke();
    w.lineWidth = c / 16;
    w.beginPath();
    w.arc(ox, oy, walk.radius * c, 0, 2 * Math.PI);
    w.stroke();
    if (s) {
      const centre = (x, y) => at(x, y).map((v) => v + c / 2);
      w.strokeStyle = palette.state;
      w.lineWidth = c / 6;
      w.beginPath();
      w.arc(...centre(s.x, s.y), c * 0.45, 0, 2 * Math.PI);
      w.stroke();
      if (s.move) {
        w.strokeStyle = palette.candidate;
        w.lineWidth = c / 8;
        w.setLineDash([c / 5, c / 5]);
        for (const dy of [0, 1]) {
          const [cx, cy] = at(s.x + 1, s.y - dy);
          w.strokeRect(cx + c / 16, cy + c / 16, c - c / 8, c - c / 8);
        }
        w.setLineDash([]);
      }
    }
    w.restore();
    // The numbers: every column and row that has room for its number, every second or fifth else.
    w.fillStyle = palette.text;
    w.font = `${Math.round(c * 0.42)}px sans-serif`;
    const widest = Math.max(...[x0, x1, y0, y1].map((n) => w.measureText(String(n)).width));
    const every = [1, 2, 5, 10].find((k) => k * c >= widest * 1.15) || 10;
    w.textAlign = 'center';
    w.textBaseline = 'top';
    for (let x = x0; x <= x1; ++x) if (x % every === 0) w.fillText(String(x), left + (x - x0 + 0.5) * c, top + rows * c + c * 0.2);
    w.textAlign = 'right';
    w.textBaseline = 'middle';
    for (let y = y0; y <= y1; ++y) if (y % every === 0) w.fillText(String(y), left - c * 0.2, top + (y1 - y + 0.5) * c);
  }

  // The worksheet's grid, as wide as the page's text: the whole plane where its cells are 4 mm wide
  // or more, the first octant alone elsewhere, in bands of columns where even that would be
  // narrower. Each band a canvas of its own, which a page break never cuts.
  function drawWorksheet(palette) {
    const {walk} = state, r = walk.radius, most = Math.floor(paper.text / paper.cell - paper.left - paper.edge);
    const whole = 2 * r + 3 <= most;
    const diagonal = r / Math.SQRT2;
    const [x0, x1, y0, y1] = whole ? [-(r + 1), r + 1, -(r + 1), r + 1] : [0, Math.ceil(diagonal) + 1, Math.floor(diagonal) - 1, r + 1];
    const columns = x1 - x0 + 1, bands = Math.ceil(columns / most), wide = Math.ceil(columns / bands);
    const drawn = key ? walkCells(null) : {counts: new Map([[walk.cellAt(0, r), 1]]), now: new Set()};
    const canvases = [];
    for (let b = 0; b < bands; ++b) {
      const canvas = sheet.children[b] || document.createElement('canvas');
      const from = x0 + b * wide, to = Math.min(x1, from + wide - 1);
      drawPlane(canvas, [from, to, y0, y1], 40, palette, drawn, null);
      // Every band's cells as wide as the widest band's, which fills the text.
      canvas.style.width = `${(100 * (to - from + 1 + paper.left + paper.edge)) / (wide + paper.left + paper.edge)}%`;
      canvases.push(canvas);
    }
    sheet.replaceChildren(...canvases);
    sheet.dataset.view = whole ? 'whole' : 'octant';
    sheet.setAttribute('aria-label', t(key ? 'print.key-grid' : whole ? 'print.worksheet-grid' : 'print.worksheet-octant'));
  }

  // The grids are drawn ahead, once the page has settled on a state, not as printing starts:
  // Chromium records a canvas drawn then at the size of the page it first lays out, whatever the
  // paper. Printing before then draws them at once.
  function drawGrids() {
    clearTimeout(state.timer);
    state.timer = null;
    if (!state.walk) return;
    state.palette ||= lightPalette();
    if (worksheet) drawWorksheet(state.palette);
    else {
      const {walk, position} = state, r = walk.radius;
      drawPlane(handout, [-(r + 1), r + 1, -(r + 1), r + 1], Math.min(24, Math.floor(2400 / walk.span)), state.palette,
                walkCells(position), walk.steps[position] || null);
    }
    (worksheet ? sheet : handout).dataset.drawn = `${state.walk.mode} ${state.walk.radius} ${state.position}`;
  }
  function schedule() {
    clearTimeout(state.timer);
    state.timer = setTimeout(drawGrids, 300);
  }

  // What paper shows beside the grids, as it is about to print.
  function beforePrint() {
    if (state.timer) drawGrids();
    const set = $('practice-print');
    set.replaceChildren();
    for (const line of [t('print.practice-set', {address: pageAddress.full()}),
                        t('print.date', {date: new Date().toLocaleDateString(i18n.lang, {dateStyle: 'long'})}), t('print.name')]) {
      set.append(Object.assign(document.createElement('p'), {textContent: line}));
    }
  }
  addEventListener('beforeprint', beforePrint);
  // Browsers that print without that event still switch their media.
  matchMedia('print').addEventListener('change', (event) => { if (event.matches) beforePrint(); });

  function load(w) {
    state.walk = w;
    schedule();
  }

  function show(position) {
    const values = {mode: t(`mode.${state.walk.mode}`), r: state.walk.radius, step: position};
    heading.textContent = t(key ? 'print.key-heading' : worksheet ? 'print.worksheet-heading' : 'print.heading', values);
    if (position === state.position) return;
    state.position = position;
    if (!worksheet) schedule();  // the worksheet's grid shows no step
  }

  return {load, show};
})();
