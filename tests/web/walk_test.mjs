// The explainer page, walk.html: its table, narration and chart against the tests' circle model,
// predict mode, a variant, its address, its keys, rows and pixels, and the pages opened straight
// from their folder. Every page is watched for errors and failed requests.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import {model, until, watch} from './browser.mjs';
import {useSite} from './site.mjs';
import {answerSet} from './practice.mjs';

const site = useSite();

const minus = (n) => String(n).replace('-', '\u2212');
// The move from a state of the model: E while its d is negative, the midpoint inside.
const moveOf = ([, , d]) => (d < 0 ? 'E' : 'SE');
// The rasterisers' source, read from the file here: source[n - 1] is line n.
const source = fs.readFileSync(new URL('../../app/rasterizers.cpp', import.meta.url), 'utf8').split('\n');
// What tells the lines of each move in the file: the comparison of d, and each branch's change of d.
const decides = 'walk.d >= 0', east = 'walk.d += 2 * walk.x + 3', southEast = 'walk.d += 2 * (walk.x - walk.y) + 5';
// The texts of the code's marked lines.
const markedLines = (w) => w.page.waitForSelector('body[data-settled]')
  .then(() => w.page.$$eval('#code [aria-current="true"]', (lines) => lines.map((l) => l.textContent)));
// The grid's pixels in a variant's colours: round marks (#cc79a7), square ones (#0072b2).
const variantMarks = (w) => w.page.evaluate(() => {
  const p = walkGrid.picture().data;
  const near = (i, [r, g, b]) => p[i + 3] > 200 && Math.abs(p[i] - r) < 20 && Math.abs(p[i + 1] - g) < 20 && Math.abs(p[i + 2] - b) < 20;
  let round = 0, square = 0;
  for (let i = 0; i < p.length; i += 4) round += near(i, [0xcc, 0x79, 0xa7]), square += near(i, [0x00, 0x72, 0xb2]);
  return {round, square};
});

async function open(query, url = `${site.base}walk.html`, width = 1280, height = 800) {
  const page = await site.browser.newPage();
  await page.setViewport({width, height});
  const problems = watch(page);
  await page.goto(`${url}${query}`);
  await page.waitForSelector('body[data-ready]');
  // Once every part shows the last step: the grid shows it at once, the rest a frame later.
  const state = () => page.waitForSelector('body[data-settled]').then(() => page.evaluate(() => ({
    mode: document.getElementById('mode').value,
    radius: Number(document.getElementById('radius').value),
    current: document.querySelector('[aria-current="step"] button')?.textContent,
    narration: document.getElementById('narration').textContent,
    address: location.search,
  })));
  return {page, problems, state};
}

// The address, once it has followed the last change.
async function addressBecomes(w, expected) {
  await until(async () => (await w.state()).address === expected, `the address ${expected}`);
}

async function close(w) {
  assert.deepEqual(w.problems, [], 'no error, no failed request');
  await w.page.close();
}

test('the table and the narration hold the model\'s states, and the total the demonstration prints', async () => {
  for (const [name, radius] of [['spans', 7], ['outline', 100], ['extents', 7]]) {
    const mode = model.modes.indexOf(name);
    const w = await open(`?mode=${name}&radius=${radius}`);
    const table = await w.page.evaluate(() => ({
      head: [...document.querySelectorAll('#steps thead th')].map((th) => th.textContent),
      rows: [...document.querySelectorAll('#steps tbody tr')].map((tr) => [...tr.cells].map((td) => td.textContent)),
      after: [...document.querySelectorAll('#steps tfoot td')].map((td) => td.textContent),
    }));
    for (const column of ['x', 'y', 'd', 'move']) assert.ok(table.head.includes(column), `a header cell named ${column}`);
    const at = (row, column) => row[table.head.indexOf(column)];
    const states = model.states[radius];
    assert.equal(table.rows.length, states.length, `${name} ${radius}: one row per state`);
    states.forEach((s, i) => {
      const [x, y, d] = s, row = table.rows[i];
      assert.deepEqual([at(row, 'x'), at(row, 'y'), at(row, 'd'), at(row, 'move')],
                       [String(x), String(y), minus(d), i + 1 < states.length ? moveOf(s) : '—'], `${name} ${radius}, state ${i}`);
    });
    if (radius === 100) {
      const grid = await w.page.$eval('#grid', (g) => g.getBoundingClientRect().toJSON());
      assert.ok(grid.right <= 1280 && grid.bottom <= 800 && grid.width / (2 * 100 + 3) >= 3,
                `at radius 100 every cell is on the 1280 x 800 screen, 3 pixels or more: ${JSON.stringify(grid)}`);
    }
    const total = String(model.counts[mode][radius - 1]);
    assert.equal(table.after.length ? table.after.at(-1) : at(table.rows.at(-1), 'total'), total, `${name} ${radius}: the total`);

    // The narration of a state inside the walk gives its numbers and its move; at the end, the total.
    const [x, y, d] = states[3];
    await w.page.click('#steps tbody tr:nth-child(4) button');
    const narration = (await w.state()).narration;
    for (const part of [`x = ${x}`, `y = ${y}`, `d = ${minus(d)} ${d < 0 ? '<' : '≥'} 0`, `goes ${moveOf(states[3])}.`]) {
      assert.ok(narration.includes(part), `${name} ${radius}, step 3: "${part}" in "${narration}"`);
    }
    await w.page.keyboard.press('End');
    assert.ok((await w.state()).narration.includes(`Total ${total}`), `${name} ${radius}: the total at the end`);
    await close(w);
  }
});

