// The pages on paper, printed to PDF on A4 and Letter and read back with poppler (pdftotext per
// page, pdfimages for the grids' printed size, pdftoppm for a page's picture): light in the dark
// theme, every row whole under a repeated head, the handout's whole walk, the worksheet's grid and
// its answer key against the circle model, a practice set's summary on one page; and the teacher's
// guide, four A4 pages at most, every address in it opening its state.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {model, until, watch} from './browser.mjs';
import {useSite} from './site.mjs';
import {answerSet} from './practice.mjs';

const site = useSite();
const minus = (n) => String(n).replace('-', '\u2212');

async function open(file, ready = 'body[data-ready]') {
  const page = await site.browser.newPage();
  await page.setViewport({width: 1280, height: 800});
  const problems = watch(page);
  await page.goto(`${site.base}${file}`);
  await page.waitForSelector(ready);
  return {page, problems};
}

// `page` printed on `format`: its PDF, its number of pages and each page's text.
async function printed(page, format = 'A4') {
  const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'paper-')), 'page.pdf');
  await page.pdf({path: file, format, printBackground: true});
  const count = Number(/Pages:\s+(\d+)/.exec(execFileSync('pdfinfo', [file], {encoding: 'utf8'}))[1]);
  const pages = [];
  for (let n = 1; n <= count; ++n) pages.push(execFileSync('pdftotext', ['-layout', '-f', String(n), '-l', String(n), file, '-'], {encoding: 'utf8'}));
  return {file, pages, text: pages.join('\n')};
}

// The share of a page's picture (pdftoppm, grey) darker than mid-grey.
function darkShare(file, n = 1) {
  const pgm = execFileSync('pdftoppm', ['-gray', '-r', '30', '-f', String(n), '-l', String(n), file]);
  const [, width, height] = /^P5\s+(\d+)\s+(\d+)\s+255\s/.exec(pgm.toString('latin1', 0, 30)).map(Number);
  const pixels = pgm.subarray(pgm.length - width * height);
  return pixels.filter((v) => v < 128).length / pixels.length;
}

// The images of a PDF as printed: their width in pixels and in millimetres, in their order.
const images = (file) => execFileSync('pdfimages', ['-list', file], {encoding: 'utf8'}).split('\n').slice(2).filter(Boolean)
  .map((line) => line.trim().split(/\s+/)).map((f) => ({pixels: Number(f[3]), mm: (Number(f[3]) / Number(f[12])) * 25.4}));

// Each state's row as the table shows it, read from the page: its cells' texts.
const rowsOf = (page) => page.$$eval('#steps tbody tr', (rows) => rows.map((r) => [...r.cells].map((c) => c.textContent.trim())));
const line = (cells) => new RegExp(`^\\s*${cells.map((c) => c.replace(/[.+]/g, '\\$&')).join('\\s+')}\\s*$`, 'm');

test('printed in the dark theme, the worksheet is light, every row whole on one page under the table\'s head, on A4 and Letter', async () => {
  const {page, problems} = await open('walk.html?mode=outline&radius=20&worksheet=1&theme=dark', '#worksheet-grid[data-drawn]');
  const plane = JSON.parse(await page.$eval('#worksheet-grid canvas', (c) => c.dataset.plane));
  assert.deepEqual([plane.x0, plane.x1, plane.y0, plane.y1], [-21, 21, -21, 21], 'the whole plane at radius 20');
  // What a worksheet leaves in: the step, x, the draws and the total, and y at the start.
  const rows = (await rowsOf(page)).map((r, i) => [String(i), r[1], ...(i ? [] : [r[2]]), r[6], r[7]]);
  for (const format of ['A4', 'Letter']) {
    const paper = await printed(page, format);
    assert.ok(paper.pages.length >= 2, `${format}: the table goes on to a second page`);
    for (let n = 1; n <= paper.pages.length; ++n) assert.ok(darkShare(paper.file, n) < 0.05, `${format} page ${n} is light`);
    for (const row of rows) {
      const on = paper.pages.filter((p) => line(row).test(p)).length;
      assert.equal(on, 1, `${format}: the row of step ${row[0]} whole on one page`);
    }
    for (const [n, text] of paper.pages.entries()) {
      if (rows.some((row) => line(row).test(text))) assert.match(text, /step\s+x\s+y\s+d\s+F\(M\)\s+move\s+draws\s+total/, `${format} page ${n + 1}: the head`);
    }
    assert.ok(!paper.text.includes('choose one'), `${format}: no text for the screen alone`);
    // The grid as wide as the text (the page less its margins of 12 mm), 4 mm a cell or more.
    const [grid] = images(paper.file), side = {A4: 210, Letter: 215.9}[format] - 24, cell = (grid.mm * plane.cell) / grid.pixels;
    assert.ok(Math.abs(grid.mm - side) < 1 && cell >= 4, `${format}: the grid ${grid.mm.toFixed(1)} mm wide in ${side}, ${cell.toFixed(2)} mm a cell`);
  }
  assert.deepEqual(problems, []);
  await page.close();
});

