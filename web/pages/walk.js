// The explainer: the walk of the demonstration's rasterisers, state by state. The numbers come from
// the rasterisers themselves (midpoint-walk.js, the trace that midpoint-walk --json prints); this
// page only shows them: it reads each state's x, y, d, move and draws and never walks itself.
//
// Its address holds its state (walk.html?mode=spans&radius=7&step=3), and follows every change.
(async function () {
  const walkModule = await createWalkModule();
  const modes = [];
  for (let i = 0; i < walkModule._walkModeCount(); ++i) modes.push(walkModule.UTF8ToString(walkModule._walkModeName(i)));
  const radiusLimit = 100;  // every cell of the grid stays visible on a 1280 x 800 screen

  const $ = (id) => document.getElementById(id);
  const grid = $('grid'), radiusInput = $('radius'), modeSelect = $('mode'), playButton = $('play');
  const tbody = document.querySelector('#steps tbody'), tfoot = document.querySelector('#steps tfoot');
  for (const name of modes) modeSelect.add(new Option(name, name));

  // The walk on show, and where in it we are: 0 .. steps.length - 1, or steps.length for the
  // draws made after the walk (the extents' rows), when there are any.
  let walk = null, position = 0, timer = null;
  // The draws as cells of the grid (row-major over the plane from -(r + 1) to r + 1, `span` a
  // side), all positions one after another: those of position p are cells[offsets[p]] up to
  // cells[offsets[p + 1]]. So a redraw counts the writes to each cell with integers only.
  let span = 0, cells = new Int32Array(0), offsets = [0];
  let firstDrawnAt = new Int32Array(0);  // cell -> the position that first drew it, or -1
  let runningTotals = [];                // draws up to and including each position

  const minus = (n) => String(n).replace('-', '\u2212');
  const lastPosition = () => walk.steps.length - (walk.after.length ? 0 : 1);
  const drawsAt = (p) => (p < walk.steps.length ? walk.steps[p].draws : walk.after);

  // --- the address -------------------------------------------------------------------------
  function readAddress() {
    const query = new URLSearchParams(location.search);
    const ignored = [];
    let mode = modes[0], radius = 7, step = 0;
    if (query.has('mode')) {
      if (modes.includes(query.get('mode'))) mode = query.get('mode');
      else ignored.push(`mode “${query.get('mode')}” (not ${modes.join(', ')})`);
    }
    if (query.has('radius')) {
      const text = query.get('radius');
      if (/^[0-9]{1,3}$/.test(text) && Number(text) >= 1 && Number(text) <= radiusLimit) radius = Number(text);
      else ignored.push(`radius “${text}” (not a whole number from 1 to ${radiusLimit})`);
    }
    if (query.has('step')) {
      const text = query.get('step');
      if (/^[0-9]{1,4}$/.test(text)) step = Number(text);
      else ignored.push(`step “${text}” (not a step number)`);
    }
    const note = $('address-note');
    // textContent only: nothing from the address is ever read as markup.
    note.textContent = ignored.length ? `Ignored in the address: ${ignored.join('; ')}.` : '';
    note.hidden = !ignored.length;
    return {mode, radius, step};
  }

  function writeAddress() {
    const query = `?mode=${encodeURIComponent(modeSelect.value)}&radius=${radiusInput.value}&step=${position}`;
    if (location.search !== query) history.replaceState(null, '', query);
  }

  // --- the walk ----------------------------------------------------------------------------
  function load(mode, radius, step) {
    stop();
    modeSelect.value = mode;
    radiusInput.value = radius;
    walk = JSON.parse(walkModule.UTF8ToString(walkModule._walkJson(modes.indexOf(mode), radius)));
    span = 2 * radius + 3;
    cells = new Int32Array(walk.total);
    offsets = [0];
    firstDrawnAt = new Int32Array(span * span).fill(-1);
    runningTotals = [];
    let n = 0;
    for (let p = 0; p <= lastPosition(); ++p) {
      for (const [x, y] of drawsAt(p)) {
        const at = cellAt(x, y);
        if (firstDrawnAt[at] < 0) firstDrawnAt[at] = p;
        cells[n++] = at;
      }
      offsets.push(n);
      runningTotals.push(n);
    }
    fillTable();
    sizeGrid();
    go(Math.min(step, lastPosition()));
  }

  function cell(row, text) {
    const td = row.insertCell();
    td.textContent = text;
    return td;
  }

  function fillTable() {
    const rows = document.createDocumentFragment();
    walk.steps.forEach((s, p) => {
      const row = document.createElement('tr');
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = p;
      button.setAttribute('aria-label', `Step ${p}`);
      button.dataset.step = p;
      row.insertCell().appendChild(button);
      cell(row, s.x), cell(row, s.y), cell(row, minus(s.d));
      cell(row, minus((s.d + 0.25).toFixed(2)));  // F(M) = d + 1/4
      cell(row, s.move || '—'), cell(row, s.draws.length), cell(row, runningTotals[p]);
      rows.appendChild(row);
    });
    tbody.replaceChildren(rows);
    tfoot.replaceChildren();
    if (walk.after.length) {
      const row = tfoot.insertRow();
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = 'after';
      button.setAttribute('aria-label', 'After the walk');
      button.dataset.step = walk.steps.length;
      row.insertCell().appendChild(button);
      const what = row.insertCell();
      what.colSpan = 5;
      what.textContent = 'the rows, from their collected half-widths';
      cell(row, walk.after.length), cell(row, walk.total);
    }
  }

  // --- where we are ------------------------------------------------------------------------
  function go(p) {
    position = Math.max(0, Math.min(p, lastPosition()));
    for (const row of document.querySelectorAll('#steps [aria-current]')) row.removeAttribute('aria-current');
    const row = position < walk.steps.length ? tbody.rows[position] : tfoot.rows[0];
    row.setAttribute('aria-current', 'step');
    const frame = row.closest('.table-frame');
    const top = row.offsetTop - frame.clientHeight / 2;
    if (row.offsetTop < frame.scrollTop + 40 || row.offsetTop > frame.scrollTop + frame.clientHeight - 40) frame.scrollTop = top;
    $('narration').textContent = narration();
    draw();
    writeAddress();
  }

  function narration() {
    const total = runningTotals[position], n = drawsAt(position).length;
    const drawn = `${n} draw${n === 1 ? '' : 's'}, ${total} so far.`;
    if (position === walk.steps.length) {
      return `After the walk: the rows ±0 to ±${walk.radius}, each drawn once from the half-width it collected: ` +
             `${n} draws. Total ${walk.total}, the count the demonstration prints.`;
    }
    const s = walk.steps[position];
    const head = `Step ${position}: x = ${s.x}, y = ${s.y}, d = ${minus(s.d)}`;
    if (!s.move) {
      const end = walk.after.length ? `${n} draws. The rows come next, from the half-widths collected.`
                                    : `${n} draws. Total ${walk.total}, the count the demonstration prints.`;
      return `${head}: y ≤ x, the walk has reached the diagonal and stops. ${end}`;
    }
    const inside = s.d < 0;
    const midpoint = `(${s.x + 1}, ${minus(s.y - 0.5)})`;
    return `${head} ${inside ? '< 0' : '≥ 0'}: the midpoint ${midpoint} is ${inside ? 'inside the circle' : 'outside the circle or on it'}, ` +
           `so the walk moves ${s.move === 'E' ? 'east' : 'south-east'}. ${drawn}`;
  }

  // --- the grid ----------------------------------------------------------------------------
  let cellSize = 4, ratio = 1, image = null, counts = new Uint8Array(0), now = new Uint8Array(0);
  const cellAt = (x, y) => (walk.radius + 1 - y) * span + (x + walk.radius + 1);

  // The plane from -(r + 1) to r + 1 each way, as large as the window allows, 3 CSS pixels a cell
  // at least.
  function sizeGrid() {
    const room = Math.min(grid.parentElement.clientWidth || innerWidth, innerHeight - grid.getBoundingClientRect().top - 8,
                          innerWidth - 16);
    cellSize = Math.max(3, Math.min(40, Math.floor(room / span)));
    ratio = devicePixelRatio || 1;
    grid.style.width = grid.style.height = `${cellSize * span}px`;
    grid.width = grid.height = Math.round(cellSize * span * ratio);
    image = grid.getContext('2d').createImageData(grid.width, grid.height);
    counts = new Uint8Array(span * span);
    now = new Uint8Array(span * span);
  }

  // The cells in their colours, written straight into the picture's pixels: at radius 100 there
  // are some 30,000, too many to draw one by one within a frame.
  const colours = {white: 0xffffffff, once: 0xffe9b456, twice: 0xff005ed5, now: 0xff42e4f0};  // ABGR
  function paintCells(c) {
    counts.fill(0);
    now.fill(0);
    for (let i = 0; i < offsets[position + 1]; ++i) ++counts[cells[i]];
    for (let i = offsets[position]; i < offsets[position + 1]; ++i) now[cells[i]] = 1;
    const pixels = new Uint32Array(image.data.buffer), width = image.width;
    pixels.fill(colours.white);
    for (let at = 0; at < counts.length; ++at) {
      if (!counts[at]) continue;
      const colour = now[at] ? colours.now : counts[at] > 1 ? colours.twice : colours.once;
      const row = Math.floor(at / span), column = at % span;
      const x0 = Math.round(column * c), x1 = Math.round((column + 1) * c);
      for (let y = Math.round(row * c), y1 = Math.round((row + 1) * c); y < y1; ++y) pixels.fill(colour, y * width + x0, y * width + x1);
    }
    grid.getContext('2d').putImageData(image, 0, 0);
  }

  function draw() {
    const g = grid.getContext('2d');
    const r = walk.radius, c = cellSize * ratio, o = (r + 1.5) * c;  // o: the origin's centre
    const at = (x, y) => [o + (x - 0.5) * c, o - (y + 0.5) * c];  // a cell's top-left corner
    paintCells(c);
    if (cellSize >= 6) {
      g.strokeStyle = 'rgba(0, 0, 0, 0.1)';
      g.lineWidth = 1;
      g.beginPath();
      for (let i = 0; i <= span; ++i) {
        g.moveTo(i * c, 0), g.lineTo(i * c, grid.height);
        g.moveTo(0, i * c), g.lineTo(grid.width, i * c);
      }
      g.stroke();
    }
    // Borders for this position's cells, and the mark of a cell drawn twice: colour is not the
    // only cue.
    for (let k = 0; k < counts.length; ++k) {
      if (!counts[k] || !(counts[k] > 1 || (now[k] && cellSize >= 8))) continue;
      const left = (k % span) * c, top = Math.floor(k / span) * c;
      if (now[k] && cellSize >= 8) {
        g.strokeStyle = '#000';
        g.lineWidth = Math.max(1, c / 8);
        g.strokeRect(left + g.lineWidth / 2, top + g.lineWidth / 2, c - g.lineWidth, c - g.lineWidth);
      }
      if (counts[k] > 1) {
        g.strokeStyle = now[k] ? '#000' : '#fff';
        g.lineWidth = Math.max(1, c / 10);
        g.beginPath();
        g.moveTo(left + c * 0.2, top + c * 0.2), g.lineTo(left + c * 0.8, top + c * 0.8);
        g.moveTo(left + c * 0.8, top + c * 0.2), g.lineTo(left + c * 0.2, top + c * 0.8);
        g.stroke();
      }
    }
    // The axes and the exact circle.
    g.strokeStyle = '#888';
    g.lineWidth = Math.max(1, ratio);
    g.beginPath();
    g.moveTo(0, o), g.lineTo(grid.width, o), g.moveTo(o, 0), g.lineTo(o, grid.height);
    g.stroke();
    g.strokeStyle = '#000';
    g.lineWidth = Math.max(1.5, c / 6);
    g.beginPath();
    g.arc(o, o, r * c, 0, 2 * Math.PI);
    g.stroke();
    // The state: its pixel, the candidates E and SE, and the midpoint M between them.
    if (position < walk.steps.length) {
      const s = walk.steps[position];
      g.strokeStyle = '#000';
      g.lineWidth = Math.max(2, c / 5);
      g.beginPath();
      g.arc(o + s.x * c, o - s.y * c, Math.max(c * 0.45, 6 * ratio), 0, 2 * Math.PI);
      g.stroke();
      if (s.move) {
        g.strokeStyle = '#009e73';
        g.lineWidth = Math.max(1, c / 8);
        g.setLineDash([Math.max(2, c / 5), Math.max(2, c / 5)]);
        for (const dy of [0, 1]) {
          const [left, top] = at(s.x + 1, s.y - dy);
          g.strokeRect(left + g.lineWidth / 2, top + g.lineWidth / 2, c - g.lineWidth, c - g.lineWidth);
        }
        g.setLineDash([]);
        g.beginPath();
        g.arc(o + (s.x + 1) * c, o - (s.y - 0.5) * c, Math.max(4 * ratio, c * 0.22), 0, 2 * Math.PI);
        g.fillStyle = '#009e73';
        if (s.d < 0) g.fill();
        g.lineWidth = Math.max(1.5, c / 10);
        g.stroke();
      }
    }
  }

  // --- input -------------------------------------------------------------------------------
  function stop() {
    clearInterval(timer);
    timer = null;
    playButton.setAttribute('aria-pressed', 'false');
    playButton.textContent = 'Play';
  }

  function togglePlay() {
    if (timer) return stop();
    if (position >= lastPosition()) go(0);
    playButton.setAttribute('aria-pressed', 'true');
    playButton.textContent = 'Pause';
    timer = setInterval(() => {
      if (position >= lastPosition()) return stop();
      go(position + 1);
    }, 1000 / Number($('speed').value));
  }

  $('start').onclick = () => go(0);
  $('back').onclick = () => go(position - 1);
  $('forward').onclick = () => go(position + 1);
  $('end').onclick = () => go(lastPosition());
  playButton.onclick = togglePlay;
  $('speed').onchange = () => { if (timer) stop(), togglePlay(); };
  modeSelect.onchange = () => load(modeSelect.value, walk.radius, 0);
  radiusInput.onchange = () => {
    const radius = Number(radiusInput.value);
    if (Number.isInteger(radius) && radius >= 1 && radius <= radiusLimit) load(modeSelect.value, radius, 0);
    else radiusInput.value = walk.radius;
  };
  document.querySelector('#steps').addEventListener('click', (event) => {
    const button = event.target.closest('button[data-step]');
    if (button) stop(), go(Number(button.dataset.step));
  });
  grid.addEventListener('click', (event) => {
    const box = grid.getBoundingClientRect();
    const x = Math.floor((event.clientX - box.left) / cellSize) - walk.radius - 1;
    const y = walk.radius + 1 - Math.floor((event.clientY - box.top) / cellSize);
    const p = Math.abs(x) <= walk.radius + 1 && Math.abs(y) <= walk.radius + 1 ? firstDrawnAt[cellAt(x, y)] : -1;
    if (p >= 0) stop(), go(p);
  });
  document.addEventListener('keydown', (event) => {
    if (event.ctrlKey || event.altKey || event.metaKey || event.target.closest('input, select, textarea')) return;
    const onButton = event.target.closest('button');
    const moves = {ArrowLeft: () => go(position - 1), ArrowRight: () => go(position + 1), Home: () => go(0),
                   End: () => go(lastPosition()), ' ': onButton ? null : togglePlay};
    if (!moves[event.key]) return;
    event.preventDefault();
    if (event.key !== ' ') stop();
    moves[event.key]();
  });
  addEventListener('resize', () => { sizeGrid(); draw(); });

  const start = readAddress();
  load(start.mode, start.radius, start.step);
  document.body.dataset.ready = 'true';
  performance.mark('walk-ready');  // the table and the grid are there
})();