test('the address opens its state and follows every change; a bad one opens the default with a note, never as markup', async () => {
  let w = await open('?mode=spans&radius=9&step=2');
  assert.deepEqual(await w.state(), {...await w.state(), mode: 'spans', radius: 9, current: '2'});
  await w.page.keyboard.press('ArrowRight');
  await addressBecomes(w, '?mode=spans&radius=9&step=3');
  await w.page.select('#mode', 'extents');
  await addressBecomes(w, '?mode=extents&radius=9&step=0');
  await w.page.$eval('#radius', (input) => { input.value = '12'; input.dispatchEvent(new Event('change')); });
  await addressBecomes(w, '?mode=extents&radius=12&step=0');
  await w.page.waitForSelector('#variant option');  // the variants come after the first picture
  await w.page.select('#variant', 'root');
  await w.page.click('#predict');
  await addressBecomes(w, '?mode=extents&radius=12&step=0&predict=1&variant=root');
  await close(w);

  const markup = '<img src=x onerror="window.hacked=1">';
  for (const [query, ignored] of [[`?mode=${encodeURIComponent(markup)}&radius=5`, markup], ['?radius=101', '101'],
                                  ['?radius=0', '0'], ['?radius=abc&mode=spans', 'abc'], ['?radius=7.5', '7.5'],
                                  [`?variant=${encodeURIComponent(markup)}&radius=5`, markup]]) {
    w = await open(query);
    const s = await w.state();
    const note = await w.page.$eval('#address-note', (e) => ({text: e.textContent, hidden: e.hidden}));
    assert.ok(!note.hidden && note.text.includes(`“${ignored}”`), `${query}: the note names what was ignored: ${note.text}`);
    assert.equal(s.radius, query.includes('radius=5') ? 5 : 7, `${query}: the default radius, or the good one`);
    assert.equal(s.mode, query.includes('mode=spans') ? 'spans' : 'outline', `${query}: the default mode, or the good one`);
    assert.equal(await w.page.evaluate(() => document.querySelectorAll('img').length + (window.hacked ? 1 : 0)), 0,
                 `${query}: nothing from the address became markup`);
    await close(w);
  }
});

