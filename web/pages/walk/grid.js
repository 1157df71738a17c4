// The explainer's grid: the pixel plane from -(r + 1) to r + 1 each way, one picture on the page
// made of two layers kept off it. The cells in their colours (drawn once, twice, at this step),
// kept as pixels and written straight into the picture where they change, so that a step costs
// what it draws and not the whole plane. The lines, on a canvas drawn
// again only when they change (never for a step): the grid lines, the axes, the exact circle and a
// variant's marks. The picture is the cells, the borders and marks of twice of this position's
// cells, the lines, and the state with its candidates and midpoint over all; a step or a variant
// chosen redraws it only around what it changes. Every colour is the theme's (theme.css), read
// again when it changes; a projector's theme thickens the lines.
//
// The picture on the page is a stack of strips, a canvas each, one under the other (#grid holds
// them): a canvas changed in a frame is copied whole, for the page and again for the screen, and
// a step changes a few rows, so it copies the strips that hold them and not the whole picture.
// Every canvas lives in main memory (willReadFrequently), and the cells are pixels rather than a
// canvas of their own, for the same copying (docs/performance.md, where a phone's step went).
import {pageAddress, pageTheme} from '../from-head.js';

export const walkGrid = (function () {
  const grid = document.getElementById('grid'), lines = document.createElement('canvas');
  const l = lines.getContext('2d', {willReadFrequently: true});
  const stripCount = 16;
  const view = {
    strips: [],  // the picture's strips, {top, height, context}
    side: 0,  // the picture's side in canvas pixels
    colours: {},  // the theme's, by use
    words: {},  // the cells' colours also as the picture's pixels, RGBA bytes read as one little-endian word
    scale: 1,  // the theme's thickness of lines
    walk: null,
    cellSize: 4,  // a cell in CSS pixels
    ratio: 1,  // the device's pixels to a CSS pixel
    c: 4,  // a cell in canvas pixels
    counts: new Uint8Array(0),  // each cell's draws up to the position shown
    now: new Uint8Array(0),  // 1 for each cell drawn at the position shown
    cells: null,  // the cells' layer
    pixels: null,  // its pixels as words
    // The rows of cells whose pixels are up to date. The others are made white when first painted
    // or read, not all at each whole repaint: a walk's first state draws one row.
    upToDate: new Uint8Array(0),
    shownAt: -1,  // the position the cells show, -1 when they must all be painted
    shape: '',  // the picture's size and pixel ratio, as its strips were made for them
    shown: null,  // what the picture shows, when shownAt is not -1: {p, hideDecision, variant}
  };
  function readTheme() {
    const colour = pageTheme.colour;
    view.colours = {white: colour('cell'), once: colour('once'), twice: colour('twice'), now: colour('now'), grid: colour('grid-line'),
                    axis: colour('axis'), circle: colour('circle'), state: colour('state'), twiceMark: colour('twice-mark'),
                    nowMark: colour('now-mark'), candidate: colour('candidate'), undecided: colour('undecided'),
                    variantOnly: colour('variant-only'), walkOnly: colour('walk-only')};
    for (const name of ['white', 'once', 'twice', 'now']) {
      const hex = parseInt(view.colours[name].slice(1), 16);
      view.words[name] = (0xff000000 | ((hex & 0xff) << 16) | (hex & 0xff00) | (hex >> 16)) >>> 0;
    }
    view.scale = Number(colour('line-scale')) || 1;
  }
  // The rows from `row0` to `row1` made up to date (view.upToDate).
  function bring(row0, row1) {
    const {walk, upToDate, pixels, cells, words} = view;
    for (let row = Math.max(0, row0); row <= Math.min(walk.span - 1, row1); ++row) {
      if (upToDate[row]) continue;
      const [, y0, , h] = box(row * walk.span);
      pixels.fill(words.white, y0 * cells.width, row === walk.span - 1 ? pixels.length : (y0 + h) * cells.width);
      upToDate[row] = 1;
    }
  }

  // As large as the window allows, 3 CSS pixels a cell at least where the screen is wide enough:
  // every cell stays visible; beside the panel when the page's style gives the panel a width of its
  // own (the projector's, on a wide screen), so that the steps and the sentence show with it. In a
  // frame (embed=1) the grid fits whatever the frame, its cells as large as that allows: beside the
  // panel when the frame is wide (room for 16 of its lines' type), above it when it is tall, `less`
  // CSS pixels smaller where the page still overflows.
  function size(w, less = 0) {
    // The same walk in the same size and colours keeps its picture as it is (a phone's window
    // resized as its address bar comes and goes).
    const was = view.walk === w && view.shownAt >= 0 ? look() : null;
    view.walk = w;
    readTheme();
    const panel = document.querySelector('.panel'), panelWidth = parseFloat(getComputedStyle(panel).minWidth) || 0;
    let room = Math.min(grid.parentElement.parentElement.clientWidth || innerWidth,
                        innerHeight - grid.getBoundingClientRect().top - 8, innerWidth - 16);
    if (panelWidth) {
      const left = grid.parentElement.getBoundingClientRect().left, gap = parseFloat(getComputedStyle(panel.parentElement).columnGap) || 0;
      room = Math.min(room, document.documentElement.clientWidth - 2 * left - gap - panelWidth - 2);
    }
    if (pageAddress.embedded) {
      const margin = 16 + 12, beside = Math.max(220, 16 * parseFloat(getComputedStyle(panel).fontSize));
      room = innerWidth >= innerHeight ? Math.min(innerHeight - margin, innerWidth - margin - beside)
                                       : Math.min(innerWidth - margin, innerHeight - margin - panel.offsetHeight);
      room -= less;
    }
    view.cellSize = Math.max(pageAddress.embedded ? 1 : 3, Math.min(pageAddress.embedded ? Infinity : 40, Math.floor(room / view.walk.span)));
    // Never wider than the screen (a phone, or a page zoomed far in): smaller cells, down to one
    // CSS pixel, which the learner can pinch to zoom; the page itself never scrolls sideways.
    const width = Math.min(innerWidth, document.documentElement.clientWidth) - 2 * grid.parentElement.getBoundingClientRect().left - 2;
    if (view.cellSize * view.walk.span > width) view.cellSize = Math.max(1, width / view.walk.span);
    view.ratio = devicePixelRatio || 1;
    view.c = view.cellSize * view.ratio;
    if (`${view.cellSize * view.walk.span} ${view.ratio}` !== view.shape) makeStrips(view.cellSize * view.walk.span);  // else kept, with their pixels
    if (look() === was) return;
    view.counts = new Uint8Array(view.walk.span * view.walk.span);
    view.now = new Uint8Array(view.walk.span * view.walk.span);
    view.shownAt = -1;
  }

  // The picture's strips and layers, `css` CSS pixels a side. Each strip is a whole number of CSS
  // pixels tall and of canvas pixels: the page lays boxes on whole CSS pixels, and a strip of
  // 21.5, say, would be drawn 21 or 22 tall, stretched and blurred. At a pixel ratio that is not
  // whole (2.625, a zoom of 110 %), strips would lie between the screen's pixels whatever their
  // height; the picture is then one canvas.
  const look = () => `${view.shape} ${JSON.stringify(view.colours)} ${view.scale}`;  // all that a picture's pixels depend on but the walk
  function makeStrips(css) {
    view.side = lines.width = lines.height = Math.round(css * view.ratio);
    view.shape = `${css} ${view.ratio}`;
    grid.style.width = grid.style.height = `${css}px`;
    const inStrips = Number.isInteger(view.ratio) && Number.isInteger(css);
    const height = inStrips ? Math.ceil(css / stripCount) * view.ratio : view.side;
    view.strips = [];
    for (let top = 0; top < view.side; top += height) {
      const canvas = document.createElement('canvas');
      canvas.width = view.side;
      canvas.height = Math.min(height, view.side - top);
      canvas.style.height = `${inStrips ? canvas.height / view.ratio : css}px`;
      view.strips.push({top, height: canvas.height, context: canvas.getContext('2d', {willReadFrequently: true})});
    }
    grid.replaceChildren(...view.strips.map((strip) => strip.context.canvas));
    view.cells = new ImageData(view.side, view.side);
    view.pixels = new Uint32Array(view.cells.data.buffer);
  }

  // A grid point's centre in canvas pixels, from the origin's centre; and the state's ring, the
  // largest of the state's marks, which a step's redraw must take in whole.
  const origin = () => (view.walk.radius + 1.5) * view.c;
  const centre = (x, y) => [origin() + x * view.c, origin() - y * view.c];
  // Its width is the cell's share in every theme: thicker, it would hide the colour of the pixel it marks.
  const stateRing = () => ({radius: Math.max(view.c * 0.45, 6 * view.ratio), width: Math.max(2, view.c / 5)});

  const stateOf = (at) => (!view.counts[at] ? 'white' : view.now[at] ? 'now' : view.counts[at] > 1 ? 'twice' : 'once');
  // A cell's box in canvas pixels, rounded alike wherever it is painted.
  function box(at) {
    const {walk, c} = view;
    const row = Math.floor(at / walk.span), column = at % walk.span;
    const x0 = Math.round(column * c), y0 = Math.round(row * c);
    return [x0, y0, Math.round((column + 1) * c) - x0, Math.round((row + 1) * c) - y0];
  }

  // The cells drawn up to `p`, each painted once: they, not the whole plane, are the work.
  function paintAll(p) {
    const {walk, counts, now} = view;
    counts.fill(0);
    now.fill(0);
    const drawn = [];
    for (let i = 0; i < walk.offsets[p + 1]; ++i) if (counts[walk.cells[i]]++ === 0) drawn.push(walk.cells[i]);
    for (let i = walk.offsets[p]; i < walk.offsets[p + 1]; ++i) now[walk.cells[i]] = 1;
    view.upToDate = new Uint8Array(walk.span);
    for (const at of drawn) paintCell(at);
  }

  function paintCell(at) {
    const {walk, pixels} = view;
    const row = Math.floor(at / walk.span);
    bring(row, row);
    const [x0, y0, w, h] = box(at), word = view.words[stateOf(at)], width = view.cells.width;
    for (let y = y0; y < y0 + h; ++y) pixels.fill(word, y * width + x0, y * width + x0 + w);
  }

  // From position `from` to its neighbour `to`: only the cells of the two positions change.
  function paintStep(from, to) {
    const {walk, counts, now} = view;
    const [later, sign] = to > from ? [to, 1] : [from, -1];
    for (let i = walk.offsets[later]; i < walk.offsets[later + 1]; ++i) counts[walk.cells[i]] += sign;
    for (let i = walk.offsets[from]; i < walk.offsets[from + 1]; ++i) now[walk.cells[i]] = 0;
    for (let i = walk.offsets[to]; i < walk.offsets[to + 1]; ++i) now[walk.cells[i]] = 1;
    for (const p of [from, to]) {
      for (let i = walk.offsets[p]; i < walk.offsets[p + 1]; ++i) paintCell(walk.cells[i]);
    }
  }

  // The position `p` of the walk. `hideDecision`: the midpoint shows nothing of the answer (predict
  // mode). `variant`: {only: cells the variant draws and the walk does not, missing: the reverse}.
  // A step redraws the picture only around the cells it changes, and a variant chosen only around
  // its marks and the last one's.
  function show(p, {hideDecision = false, variant = null} = {}) {
    const was = view.shownAt >= 0 ? view.shown : null;
    if (was && was.p === p && was.hideDecision === hideDecision && was.variant === variant) return;
    const step = was && Math.abs(p - was.p) === 1;
    if (step) paintStep(was.p, p);
    else if (!was || p !== was.p) paintAll(p);
    if (!was || was.variant !== variant) drawLines(variant);
    let areas = null;  // the whole picture
    if (was && was.hideDecision === hideDecision) {
      if (step && was.variant === variant) areas = changedAreas(was.p, p);
      else if (p === was.p) areas = apart([...markBoxes(was.variant), ...markBoxes(variant), ...stateBox(p)]);
    }
    for (const area of areas || [null]) drawPicture(p, hideDecision, area);
    view.shownAt = p;
    view.shown = {p, hideDecision, variant};
  }

  // Boxes of cells [first row, last row, first column, last column], each grown by one cell each
  // way (the mark of a cell narrower than its line spills into its neighbours), as canvas-pixel
  // areas that do not overlap: boxes that do are joined into the box that holds both. A picture
  // redrawn within them comes out as a whole redraw draws it, to the pixel. Rows far apart stay
  // apart (a filled disc's step changes spans on four rows at once), and so do a variant's marks
  // around the circle: a few small areas rather than the box that holds them all.
  function apart(boxes) {
    const walk = view.walk;
    const kept = [];
    for (const [row0, row1, column0, column1] of boxes) {
      let b = [Math.max(0, row0 - 1), Math.min(walk.span - 1, row1 + 1), Math.max(0, column0 - 1), Math.min(walk.span - 1, column1 + 1)];
      for (let i = 0; i < kept.length;) {
        const k = kept[i];
        if (k[0] > b[1] || b[0] > k[1] || k[2] > b[3] || b[2] > k[3]) { ++i; continue; }
        b = [Math.min(k[0], b[0]), Math.max(k[1], b[1]), Math.min(k[2], b[2]), Math.max(k[3], b[3])];
        kept.splice(i, 1);
        i = 0;  // the grown box may now overlap one already passed
      }
      kept.push(b);
    }
    return kept.map(([row0, row1, column0, column1]) => {
      const [left, top] = box(row0 * walk.span + column0), [right, bottom, w, h] = box(row1 * walk.span + column1);
      return [left, top, right + w - left, bottom + h - top];
    });
  }
  // The cells a canvas-pixel square of half-side `reach` around (x, y) touches.
  const cellsAround = (x, y, reach) => [Math.floor((y - reach) / view.c), Math.floor((y + reach) / view.c), Math.floor((x - reach) / view.c), Math.floor((x + reach) / view.c)];

  // What a step between `from` and `to` changes: the cells of both positions (their colours,
  // borders and marks of twice) and both states' marks.
  function changedAreas(from, to) {
    const walk = view.walk;
    const boxes = [];
    for (const p of [from, to]) {
      for (let i = walk.offsets[p]; i < walk.offsets[p + 1]; ++i) {
        const row = Math.floor(walk.cells[i] / walk.span), column = walk.cells[i] % walk.span;
        boxes.push([row, row, column, column]);
      }
    }
    return apart([...boxes, ...stateBox(from), ...stateBox(to)]);
  }

  // The state's marks at position `p`: its pixel to the lower candidate, and M between. Never cut
  // by an area's edge: Chromium dashes the candidates' edges a shade differently where a clip
  // cuts them (a strip's edge cuts them alike in a whole redraw and in a step's).
  function stateBox(p) {
    const {walk, c} = view;
    if (p >= walk.steps.length) return [];
    const ring = stateRing(), reach = ring.radius + ring.width + 2, [x, y] = centre(walk.steps[p].x, walk.steps[p].y);
    return [[Math.floor((y - reach) / c), Math.ceil((y + c + reach) / c), Math.floor((x - reach) / c), Math.ceil((x + reach) / c)]];
  }

  // A variant's marks (drawLines), each with its line and a pixel more.
  const markReach = () => Math.max(view.c * 0.7, 5 * view.ratio) + Math.max(2, view.c / 6) * view.scale + 1;
  const markBoxes = (variant) => (variant ? [...variant.only, ...variant.missing].map(([x, y]) => cellsAround(...centre(x, y), markReach())) : []);

  // What a step never changes, apart, with room to see through: the grid lines, the axes, the
  // exact circle, and a variant's pixels apart from the walk's, a round mark for its own and a
  // square one for the walk's it lacks, larger than a small cell so that they can be found.
  function drawLines(variant) {
    const {walk, c} = view;
    const o = origin();
    l.clearRect(0, 0, lines.width, lines.height);
    if (view.cellSize >= 6) {
      l.strokeStyle = view.colours.grid;
      l.lineWidth = view.scale;
      l.beginPath();
      for (let i = 0; i <= walk.span; ++i) {
        l.moveTo(i * c, 0), l.lineTo(i * c, lines.height);
        l.moveTo(0, i * c), l.lineTo(lines.width, i * c);
      }
      l.stroke();
    }
    l.strokeStyle = view.colours.axis;
    l.lineWidth = Math.max(1, view.ratio) * view.scale;
    l.beginPath();
    l.moveTo(0, o), l.lineTo(lines.width, o), l.moveTo(o, 0), l.lineTo(o, lines.height);
    l.stroke();
    l.strokeStyle = view.colours.circle;
    l.lineWidth = Math.max(1.5, c / 6) * view.scale;
    l.beginPath();
    l.arc(o, o, walk.radius * c, 0, 2 * Math.PI);
    l.stroke();
    if (!variant) return;
    const reach = Math.max(c * 0.7, 5 * view.ratio);  // markReach() takes these in
    l.lineWidth = Math.max(2, c / 6) * view.scale;
    l.strokeStyle = view.colours.variantOnly;
    for (const [x, y] of variant.only) {
      l.beginPath();
      l.arc(...centre(x, y), reach, 0, 2 * Math.PI);
      l.stroke();
    }
    l.strokeStyle = view.colours.walkOnly;
    for (const [x, y] of variant.missing) {
      const [cx, cy] = centre(x, y);
      l.strokeRect(cx - reach, cy - reach, 2 * reach, 2 * reach);
    }
  }

  // The picture, all of it or only within `area` ([x, y, width, height] in canvas pixels), on each
  // strip that the area crosses: the cells, the marks of this position's cells, the lines, and the
  // state over all. Each area is drawn on its own, within a clip of one rectangle: under a clip of
  // several, Chromium blends the lines a shade differently.
  function drawPicture(p, hideDecision, area) {
    const [x, y, w, h] = area || [0, 0, view.side, view.side];
    // A whole redraw fills the rows above the first drawn and below the last in white, and marks
    // no cell in the rows with none drawn: at a walk's first state, nearly all of them.
    const drawn = area ? null : rowsDrawn(p);
    for (const strip of view.strips) {
      const top = Math.max(y, strip.top), bottom = Math.min(y + h, strip.top + strip.height);
      if (top < bottom) drawStrip(strip.context, p, hideDecision, [x, top, w, bottom - top], strip.top, drawn);
    }
  }

  // Whether each row holds a cell drawn up to `p`.
  function rowsDrawn(p) {
    const walk = view.walk;
    const drawn = new Uint8Array(walk.span);
    for (let i = 0; i < walk.offsets[p + 1]; ++i) drawn[Math.floor(walk.cells[i] / walk.span)] = 1;
    return drawn;
  }

  // `m`: the strip's context, its origin moved to the picture's. `drawn`: the rows that hold a cell
  // drawn, or null for all.
  function drawStrip(m, p, hideDecision, [ax, ay, aw, ah], stripTop, drawn) {
    const {walk, c, counts, now, colours} = view;
    const rows = [Math.max(0, Math.floor(ay / c) - 1), Math.min(walk.span - 1, Math.floor((ay + ah) / c) + 1)];
    if (drawn) {
      // White where no row is drawn, the cells' pixels from the first row drawn to the last.
      let first = rows[0], last = rows[1];
      while (first <= last && !drawn[first]) ++first;
      while (last >= first && !drawn[last]) --last;
      m.fillStyle = colours.white;
      m.fillRect(ax, ay - stripTop, aw, ah);
      if (first <= last) {
        const [, top] = box(first * walk.span), [, y0, , h0] = box(last * walk.span);
        const from = Math.max(ay, top), to = Math.min(ay + ah, y0 + h0);
        bring(first, last);
        if (from < to) m.putImageData(view.cells, 0, -stripTop, ax, from, aw, to - from);
      }
    } else {
      bring(...rows);
      m.putImageData(view.cells, 0, -stripTop, ax, ay, aw, ah);  // opaque: what was there goes
    }
    m.save();
    m.translate(0, -stripTop);
    m.beginPath();
    m.rect(ax, ay, aw, ah);
    m.clip();
    // Borders for this position's cells, and the mark of a cell drawn twice, each inside its
    // cell: colour is not the only cue. The borders are thin, in every theme: the cells' colour,
    // this step's yellow, shows inside them. One path for each kind, the borders first, not a stroke a
    // cell: a filled disc has thousands of cells drawn twice. A path is made, and stroked, only
    // when it has something in it.
    let borders = null;
    const crosses = {[colours.nowMark]: null, [colours.twiceMark]: null};
    const border = Math.max(1, c / 16), bordered = view.cellSize >= 8;
    const columns = [Math.max(0, Math.floor(ax / c) - 1), Math.min(walk.span - 1, Math.floor((ax + aw) / c) + 1)];
    for (let row = rows[0]; row <= rows[1]; ++row) {
      if (drawn && !drawn[row]) continue;
      for (let column = columns[0]; column <= columns[1]; ++column) {
        const at = row * walk.span + column;
        if (!counts[at] || !(counts[at] > 1 || (now[at] && bordered))) continue;
        const [left, top, w, h] = box(at);
        if (now[at] && bordered) (borders ||= new Path2D()).rect(left + border / 2, top + border / 2, w - border, h - border);
        if (counts[at] > 1) {
          const cross = (crosses[now[at] ? colours.nowMark : colours.twiceMark] ||= new Path2D());
          cross.moveTo(left + w * 0.2, top + h * 0.2), cross.lineTo(left + w * 0.8, top + h * 0.8);
          cross.moveTo(left + w * 0.8, top + h * 0.2), cross.lineTo(left + w * 0.2, top + h * 0.8);
        }
      }
    }
    if (borders) {
      m.strokeStyle = colours.nowMark;
      m.lineWidth = border;
      m.stroke(borders);
    }
    for (const [colour, path] of Object.entries(crosses)) {
      if (!path) continue;
      m.strokeStyle = colour;
      m.lineWidth = Math.max(1, c / 10) * view.scale;
      m.stroke(path);
    }
    m.drawImage(lines, ax, ay, aw, ah, ax, ay, aw, ah);
    drawState(m, p, hideDecision);
    m.restore();
  }

  // The state: its pixel, the candidates E and SE, and the midpoint M between them, filled when
  // inside the circle (left hollow, and grey, while the learner predicts).
  function drawState(m, p, hideDecision) {
    const {walk, c, colours} = view;
    if (p >= walk.steps.length) return;
    const s = walk.steps[p], ring = stateRing();
    m.strokeStyle = colours.state;
    m.lineWidth = ring.width;
    m.beginPath();
    m.arc(...centre(s.x, s.y), ring.radius, 0, 2 * Math.PI);
    m.stroke();
    if (!s.move) return;
    m.strokeStyle = colours.candidate;
    m.lineWidth = Math.max(1, c / 8) * view.scale;
    m.setLineDash([Math.max(2, c / 5), Math.max(2, c / 5)]);
    for (const dy of [0, 1]) {
      const [cx, cy] = centre(s.x + 1, s.y - dy);
      m.strokeRect(cx - c / 2 + m.lineWidth / 2, cy - c / 2 + m.lineWidth / 2, c - m.lineWidth, c - m.lineWidth);
    }
    m.setLineDash([]);
    m.beginPath();
    m.arc(...centre(...s.midpoint), Math.max(4 * view.ratio, c * 0.22), 0, 2 * Math.PI);
    m.fillStyle = m.strokeStyle = hideDecision ? colours.undecided : colours.candidate;
    if (!hideDecision && s.move === 'E') m.fill();
    m.lineWidth = Math.max(1.5, c / 10) * view.scale;
    m.stroke();
  }

  // The grid point under a pointer, or null outside the plane.
  function pointAt(clientX, clientY) {
    const area = grid.getBoundingClientRect();  // its border box: the picture starts inside the border
    const x = Math.floor((clientX - area.left - grid.clientLeft) / view.cellSize) - view.walk.radius - 1;
    const y = view.walk.radius + 1 - Math.floor((clientY - area.top - grid.clientTop) / view.cellSize);
    return Math.abs(x) <= view.walk.radius + 1 && Math.abs(y) <= view.walk.radius + 1 ? {x, y} : null;
  }

  // The picture as its strips show it, whole, for the tests to read; `redrawn`: drawn again whole
  // first, as a redraw of part of it must come out.
  function picture({redrawn = false} = {}) {
    if (redrawn && view.shownAt >= 0) {
      view.shownAt = -1;
      show(view.shown.p, view.shown);
    }
    const image = new ImageData(view.side, view.side);
    for (const strip of view.strips) image.data.set(strip.context.getImageData(0, 0, view.side, strip.height).data, strip.top * view.side * 4);
    return image;
  }

  return {size, show, pointAt, picture, element: grid};
})();