test('worksheet=1&key=1 is the answer key: headed so, every state\'s y, d and move filled in; "Corrigé" in French', async () => {
  for (const [lang, heading] of [['en', 'Answer key'], ['fr', 'Corrigé']]) {
    const {page, problems} = await open(`walk.html?mode=outline&radius=12&worksheet=1&key=1&lang=${lang}`, '#worksheet-grid[data-drawn]');
    const paper = await printed(page);
    assert.ok(paper.text.includes(heading), `${lang}: "${heading}"`);
    const states = model.states[12];
    states.forEach(([x, y, d], i) => {
      const move = i + 1 < states.length ? (d < 0 ? 'E' : 'SE') : '—';
      assert.match(paper.text, new RegExp(`^\\s*${i}\\s+${x}\\s+${y}\\s+${minus(d)}\\s+\\S+\\s+${move}\\s`, 'm'), `${lang}: state ${i}`);
    });
    assert.deepEqual(problems, []);
    await page.close();
  }
  // A key without its worksheet, or a value that means nothing, is said.
  const {page} = await open('walk.html?key=1&worksheet=2');
  assert.match(await page.$eval('#address-note', (e) => e.textContent), /worksheet “2”.*key=1/);
  await page.close();
});

// The colour class of the cells of a printed grid, sampled off its lines and marks: 'now', 'drawn'
// (once or twice) or null, by grid point "x y".
async function gridCells(page, selector) {
  return page.$eval(selector, (canvas) => {
    const {x0, x1, y0, y1, left, top, cell} = JSON.parse(canvas.dataset.plane);
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    const kind = (px, py) => {
      const i = 4 * (Math.round(py) * canvas.width + Math.round(px)), [r, g, b] = data.subarray(i, i + 3);
      if (Math.max(r, g, b) - Math.min(r, g, b) < 60) return null;  // the ground's white, a line's grey or black
      return Math.abs(r - g) < 60 && b < Math.min(r, g) / 2 ? 'now' : 'drawn';  // yellow, or the blue or vermilion of drawn
    };
    const cells = {};
    for (let y = y0; y <= y1; ++y) {
      for (let x = x0; x <= x1; ++x) {
        const cx = left + (x - x0) * cell, cy = top + (y1 - y) * cell;
        // Two points on each diagonal, off the axes, the ring and the mark of twice: the circle's line crosses one diagonal at most.
        cells[`${x} ${y}`] = [[0.3, 0.22], [0.78, 0.7], [0.72, 0.36], [0.28, 0.64]].map(([a, b]) => kind(cx + cell * a, cy + cell * b)).find(Boolean) || null;
      }
    }
    return cells;
  });
}
// The outline's pixels from the model's states: each one of the eighth up to the diagonal, mirrored.
function outlinePixels(r) {
  const pixels = new Set();
  for (const [x, y] of model.states[r].filter(([x, y]) => y >= x)) {
    for (const [a, b] of [[x, y], [y, x]]) for (const [sa, sb] of [[1, 1], [1, -1], [-1, 1], [-1, -1]]) pixels.add(`${sa * a} ${sb * b}`);
  }
  return pixels;
}