test('the address note names every value the page changed with the limit it keeps, cut on a character and set apart', async () => {
  const note = (w) => w.page.$eval('#address-note', (e) => (e.hidden ? null : e.textContent));
  const last = model.states[7].length - 1;  // the outline's last step at radius 7
  for (const [query, said, current] of [['?practice=999999999', null], [`?radius=7&step=${last}&play=0`, null, String(last)],
                                        [`?radius=7&step=${last + 1}&play=yes`, [`“${last + 1}” (past the last step, ${last},`, '“yes”'], String(last)],
                                        ['?practice=1000000000', ['“1000000000”', /999\D999\D999\)/]],
                                        ['?practice=7&questions=5&modes=spans&feedback=end&mastery=60', null],
                                        ['?practice=7&questions=21&modes=circle&feedback=none&mastery=101', ['“21”', '“circle”', '“none”', '“101”']]]) {
    const w = await open(query);
    const text = await note(w);
    if (!said) assert.equal(text, null, `${query}: taken as given`);
    for (const part of said || []) assert.ok(text && (part.test ? part.test(text) : text.includes(part)), `${query}: ${part} in ${text}`);
    if (current) assert.equal((await w.state()).current, current, query);
    await close(w);
  }
  // A value of 30,000 UTF-16 units with no place to break a line, which a cut by UTF-16 units
  // would cut inside a pair; and a U+202E, which turns around all text after it not isolated from it.
  const w = await open(`?mode=${encodeURIComponent(`${'m'.repeat(39)}${'\u{1F600}'.repeat(14981)}`)}&variant=${encodeURIComponent('\u202Eroot')}`, undefined, 390);
  const seen = await w.page.$eval('#address-note', (e) => {
    const turned = [...e.querySelectorAll('*')].find((child) => child.textContent.includes('\u202E'));
    return {text: e.textContent, width: document.documentElement.scrollWidth, isolated: getComputedStyle(turned).unicodeBidi,
            alone: turned.textContent === '\u202Eroot'};
  });
  assert.ok(seen.width <= 390, `the page as wide as the window: ${seen.width}`);
  assert.ok(seen.text.length < 400 && seen.text.includes('m\u{1F600}…'), `the value cut and marked: ${seen.text.length} units`);
  assert.doesNotMatch(seen.text, /[\uD800-\uDBFF](?![\uDC00-\uDFFF])|(?<![\uD800-\uDBFF])[\uDC00-\uDFFF]/, 'no half of a pair');
  assert.ok(seen.isolated === 'isolate' && seen.alone, `the value alone in an isolating element: ${JSON.stringify(seen)}`);
  await close(w);
});

test('keys step and play; a row, a cell of a row and a pixel go to the step', async () => {
  const w = await open('?mode=outline&radius=7');
  const last = String(model.states[7].length - 1);
  const press = async (key) => { await w.page.keyboard.press(key); return (await w.state()).current; };
  assert.equal(await press('ArrowRight'), '1');
  assert.equal(await press('End'), last);
  assert.equal(await press('ArrowRight'), last, 'no further than the end');
  assert.equal(await press('ArrowLeft'), String(model.states[7].length - 2));
  assert.equal(await press('Home'), '0');
  await w.page.keyboard.press(' ');
  await until(async () => (await w.state()).current === '1', 'playing to step 1');
  await w.page.keyboard.press(' ');
  const paused = await w.page.$eval('#play', (b) => b.getAttribute('aria-pressed'));
  assert.equal(paused, 'false', 'Space pauses');
  const before = (await w.state()).current;
  await w.page.focus('#radius');
  await w.page.keyboard.press('ArrowRight');
  assert.equal((await w.state()).current, before, 'keys in a form field are the field\'s');
  await w.page.$eval('#radius', (input) => input.blur());

  await w.page.click('#steps tbody tr:nth-child(3) button');
  assert.equal((await w.state()).current, '2', 'a row\'s button goes to its step');
  await w.page.click('#steps tbody tr:nth-child(5) td:nth-child(4)');
  assert.equal((await w.state()).current, '4', 'so does a tap on its d');
  // The outline draws each state's own pixel at that state: a pixel of state 5 goes to step 5.
  const [x, y] = model.states[7][5];
  const box = await (await w.page.$('#grid')).boundingBox();
  const cell = box.width / (2 * 7 + 3);
  await w.page.mouse.click(box.x + (x + 7 + 1.5) * cell, box.y + (7 + 1 - y + 0.5) * cell);
  assert.equal((await w.state()).current, '5', 'a pixel goes to the step that drew it');
  await close(w);
});


