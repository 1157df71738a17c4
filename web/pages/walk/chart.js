// What each mode costs: the draws of one pass against the radius, 1 to 100, a line a mode, as an
// SVG with a title and a description for those who cannot see it, and the same figures as a
// table. The counts are the rasterisers' own, through the counting call; the current radius is
// marked on the chart and in the table.
const walkChart = (function () {
  const t = i18n.t;
  const svg = document.getElementById('chart'), table = document.getElementById('chart-data');
  const ns = 'http://www.w3.org/2000/svg';
  const largest = 100;
  const styles = [{colour: '#0072b2', dash: ''}, {colour: '#d55e00', dash: '8 4'}, {colour: '#009e73', dash: '2 3'}];
  const width = 640, height = 320, left = 64, right = 96, top = 16, bottom = 44;
  let counts = null, modes = [];

  function element(name, attributes, parent) {
    const e = document.createElementNS(ns, name);
    for (const [k, v] of Object.entries(attributes)) e.setAttribute(k, v);
    if (parent) parent.appendChild(e);
    return e;
  }

  const x = (r) => left + ((r - 1) / (largest - 1)) * (width - left - right);
  let y = () => 0;

  // Counts every mode at every radius, and draws the chart and its table.
  function build(modeNames) {
    modes = modeNames;
    counts = modes.map((mode) => Array.from({length: largest}, (_, i) => walkTrace.drawCount(mode, i + 1)));
    const most = Math.max(...counts.flat());
    const step = 10 ** Math.floor(Math.log10(most / 4)) * (most / 10 ** Math.floor(Math.log10(most / 4)) > 20 ? 5 : 2);
    const ceiling = Math.ceil(most / step) * step;
    y = (n) => top + (1 - n / ceiling) * (height - top - bottom);
    svg.setAttribute('viewBox', `0 0 ${width} ${height}`);
    const axes = element('g', {class: 'axes'});
    for (let n = 0; n <= ceiling; n += step) {
      element('line', {x1: left, x2: width - right, y1: y(n), y2: y(n)}, axes);
      element('text', {x: left - 6, y: y(n) + 4, 'text-anchor': 'end'}, axes).textContent = n.toLocaleString(i18n.lang);
    }
    for (const r of [1, 20, 40, 60, 80, 100]) {
      element('text', {x: x(r), y: height - bottom + 18, 'text-anchor': 'middle'}, axes).textContent = r;
    }
    element('text', {x: (left + width - right) / 2, y: height - 6, 'text-anchor': 'middle'}, axes).textContent = t('cost.radius');
    element('text', {x: 14, y: top + (height - top - bottom) / 2, 'text-anchor': 'middle',
                     transform: `rotate(-90 14 ${top + (height - top - bottom) / 2})`}, axes).textContent = t('cost.draws');
    const lines = element('g', {class: 'lines'});
    modes.forEach((mode, i) => {
      const points = counts[i].map((n, k) => `${x(k + 1).toFixed(1)},${y(n).toFixed(1)}`).join(' ');
      element('polyline', {points, fill: 'none', stroke: styles[i].colour, 'stroke-width': 2.5, 'stroke-dasharray': styles[i].dash}, lines);
      element('text', {x: width - right + 6, y: y(counts[i][largest - 1]) + 4 + (i === 2 ? 14 : 0), fill: styles[i].colour}, lines)
        .textContent = t(`mode.${mode}`);
    });
    svg.replaceChildren(element('title', {id: 'chart-title'}), element('desc', {id: 'chart-desc'}), axes, lines,
                        element('g', {class: 'current'}));
    svg.querySelector('title').textContent = t('cost.chart-title');
    const head = table.tHead.rows[0];
    head.replaceChildren(...['cost.radius', ...modes.map((m) => `mode.${m}`)].map((key) => {
      const th = document.createElement('th');
      th.scope = 'col';
      th.textContent = t(key);
      return th;
    }));
    table.tBodies[0].replaceChildren(...counts[0].map((_, k) => {
      const row = document.createElement('tr');
      row.insertCell().textContent = k + 1;
      for (const column of counts) row.insertCell().textContent = column[k];
      return row;
    }));
  }

  // Marks `radius` (a vertical line and a dot on each mode's line) and says its figures.
  function mark(radius) {
    if (!counts) return;
    const r = Math.min(radius, largest), group = svg.querySelector('.current');
    group.replaceChildren();
    element('line', {x1: x(r), x2: x(r), y1: top, y2: height - bottom}, group);
    counts.forEach((column, i) => element('circle', {cx: x(r), cy: y(column[r - 1]), r: 4.5, fill: styles[i].colour}, group));
    const figures = modes.map((mode, i) => t('cost.figure', {mode: t(`mode.${mode}`), n: counts[i][r - 1]})).join(', ');
    svg.querySelector('desc').textContent = t('cost.chart-desc', {r, figures});
    for (const row of table.tBodies[0].rows) row.classList.toggle('current', Number(row.cells[0].textContent) === r);
  }

  return {build, mark, get built() { return counts !== null; }};
})();