test('the handout shows the whole walk with the step on show marked; the worksheet past radius 20 shows the first octant, its key every pixel', async () => {
  const {page, problems} = await open('walk.html?mode=outline&radius=12&step=2&theme=dark', '#handout-grid[data-drawn="outline 12 2"]');
  await printed(page);
  const pixels = outlinePixels(12), [x, y] = model.states[12][2];
  const marked = new Set([[x, y], [-x, y], [x, -y], [-x, -y], [y, x], [-y, x], [y, -x], [-y, -x]].map(([a, b]) => `${a} ${b}`));
  for (const [at, kind] of Object.entries(await gridCells(page, '#handout-grid'))) {
    assert.equal(kind, marked.has(at) ? 'now' : pixels.has(at) ? 'drawn' : null, `the handout's cell (${at})`);
  }
  for (const key of [0, 1]) {
    await page.goto(`${site.base}walk.html?mode=outline&radius=30&worksheet=1&key=${key}`);
    await page.waitForSelector('#worksheet-grid[data-drawn]');
    await printed(page);
    const cells = await gridCells(page, '#worksheet-grid canvas'), octant = [...outlinePixels(30)].filter((p) => {
      const [a, b] = p.split(' ').map(Number);
      return a >= 0 && b >= a;
    });
    for (const p of octant) assert.equal(cells[p], key || p === '0 30' ? 'drawn' : null, `key=${key}: (${p}) on the grid`);
    assert.ok(!('-1 30' in cells) && !('0 0' in cells), 'the first octant alone');
  }
  assert.deepEqual(problems, []);
  await page.close();
});

test('a practice set\'s summary and score print on one page, with the set\'s address, the date and a line for a name', async () => {
  const {page, problems} = await open('walk.html?practice=7', '#practice-question[data-kind]');
  await answerSet(page, page, (i) => i % 3 !== 0);
  await page.waitForSelector('#practice-end:not([hidden])');
  const paper = await printed(page);
  assert.equal(paper.pages.length, 1);
  assert.match(paper.text, /walk\.html\?practice=7/);
  assert.ok(paper.text.includes(String(new Date().getFullYear())) && paper.text.includes('Name:'), paper.text);
  assert.ok((paper.text.match(/^\s*\d+\s/gm) || []).length >= 10 && /\b\d+ of 10\b/.test(paper.text), 'the ten answers and the score');
  assert.deepEqual(problems, []);
  await page.close();
});

test('the teacher\'s guide: linked from the pages\' tools, four A4 pages at most in each language, and each of its addresses opens its state', async () => {
  for (const file of ['walk.html?lang=fr', 'index.html?lang=fr']) {
    const {page} = await open(file, '#guide-link');
    assert.equal(await page.$eval('#guide-link', (a) => a.getAttribute('href')), 'guide.html?lang=fr', file);
    await page.close();
  }
  for (const lang of ['en', 'fr']) {
    const {page, problems} = await open(`guide.html?lang=${lang}&theme=dark`);
    assert.equal(await page.$eval('html', (e) => e.lang), lang);
    const paper = await printed(page);
    assert.ok(paper.pages.length <= 4, `${lang}: ${paper.pages.length} pages`);
    assert.ok(darkShare(paper.file) < 0.05, `${lang}: printed light`);
    const links = await page.$$eval('article:not([hidden]) a[href^="walk.html"]', (as) => [...new Set(as.map((a) => a.href))]);
    assert.ok(links.length >= 12, `${lang}: ${links.length} addresses of the walk`);
    for (const link of links) {
      const url = new URL(link);
      assert.equal(url.searchParams.get('lang'), lang, `${link} in the guide's language`);
      await page.goto(link);
      await page.waitForSelector(url.searchParams.has('practice') ? '#practice-question[data-kind]' : 'body[data-ready]');
      const shown = await page.evaluate(() => ({note: document.getElementById('address-note').hidden ? '' : document.getElementById('address-note').textContent,
                                                 step: document.querySelector('#steps tr[aria-current="step"]')?.dataset.step,
                                                 radius: document.getElementById('radius').value, mode: document.getElementById('mode').value,
                                                 variant: document.getElementById('variant').value}));
      assert.equal(shown.note, '', `${link}: no address note`);
      for (const name of ['radius', 'mode', 'variant']) if (url.searchParams.has(name)) assert.equal(shown[name], url.searchParams.get(name), link);
      if (url.searchParams.has('step')) assert.equal(shown.step, url.searchParams.get('step'), link);
    }
    // The demonstration brought to its circle: its link to the walk names it.
    for (const link of await page.evaluate(() => [...document.querySelectorAll('article:not([hidden]) a[href^="index.html?"]')].map((a) => a.href))) {
      await page.goto(link);
      const asked = new URL(link).searchParams;
      await until(async () => {
        const shown = new URL(await page.$eval('#walk-link', (a) => a.href)).searchParams;
        return ['mode', 'radius'].every((name) => shown.get(name) === asked.get(name));
      }, `${link}: the demonstration at its circle`);
    }
    assert.deepEqual(problems, []);
    await page.close();
  }
});