test('a step or a variant chosen redraws only around what it changes, and the grid comes out as a whole redraw draws it', async () => {
  // Spans with a variant's marks and large cells (borders, marks of twice, grid lines), and a
  // phone's small cells, where the state's marks reach well beyond its pixel; then variants
  // chosen there, each replacing the last one's marks.
  const cases = [['?mode=spans&radius=6&variant=less-or-equal', 1280, 2], ['?mode=extents&radius=60', 390, 2]];
  for (const [query, width, deviceScaleFactor] of cases) {
    const w = await open(query);
    await w.page.setViewport({width, height: 800, deviceScaleFactor});
    await w.page.evaluate(() => dispatchEvent(new Event('resize')));  // a new pixel ratio alone sends none
    const pixels = (redrawn = false) => w.page.evaluate((r) => Array.from(walkGrid.picture({redrawn: r}).data).join(), redrawn);
    // Its strips, each on whole CSS pixels and as tall as its pixels: the page draws a box of 21.5
    // pixels 21 or 22 tall, and the picture comes out stretched and blurred.
    const strips = await w.page.$$eval('#grid canvas', (all) => all.map((c) => [c.getBoundingClientRect().height, c.height / devicePixelRatio]));
    assert.ok(strips.length > 1 && strips.every(([css, pixels]) => Number.isInteger(css) && css === pixels), `${query}: strips ${JSON.stringify(strips)}`);
    const last = Number(await w.page.$eval('#steps tbody tr:last-child', (r) => r.dataset.step));
    for (const [key, count] of [['ArrowRight', last + 1], ['ArrowLeft', 3]]) {
      for (let i = 0; i < count; ++i) await w.page.keyboard.press(key);
      const stepped = await pixels();
      assert.ok(stepped === await pixels(true), `${query} at ${width} x${deviceScaleFactor}: stepped by ${key} as a whole redraw`);
    }
    await w.page.waitForSelector('#variant option');
    for (const variant of ['root', 'walk', 'less-or-equal']) {
      await w.page.select('#variant', variant);
      const chosen = await pixels();
      assert.ok(chosen === await pixels(true), `${query} at ${width} x${deviceScaleFactor}: ${variant} chosen as a whole redraw`);
    }
    await close(w);
  }
});
test('the table keeps the current row in its view: a jump to the end, a new table after it, answers in predict mode', async () => {
  // Once the browser has drawn the step: the current row's box within the table's frame, below
  // its head (the head's cells stay at the frame's top; the head's own box scrolls away).
  // Half a pixel either way: Firefox places the first row a few millionths of a pixel above the
  // head's bottom, where the two meet.
  const inView = (w) => w.page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(() => {
    const row = document.querySelector('[aria-current="step"]').getBoundingClientRect();
    const frame = document.querySelector('.table-frame').getBoundingClientRect();
    done(row.top + 0.5 >= document.querySelector('#steps thead th').getBoundingClientRect().bottom && row.bottom <= frame.bottom + 0.5);
  }))));
  // A new table (another mode) begins at its first row, wherever the last one was scrolled.
  const newTable = (w) => w.page.select('#mode', 'outline');
  for (const [query, keys, then] of [['', ['End']], ['', ['End'], newTable], ['&predict=1', Array(40).fill('e')]]) {
    const w = await open(`?mode=spans&radius=100${query}`);
    for (const key of keys) {
      const before = (await w.state()).current;
      await w.page.keyboard.press(key);
      await until(async () => (await w.state()).current !== before, `a step by ${key}`);
    }
    if (then) await then(w), await until(async () => (await w.state()).current === '0', 'the new table');
    assert.ok(await inView(w), `${query || (then ? 'a new table' : 'stepping')}: the current row, ${(await w.state()).current}, is in the table's view`);
    await close(w);
  }
});

