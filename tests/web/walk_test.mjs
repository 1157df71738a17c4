// The explainer page, walk.html, in Debian's headless Chromium: its table and narration against
// the tests' circle model, its address, its keys, rows and pixels, and the pages opened straight
// from their folder. Every page is watched for errors and failed requests.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {model, until, watch} from './browser.mjs';
import {useSite} from './site.mjs';

const site = useSite();

const minus = (n) => String(n).replace('-', '\u2212');

async function open(query, url = `${site.base}walk.html`) {
  const page = await site.browser.newPage();
  await page.setViewport({width: 1280, height: 800});
  const problems = watch(page);
  await page.goto(`${url}${query}`);
  await page.waitForSelector('body[data-ready]');
  const state = () => page.evaluate(() => ({
    mode: document.getElementById('mode').value,
    radius: Number(document.getElementById('radius').value),
    current: document.querySelector('[aria-current="step"] button')?.textContent,
    narration: document.getElementById('narration').textContent,
    address: location.search,
  }));
  return {page, problems, state};
}

async function close(w) {
  assert.deepEqual(w.problems, [], 'no error, no failed request');
  await w.page.close();
}

test('the table and the narration hold the model\'s states, and the total the demonstration prints', async () => {
  for (const [mode, name, radius] of [[1, 'spans', 7], [0, 'outline', 100], [2, 'extents', 7]]) {
    const w = await open(`?mode=${name}&radius=${radius}`);
    const table = await w.page.evaluate(() => ({
      head: [...document.querySelectorAll('#steps thead th')].map((th) => th.textContent),
      rows: [...document.querySelectorAll('#steps tbody tr')].map((tr) => [...tr.cells].map((td) => td.textContent)),
      after: [...document.querySelectorAll('#steps tfoot td')].map((td) => td.textContent),
    }));
    for (const column of ['x', 'y', 'd']) assert.ok(table.head.includes(column), `a header cell named ${column}`);
    const at = (row, column) => row[table.head.indexOf(column)];
    const states = model.states[radius];
    assert.equal(table.rows.length, states.length, `${name} ${radius}: one row per state`);
    states.forEach(([x, y, d], i) => {
      assert.deepEqual([at(table.rows[i], 'x'), at(table.rows[i], 'y'), at(table.rows[i], 'd')], [String(x), String(y), minus(d)],
                       `${name} ${radius}, state ${i}`);
    });
    if (radius === 100) {
      const grid = await w.page.$eval('#grid', (g) => g.getBoundingClientRect().toJSON());
      assert.ok(grid.right <= 1280 && grid.bottom <= 800 && grid.width / (2 * 100 + 3) >= 3,
                `at radius 100 every cell is on the 1280 x 800 screen, 3 pixels or more: ${JSON.stringify(grid)}`);
    }
    const total = String(model.counts[mode][radius - 1]);
    assert.equal(table.after.length ? table.after.at(-1) : at(table.rows.at(-1), 'total'), total, `${name} ${radius}: the total`);

    // The narration of a state inside the walk, then of the end, where the total is given.
    const [x, y, d] = states[3];
    await w.page.click('#steps tbody tr:nth-child(4) button');
    if (name === 'spans' && process.env.PICTURES) await w.page.screenshot({path: `${process.env.PICTURES}/walk-page.png`});
    const inside = d < 0 ? `${minus(d)} < 0: the midpoint (${x + 1}, ${minus(y - 0.5)}) is inside the circle`
                         : `${minus(d)} ≥ 0: the midpoint (${x + 1}, ${minus(y - 0.5)}) is outside the circle or on it`;
    const narration = (await w.state()).narration;
    const head = `Step 3: x = ${x}, y = ${y}, d = ${inside}, so the walk moves ${d < 0 ? 'east' : 'south-east'}. `;
    assert.ok(narration.startsWith(head), narration);
    assert.match(narration.slice(head.length), /^\d+ draws?, \d+ so far\.$/);
    await w.page.keyboard.press('End');
    assert.match((await w.state()).narration, new RegExp(`Total ${total}, the count the demonstration prints\\.$`));
    await close(w);
  }
});

test('the address opens its state and follows every change; a bad one opens the default with a note, never as markup', async () => {
  let w = await open('?mode=spans&radius=9&step=2');
  assert.deepEqual(await w.state(), {...await w.state(), mode: 'spans', radius: 9, current: '2'});
  await w.page.keyboard.press('ArrowRight');
  assert.equal((await w.state()).address, '?mode=spans&radius=9&step=3');
  await w.page.select('#mode', 'extents');
  assert.equal((await w.state()).address, '?mode=extents&radius=9&step=0');
  await w.page.$eval('#radius', (input) => { input.value = '12'; input.dispatchEvent(new Event('change')); });
  assert.equal((await w.state()).address, '?mode=extents&radius=12&step=0');
  await close(w);

  const markup = '<img src=x onerror="window.hacked=1">';
  for (const [query, ignored] of [[`?mode=${encodeURIComponent(markup)}&radius=5`, markup], ['?radius=101', '101'],
                                  ['?radius=0', '0'], ['?radius=abc&mode=spans', 'abc'], ['?radius=7.5', '7.5']]) {
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

test('keys step and play; a row and a pixel go to the step that drew it', async () => {
  const w = await open('?mode=outline&radius=7');
  const last = String(model.states[7].length - 1);
  const press = async (key) => { await w.page.keyboard.press(key); return (await w.state()).current; };
  assert.equal(await press('ArrowRight'), '1');
  assert.equal(await press('End'), last);
  assert.equal(await press('ArrowRight'), last, 'no further than the end');
  assert.equal(await press('ArrowLeft'), String(model.states[7].length - 2));
  assert.equal(await press('Home'), '0');
  await w.page.keyboard.press('Space');
  await until(async () => (await w.state()).current === '1', 'playing to step 1');
  await w.page.keyboard.press('Space');
  const paused = await w.page.$eval('#play', (b) => b.getAttribute('aria-pressed'));
  assert.equal(paused, 'false', 'Space pauses');
  await w.page.focus('#radius');
  assert.equal(await press('ArrowRight'), (await w.state()).current, 'keys in a form field are the field\'s');
  await w.page.$eval('#radius', (input) => input.blur());

  await w.page.click('#steps tbody tr:nth-child(3) button');
  assert.equal((await w.state()).current, '2', 'a row goes to its step');
  // The outline draws each state's own pixel at that state: a pixel of state 4 goes to step 4.
  const [x, y] = model.states[7][4];
  const box = await (await w.page.$('#grid')).boundingBox();
  const cell = box.width / (2 * 7 + 3);
  await w.page.mouse.click(box.x + (x + 7 + 1.5) * cell, box.y + (7 + 1 - y + 0.5) * cell);
  assert.equal((await w.state()).current, '4', 'a pixel goes to the step that drew it');
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
              "the link to the walk of the circle on the screen");
  await Promise.all([page.waitForNavigation(), page.click('#walk-link')]);
  await page.waitForSelector('body[data-ready]');
  assert.match(await page.$eval('#narration', (e) => e.textContent), /^Step 0: x = 0, y = 3, d = /);
  assert.equal(await page.$eval('#mode', (e) => e.value), 'spans');
  assert.deepEqual(problems, [], 'no error, no failed request');
  await page.close();
});
