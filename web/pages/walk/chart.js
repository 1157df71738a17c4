// What each mode costs: the draws of one pass against the radius, up to the page's largest, a
// line a mode, and below it the overdraw, spans' draws less extents' (what the spans draw twice),
// as a bar a radius on a scale of its own, since it is a few draws where the others are thousands.
// Both are SVGs with a title and a description for those who cannot see them, and the same
// figures make a table. The counts are the rasterisers' own, through the counting call; the
// current radius is marked on the charts and in the table.
import {i18n, pageTheme} from '../from-head.js';
import {walkTrace} from './trace.js';

export const walkChart = (function () {
  const t = i18n.t;
  const table = document.getElementById('chart-data');
  const ns = 'http://www.w3.org/2000/svg';
  const state = {
    largest: 0,  // the page's largest radius, the program's, read when the charts are built
    modes: [],
    counts: null,  // each mode's draws at each radius, counted once
    overdraw: null,  // the spans' draws less the extents' at each radius
    charts: [],  // the two plots, {svg, y, height, series}
  };
  // The theme's colours (theme.css), a dash as well so that the lines are told apart without them.
  const styles = [{colour: 'var(--series-1)', dash: ''}, {colour: 'var(--series-2)', dash: '8 4'}, {colour: 'var(--series-3)', dash: '2 3'}];
  const overdrawStyle = {colour: 'var(--series-4)', dash: ''};
  const width = 640, left = 64, right = 96, top = 16, bottom = 44;
  const x = (r) => left + ((r - 1) / (state.largest - 1)) * (width - left - right);
  const scale = () => Number(pageTheme.colour('line-scale')) || 1;

  function element(name, attributes, parent) {
    const e = document.createElementNS(ns, name);
    // A style through the object model: the pages' policy refuses style attributes.
    for (const [k, v] of Object.entries(attributes)) k === 'style' ? (e.style.cssText = v) : e.setAttribute(k, v);
    if (parent) parent.appendChild(e);
    return e;
  }

  // One chart in `svg`, `height` tall: a line for each of `series` ({name, counts, style}), or a bar
  // at each radius for one with `bars`, whose figures jump from radius to radius.
  function plot(svg, id, height, series) {
    const most = Math.max(1, ...series.flatMap((s) => s.counts));
    const magnitude = 10 ** Math.floor(Math.log10(Math.max(1, most / 4)));
    const step = magnitude * (most / magnitude > 20 ? 5 : most / magnitude > 8 ? 2 : 1);
    const ceiling = Math.ceil(most / step) * step;
    const y = (n) => top + (1 - n / ceiling) * (height - top - bottom);
    svg.setAttribute('viewBox', `0 0 ${width} ${height}`);
    const axes = element('g', {class: 'axes'});
    for (let n = 0; n <= ceiling; n += step) {
      element('line', {x1: left, x2: width - right, y1: y(n), y2: y(n)}, axes);
      element('text', {x: left - 6, y: y(n) + 4, 'text-anchor': 'end'}, axes).textContent = i18n.number(n);
    }
    for (const r of [1, ...Array.from({length: 5}, (_, i) => Math.round(((i + 1) * state.largest) / 5))]) {
      element('text', {x: x(r), y: height - bottom + 18, 'text-anchor': 'middle'}, axes).textContent = r;
    }
    element('text', {x: (left + width - right) / 2, y: height - 6, 'text-anchor': 'middle'}, axes).textContent = t('cost.radius');
    element('text', {x: 14, y: top + (height - top - bottom) / 2, 'text-anchor': 'middle',
                     transform: `rotate(-90 14 ${top + (height - top - bottom) / 2})`}, axes).textContent = t('cost.draws');
    const lines = element('g', {class: 'lines'});
    series.forEach((s, i) => {
      if (s.bars) {
        const d = s.counts.map((n, k) => (n ? `M${x(k + 1).toFixed(1)},${y(0).toFixed(1)}V${y(n).toFixed(1)}` : '')).join('');
        element('path', {class: 'series', d, fill: 'none', style: `stroke: ${s.style.colour}`, 'stroke-width': 3 * scale()}, lines);
      } else {
        const points = s.counts.map((n, k) => `${x(k + 1).toFixed(1)},${y(n).toFixed(1)}`).join(' ');
        element('polyline', {class: 'series', points, fill: 'none', style: `stroke: ${s.style.colour}`, 'stroke-width': 2.5 * scale(),
                             'stroke-dasharray': s.style.dash}, lines);
      }
      element('text', {x: width - right + 6, y: y(s.counts[state.largest - 1]) + 4 + (i === 2 ? 14 : 0), style: `fill: ${s.style.colour}`}, lines)
        .textContent = s.name;
    });
    svg.replaceChildren(element('title', {id: `${id}-title`}), element('desc', {id: `${id}-desc`}), axes, lines,
                        element('g', {class: 'current'}));
    return {svg, y, height, series};
  }

  // Counts every mode at every radius (once), and draws the charts and their table, again when the
  // theme changes their lines.
  function build(modeNames) {
    state.modes = modeNames;
    state.largest = walkTrace.radiusLimit;
    state.counts = state.counts || state.modes.map((mode) => Array.from({length: state.largest}, (_, i) => walkTrace.drawCount(mode, i + 1)));
    const spans = state.counts[state.modes.indexOf('spans')], extents = state.counts[state.modes.indexOf('extents')];
    state.overdraw = spans.map((n, k) => n - extents[k]);
    state.charts = [
      plot(document.getElementById('chart'), 'chart', 320,
           state.modes.map((mode, i) => ({name: t(`mode.${mode}`), counts: state.counts[i], style: styles[i]}))),
      plot(document.getElementById('overdraw-chart'), 'overdraw', 200, [{name: t('cost.overdraw'), counts: state.overdraw, style: overdrawStyle, bars: true}]),
    ];
    state.charts[0].svg.querySelector('title').textContent = t('cost.chart-title');
    state.charts[1].svg.querySelector('title').textContent = t('cost.overdraw-title');
    const head = document.createElement('tr');
    head.append(...[t('cost.radius'), ...state.modes.map((m) => t(`mode.${m}`)), t('cost.overdraw')].map((text) => {
      const th = document.createElement('th');
      th.scope = 'col';
      th.textContent = text;
      return th;
    }));
    table.createTHead().replaceChildren(head);
    table.tBodies[0].replaceChildren(...state.overdraw.map((extra, k) => {
      const row = document.createElement('tr');
      row.dataset.radius = k + 1;
      for (const n of [k + 1, ...state.counts.map((column) => column[k]), extra]) row.insertCell().textContent = i18n.number(n);
      return row;
    }));
  }

  // Marks `radius` (a vertical line and a dot on each line) and says its figures.
  function mark(radius) {
    if (!state.counts) return;
    const r = Math.min(radius, state.largest);
    for (const chart of state.charts) {
      const group = chart.svg.querySelector('.current');
      group.replaceChildren();
      element('line', {x1: x(r), x2: x(r), y1: top, y2: chart.height - bottom}, group);
      for (const s of chart.series) element('circle', {cx: x(r), cy: chart.y(s.counts[r - 1]), r: 4.5 * scale(), style: `fill: ${s.style.colour}`}, group);
    }
    const figures = state.modes.map((mode, i) => t('cost.figure', {mode: t(`mode.${mode}`), n: i18n.number(state.counts[i][r - 1])})).join(', ');
    state.charts[0].svg.querySelector('desc').textContent = t('cost.chart-desc', {r, figures, limit: state.largest});
    state.charts[1].svg.querySelector('desc').textContent = t('cost.overdraw-desc', {r, n: i18n.number(state.overdraw[r - 1]), limit: state.largest});
    for (const row of table.tBodies[0].rows) row.classList.toggle('current', Number(row.dataset.radius) === r);
  }

  return {build, mark};
})();