test('predict mode: a right and a wrong answer, the next d, and the final score', async () => {
  const radius = 9, states = model.states[radius];
  const w = await open(`?mode=outline&radius=${radius}&predict=1`);
  const view = () => w.state().then(() => w.page.evaluate(() => ({
    verdict: document.getElementById('verdict').textContent,
    score: document.getElementById('score').textContent,
    shownRows: [...document.querySelectorAll('#steps tbody tr')].filter((r) => !r.hidden).length,
    move: document.querySelector('[aria-current="step"] .move')?.innerText,
    narration: document.getElementById('narration').textContent,
  })));
  let v = await view();
  assert.equal(v.shownRows, 1, 'the rows after the current state are hidden');
  assert.notEqual(v.move, moveOf(states[0]), 'so is its move');
  assert.ok(!v.narration.includes('goes'), `and the narration's verdict: ${v.narration}`);

  // The live regions in the order they change: a screen reader says the verdict first.
  await w.page.evaluate(() => {
    window.said = [];
    const watcher = new MutationObserver((changes) => { for (const c of changes) window.said.push(c.target.closest('[aria-live]').id); });
    for (const id of ['verdict', 'score', 'narration']) watcher.observe(document.getElementById(id), {childList: true, characterData: true, subtree: true});
  });
  await w.page.keyboard.press(moveOf(states[0]) === 'E' ? 'e' : 's');
  v = await view();
  assert.match(v.verdict, new RegExp(`^Right: d = ${minus(states[0][2])}`));
  assert.equal((await w.state()).current, '1', 'the walk goes on');
  const said = await w.page.evaluate(() => window.said);
  assert.ok(said[0] === 'verdict' && said.includes('narration') && said.includes('score'), `said before the next state and the score: ${said}`);
  const wrong = moveOf(states[1]) === 'E' ? 'SE' : 'E';
  await w.page.click(`#answer-${wrong.toLowerCase()}`);
  v = await view();
  assert.ok(v.verdict.startsWith('Not quite: ') && v.verdict.endsWith(`the walk goes ${moveOf(states[1])}.`), v.verdict);
  assert.ok(v.score.includes('1 of 2'), v.score);
  // Back to the start and the same two answered right: asked afresh, counted once a round.
  await w.page.keyboard.press('Home');
  for (const s of states.slice(0, 2)) await w.page.keyboard.press(moveOf(s) === 'E' ? 'e' : 's');
  v = await view();
  assert.ok(v.verdict.startsWith('Right: ') && v.score.includes('1 of 2'), `${v.verdict} / ${v.score}`);

  // The second level: the next d, and what the step added.
  await w.page.click('label:has(#predict-d)');
  await w.page.keyboard.press(moveOf(states[2]) === 'E' ? 'e' : 's');
  await w.page.waitForSelector('#d-form:not([hidden])');
  await w.page.type('#answer-d', String(states[3][2]));
  await w.page.keyboard.press('Enter');
  v = await view();
  assert.equal(v.verdict, `Right: the next d is ${minus(states[3][2])}; the step added ${minus(states[3][2] - states[2][2])}.`);
  assert.ok(v.score.includes('3 of 4'), v.score);
  assert.equal(await w.page.evaluate(() => document.activeElement.id), 'answer-e', 'the focus on the next question, its field gone');
  // Turned off while the next d is asked, "next d" goes on to the next move, never the same again.
  await w.page.click(`#answer-${moveOf(states[3]).toLowerCase()}`);
  await w.page.waitForSelector('#d-form:not([hidden])');
  await w.page.click('label:has(#predict-d)');
  assert.equal((await w.state()).current, '4');

  for (let i = 4; i < states.length - 1; ++i) await w.page.keyboard.press(moveOf(states[i]) === 'E' ? 'e' : 's');
  const questions = states.length;  // a move at every state but the last, and one d
  v = await view();
  assert.ok(v.score.includes(`${questions - 1} of ${questions}`), `the final score: ${v.score}`);
  assert.ok(await w.page.$eval('#quiz-end', (e) => !e.hidden), 'and an offer to start again or try another radius');
  await w.page.click('#again');
  assert.equal((await w.state()).current, '0');
  await close(w);
});

test('a variant that differs: less-or-equal at radius 1 adds the four diagonal pixels', async () => {
  // At radius 1 the walk starts with d = 0: d < 0 fails and it goes SE, to the axis pixels alone,
  // while d <= 0 takes E, to (1, 1), which the outline draws with its mirrors.
  const w = await open('?mode=outline&radius=1&variant=less-or-equal');
  assert.equal(await w.page.$eval('#variant-sentence', (e) => e.textContent), '4 pixels differ');
  const marks = await w.page.evaluate(() => {
    const image = walkGrid.picture(), p = image.data;
    const found = {round: [0, 0, 0, 0], square: 0};  // round marks by quadrant
    for (let i = 0; i < p.length; i += 4) {
      const x = (i / 4) % image.width - image.width / 2, y = image.height / 2 - Math.floor(i / 4 / image.width);
      if (p[i + 3] > 200 && Math.abs(p[i] - 0xcc) < 20 && Math.abs(p[i + 1] - 0x79) < 20 && Math.abs(p[i + 2] - 0xa7) < 20) {
        ++found.round[(x > 0 ? 0 : 1) + (y > 0 ? 0 : 2)];
      }
      if (p[i + 3] > 200 && Math.abs(p[i] - 0x00) < 20 && Math.abs(p[i + 1] - 0x72) < 20 && Math.abs(p[i + 2] - 0xb2) < 20) ++found.square;
    }
    return found;
  });
  assert.ok(marks.round.every((n) => n > 0), `a round mark in each quadrant: ${JSON.stringify(marks)}`);
  assert.equal(marks.square, 0, 'and no pixel of the walk that the variant lacks');
  await close(w);
});

test('the chart\'s figures: the draws of a pass in each mode, as the model counts them', async () => {
  const w = await open('?mode=spans&radius=40');
  await w.page.waitForSelector('body[data-chart]');
  const data = await w.page.evaluate(() => ({
    head: [...document.querySelectorAll('#chart-data thead th')].map((th) => th.textContent),
    rows: [...document.querySelectorAll('#chart-data tbody tr')].map((tr) => [...tr.cells].map((td) => Number(td.textContent.replace(/,/g, '')))),
    lines: document.querySelectorAll('.cost svg .series').length,
    current: document.querySelector('#chart-data tr.current')?.cells[0].textContent,
  }));
  assert.deepEqual(data.head, ['radius', ...model.modes, 'overdraw']);  // the English names are the modes'
  assert.equal(data.rows.length, 100);
  for (const r of [1, 2, 17, 40, 99, 100]) {
    const counts = model.counts.map((row) => row[r - 1]), of = (name) => counts[model.modes.indexOf(name)];
    assert.deepEqual(data.rows[r - 1], [r, ...counts, of('spans') - of('extents')], `radius ${r}`);
  }
  assert.equal(data.lines, 4, 'a line a mode, and the overdraw\'s');
  assert.equal(data.current, '40', 'the current radius marked');
  await close(w);
});

test('both pages work opened from their folder, and the demonstration links to the walk of its circle', async () => {
  const page = await site.browser.newPage();
  const problems = watch(page);
  const lines = [];
  page.on('console', (m) => { if (m.type() === 'log') lines.push(m.text()); });
  await page.goto(`file://${site.path}/index.html`);
  await until(() => lines.length > 0, 'the first count line from file://');
  for (const key of ['+', '+', 'Enter']) {
    const seen = lines.length;
    await page.$eval(`[data-key="${key}"]`, (b) => b.click());
    await until(() => lines.length > seen, `the line of ${key}`);
  }
  await until(() => page.$eval('#walk-link', (a) => a.getAttribute('href') === 'walk.html?mode=spans&radius=3'),
              'the link to the walk of the circle on the screen');
  await Promise.all([page.waitForNavigation(), page.click('#walk-link')]);
  await page.waitForSelector('body[data-ready]');
  assert.match(await page.$eval('#narration', (e) => e.textContent), /^Step 0: x = 0, y = 3/);
  assert.equal(await page.$eval('#mode', (e) => e.value), 'spans');
  assert.deepEqual(problems, [], 'no error, no failed request');
  await page.close();
});

test('the code beside the walk: the file\'s own lines, the branch of the model\'s move marked, only the comparison while predicting', async () => {
  const radius = 9, states = model.states[radius];
  const w = await open(`?mode=spans&radius=${radius}`);
  const shown = await w.page.$$eval('#code [data-line]', (lines) => lines.map((l) => [Number(l.dataset.line), l.textContent]));
  assert.equal(await w.page.$eval('#code', (pre) => pre.dataset.file), 'app/rasterizers.cpp');
  assert.ok(shown.some(([, text]) => text.includes('void midpointDiskSpans(')), 'the mode\'s own function');
  for (const [n, text] of shown) assert.equal(text, source[n - 1], `line ${n} as the file has it`);

  // One state of each move, by the model's d; each marks its own branch and not the other.
  for (const move of ['E', 'SE']) {
    const step = states.findIndex((s, i) => i > 0 && i < states.length - 1 && moveOf(s) === move);
    await w.page.click(`#steps tbody tr:nth-child(${step + 1}) button`);
    const marked = await markedLines(w);
    assert.deepEqual([decides, east, southEast].map((text) => marked.some((l) => l.includes(text))), [true, move === 'E', move === 'SE'],
                     `step ${step}, ${move}: ${marked.join(' | ')}`);
    assert.ok(marked.some((l) => l.includes('plotRowSpan(')), `step ${step}: the line that draws there`);
  }
  await close(w);

  // Predicting, with the variant that differs at d = 0: the comparison alone, and no variant's mark,
  // until the move is answered; both come back when predict mode ends.
  const p = await open(`?mode=outline&radius=${radius}&step=0&predict=1&variant=less-or-equal`);
  await p.page.click('label:has(#predict-d)');
  let marked = await markedLines(p);
  assert.ok(marked.length === 1 && marked[0].includes(decides), `while asked, only the comparison: ${marked.join(' | ')}`);
  assert.deepEqual(await variantMarks(p), {round: 0, square: 0}, 'no variant mark while predicting');
  await p.page.keyboard.press(moveOf(states[0]) === 'E' ? 'e' : 's');
  await p.page.waitForSelector('#d-form:not([hidden])');
  marked = await markedLines(p);
  assert.ok(marked.some((l) => l.includes(moveOf(states[0]) === 'E' ? east : southEast)), `once answered, the branch: ${marked.join(' | ')}`);
  await p.page.click('#predict');
  const marks = await variantMarks(p);
  assert.ok(marks.round + marks.square > 0, `the variant's marks after predict mode: ${JSON.stringify(marks)}`);
  assert.equal(await p.page.$eval('#variant', (s) => s.value), 'less-or-equal');
  await close(p);
});

test('embedded, the page fits its frame with no scroll bar and says its height, its type grown in a larger frame; Page Down steps, a key at the end goes to the parent; "?" lists its keys', async () => {
  const host = await site.browser.newPage();
  const problems = watch(host);
  const sizes = {};  // the sentence's type, Step forward's height and the grid's, by frame width
  for (const [width, height, lang] of [[640, 480, 'en'], [480, 640, 'fr'], [1280, 720, 'en']]) {
    await host.setViewport({width: width + 40, height: height + 40});
    await host.setContent(`<script>window.said = []; addEventListener('message', (e) => said.push(e.data));</script>
      <iframe src="${site.base}walk.html?mode=spans&radius=9&lang=${lang}&embed=1" width="${width}" height="${height}" style="border: 0"></iframe>`);
    const frame = () => host.frames().find((f) => f.url().includes('walk.html'));
    await until(async () => frame() && await frame().$('body[data-ready]').catch(() => null), 'the page in its frame');
    const fit = await frame().evaluate(() => {
      const root = document.documentElement, shown = (s) => document.querySelector(s).getClientRects().length > 0;
      const grid = document.getElementById('grid').getBoundingClientRect(), panel = document.querySelector('.panel').getBoundingClientRect();
      return {over: [root.scrollWidth - root.clientWidth, root.scrollHeight - root.clientHeight],
              essentials: ['#grid', '#forward', '#narration'].every(shown),
              others: ['header', '.table-frame', '#code-box', '.variants', '.cost', '#language'].filter(shown),
              apart: grid.right <= panel.left || grid.bottom <= panel.top};  // the controls never over the grid
    });
    assert.deepEqual(fit, {over: [0, 0], essentials: true, others: [], apart: true}, `${width} x ${height}, ${lang}`);
    await until(() => host.evaluate(() => said.some((m) => m.type === 'midpoint-height' && m.height > 0)), 'the height said to the parent');
    sizes[width] = await frame().evaluate(() => [parseFloat(getComputedStyle(document.getElementById('narration')).fontSize),
                                                 ...['forward', 'grid'].map((id) => document.getElementById(id).getBoundingClientRect().height)]);
    if (width !== 640) continue;
    // A clicker's keys step; at the end, the page has no use for Page Down and the deck has it.
    await frame().focus('#forward');
    for (const key of ['PageDown', 'End', 'PageUp', 'PageDown', 'PageDown']) await host.keyboard.press(key);
    await until(() => host.evaluate(() => said.some((m) => m.type === 'midpoint-key')), 'a key said to the parent');
    assert.deepEqual(await host.evaluate(() => said.filter((m) => m.type === 'midpoint-key').map((m) => m.key)), ['PageDown']);
  }
  assert.ok(sizes[1280][0] >= 1.5 * sizes[640][0] && sizes[1280][1] >= 1.5 * sizes[640][1] && sizes[1280][2] >= 0.9 * 720,
            `the type and Step forward 1.5 times their size, the grid the frame's height: ${JSON.stringify(sizes)}`);
  await host.close();
  assert.deepEqual(problems, []);

  const w = await open('?mode=outline&radius=7');
  await w.page.focus('#forward');
  await w.page.keyboard.press('?');
  const dialog = await w.page.$eval('dialog.keys-dialog', (d) => ({
    open: d.open, label: document.getElementById(d.getAttribute('aria-labelledby')).textContent,
    keys: [...d.querySelectorAll('tr')].map((r) => r.cells[0].textContent),
  }));
  assert.deepEqual({...dialog, keys: undefined}, {open: true, label: 'Keys', keys: undefined});
  for (const key of ['Left arrow', 'Right arrow', 'Home', 'End', 'Space', 'key e', 'key s']) assert.ok(dialog.keys.includes(key), `${key} listed`);
  await w.page.keyboard.press('Escape');
  assert.deepEqual(await w.page.evaluate(() => [document.querySelector('dialog').open, document.activeElement.id]), [false, 'forward']);
  await close(w);
});

test('projector theme, on a screen wider than tall: the grid, the step buttons and the sentence on one screen; this step\'s pixels keep their yellow in every theme', async () => {
  for (const [width, height, theme] of [[1024, 768, 'projector'], [1280, 720, 'projector'], [1280, 800, 'light']]) {
    const w = await open(`?mode=outline&radius=5&step=2&theme=${theme}`, undefined, width, height);
    const seen = await w.page.waitForSelector('body[data-settled]').then(() => w.page.evaluate(() => {
      const box = (s) => document.querySelector(s).getBoundingClientRect();
      // Of this step's cells (the table's draws of the step; radius 5's plane is 13 cells wide), the share in --now's yellow.
      const p = walkGrid.picture(), cell = (p.width / 13) ** 2, draws = Number(document.querySelector('tr[aria-current="step"]').cells[6].textContent);
      let yellow = 0;
      for (let i = 0; i < p.data.length; i += 4) yellow += p.data[i] === 0xf0 && p.data[i + 1] === 0xe4 && p.data[i + 2] === 0x42;
      return {off: ['#grid', '#forward', '#narration'].filter((s) => box(s).bottom > innerHeight || box(s).right > innerWidth), share: yellow / draws / cell};
    }));
    assert.ok(seen.off.length === 0 && seen.share >= 0.4, `${width} x ${height}, ${theme}: ${JSON.stringify(seen)}`);
    await close(w);
  }
});

// Practice set 7, as mulberry32 chooses it: the same in every browser.
const set7 = 'd extents 17 1, d extents 33 4, count spans 2 -, move spans 20 13, move outline 53 7, move outline 11 3, ' +
             'd spans 47 2, draws spans 35 16, count extents 6 -, move spans 56 33';

test('a practice set: the same questions for a seed in every browser, answered right and wrong against the model, a slip costing one point', async () => {
  let w = await open('?practice=7');
  const asked = await answerSet(w.page, w.page, true);
  assert.equal(asked.map((q) => [q.kind, q.mode, q.radius, q.step ?? '-'].join(' ')).join(', '), set7);
  const end = await w.page.evaluate(() => ({
    score: document.getElementById('score').textContent,
    rows: [...document.querySelectorAll('#practice-summary tbody tr')].map((r) => r.cells[4].textContent),
    another: !document.getElementById('practice-another').closest('[hidden]'),
    address: location.search,
  }));
  assert.deepEqual(end, {score: '10 of 10', rows: Array(10).fill('right'), another: true, address: '?practice=7'});
  await close(w);

  w = await open('?practice=7');
  const first = await w.page.$eval('#practice-question', (e) => e.dataset.kind);
  const again = await answerSet(w.page, w.page, false);
  assert.deepEqual(again, asked, 'the same seed, the same set');
  assert.equal(await w.page.$eval('#score', (e) => e.textContent), '0 of 10');
  assert.ok((await w.page.$eval('#hint-text', (e) => e.textContent)).length > 0, `a worked hint after a ${first} answered wrong`);
  await close(w);

  // Left after two answers, the set goes on at the third in this browser, until it ends.
  w = await open('?practice=9&questions=5');
  await answerSet(w.page, w.page, true, {count: 2});
  await close(w);
  w = await open('?practice=9&questions=5');
  assert.equal(await w.page.$eval('#practice-question', (e) => e.dataset.index), '3', 'resumed');
  await answerSet(w.page, w.page, true);
  await close(w);
  w = await open('?practice=9&questions=5');
  assert.equal(await w.page.$eval('#practice-question', (e) => e.dataset.index), '1', 'begun again once over');
  await close(w);

  w = await open('?practice=8');
  const other = await w.page.$eval('#practice-question', (e) => ({...e.dataset}));
  assert.deepEqual([other.index, other.count], ['1', '10'], 'numbered from 1');
  assert.notDeepEqual(other, asked[0], 'another seed, another set');
  await close(w);
});
