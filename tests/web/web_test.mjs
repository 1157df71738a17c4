// The demonstration's web page in Debian's headless Chromium (software WebGL), driven by real
// DevTools key presses and mouse drags: its count lines against the circle model's, its quitting,
// and its pictures against the native program's of the same states. No fixed waits: each wait is
// for a line, an element, or the browser's next frames.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {launchChromium, model, until, watch} from './browser.mjs';
import {useSite} from './site.mjs';
import {steps} from './states.mjs';

const site = useSite({'/native/': process.env.NATIVE_PICTURES});
// expected[mode][radius - 1], as the page prints it
const expected = model.counts.map((row) => row.map(String));


// The demonstration's page (at `query`) with its count lines as the console receives them.
async function openPage(query = '') {
  const page = await site.browser.newPage();
  await page.setViewport({width: 800, height: 600, deviceScaleFactor: 1});
  const lines = [];
  page.on('console', (message) => { if (message.type() === 'log') lines.push(message.text()); });
  const problems = watch(page);
  await page.goto(`${site.base}index.html${query}`);
  await until(() => lines.length > 0, 'the first count line');
  const box = await (await page.$('#canvas')).boundingBox();
  const session = {
    page, lines, box, problems,
    // The line of the redraw that the next input makes, once it has come.
    async next(input) {
      const seen = lines.length;
      await input();
      await until(() => lines.length > seen, 'a count line');
      return lines[seen];
    },
    // Presses a key by its X name; capitals and '+' with Shift held, as on a keyboard.
    async key(name) {
      const keys = {plus: 'Equal', minus: 'Minus', Return: 'Enter', Escape: 'Escape'};
      const shifted = name === 'plus' || /^[A-Z]$/.test(name);
      if (shifted) await page.keyboard.down('Shift');
      await page.keyboard.press(keys[name] || `Key${name.toUpperCase()}`);
      if (shifted) await page.keyboard.up('Shift');
    },
    // Every line printed before the page takes its next key: '-' then '+' are pressed and
    // their own lines dropped (radius 2 or more, so that both change the count).
    async fence(mode, radius) {
      const seen = lines.length;
      await session.key('minus');
      await until(() => lines.slice(seen).includes(expected[mode][radius - 2]), "the fence's '-'");
      const before = lines.slice(seen, seen + lines.slice(seen).indexOf(expected[mode][radius - 2]));
      assert.equal(await session.next(() => session.key('plus')), expected[mode][radius - 1]);
      return before;
    },
    async drag(modifiers, dx, dy) {
      // Whole pixels of the canvas, as a real pointer gives.
      const x = box.x + Math.round(box.width / 2), y = box.y + Math.round(box.height / 2);
      await page.mouse.move(x, y);
      for (const m of modifiers) await page.keyboard.down(m);
      await page.mouse.down();
      await page.mouse.move(x + dx, y + dy, {steps: 10});
      await page.mouse.up();
      for (const m of modifiers.reverse()) await page.keyboard.up(m);
    },
    // The red pixels of a picture (a PNG as base64, or a URL), as "x,y" strings, and their box.
    async reds(picture) {
      return page.evaluate(async (src) => {
        const image = new Image();
        image.src = src;
        await image.decode();
        const c = new OffscreenCanvas(image.width, image.height);
        const g = c.getContext('2d');
        g.drawImage(image, 0, 0);
        const p = g.getImageData(0, 0, image.width, image.height).data;
        const set = [], box = {left: Infinity, right: -1};
        for (let i = 0; i < p.length; i += 4) {
          if (p[i] > 200 && p[i + 1] < 80 && p[i + 2] < 80) {
            const x = (i / 4) % image.width;
            set.push(x + ',' + Math.floor(i / 4 / image.width));
            box.left = Math.min(box.left, x), box.right = Math.max(box.right, x);
          }
        }
        return {set, width: box.right - box.left + 1};
      }, picture.startsWith('/') ? picture : 'data:image/png;base64,' + picture);
    },
    // After the browser has drawn two more frames, so that the last redraw is on the screen.
    async picture() {
      await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
      return (await page.$('#canvas')).screenshot({encoding: 'base64'});
    },
  };
  return session;
}

test('count lines: 4 first, every mode at radii 1 to 12 as the model says, view changes keep the count', async () => {
  const s = await openPage();
  assert.equal(s.lines[0], '4');
  for (let r = 2; r <= 12; ++r) assert.equal(await s.next(() => s.key('plus')), expected[0][r - 1], `outline ${r}`);
  assert.equal(await s.next(() => s.key('Return')), expected[1][11], 'spans 12');
  for (let r = 11; r >= 1; --r) assert.equal(await s.next(() => s.key('minus')), expected[1][r - 1], `spans ${r}`);
  assert.equal(await s.next(() => s.key('Return')), expected[2][0], 'extents 1');
  for (let r = 2; r <= 12; ++r) assert.equal(await s.next(() => s.key('plus')), expected[2][r - 1], `extents ${r}`);

  const count = expected[2][11];
  assert.equal(await s.next(() => s.drag(['Shift'], 90, 0)), count, 'a Shift-drag redraws');
  for (const line of await s.fence(2, 12)) assert.equal(line, count);
  // 90 pixels are 90 degrees about Y: the disc seen edge-on is one cube wide.
  const edgeOn = (await s.reds(await s.picture())).width;
  assert.ok(edgeOn <= 12, `edge-on after a 90-pixel Shift-drag: ${edgeOn} pixels wide`);
  for (const name of ['z', 'Z', 'x', 'Y']) assert.equal(await s.next(() => s.key(name)), count, name);
  await s.page.keyboard.down('Shift');
  assert.equal(await s.next(() => s.page.keyboard.press('Enter')), count, 'Shift+Enter redraws');
  await s.page.keyboard.up('Shift');
  assert.equal(await s.next(() => s.key('Return')), expected[0][11], 'and leaves the mode: Enter goes on to the outline');
  assert.deepEqual(s.problems, [], 'no error, no failed request');
  await s.page.close();
});

test('"Quitter" in the right-button menu, or Escape, ends the program with status 0; then input does nothing', async () => {
  for (const way of ['menu', 'Escape']) {
    const s = await openPage();
    const centre = {x: s.box.x + 100, y: s.box.y + 100};
    if (way === 'menu') {
      const prevented = await s.page.evaluate(() => !document.getElementById('canvas').dispatchEvent(
        new MouseEvent('contextmenu', {bubbles: true, cancelable: true})));
      assert.ok(prevented, "the browser's own menu is kept off the canvas");
      await s.page.mouse.move(centre.x, centre.y);
      await s.page.mouse.down({button: 'right'});
      await s.page.mouse.up({button: 'right'});
      const entry = await s.page.waitForSelector('[role=menuitem]', {timeout: 10000});
      assert.equal(await entry.evaluate((e) => e.textContent), 'Quitter');
      const entryBox = await entry.boundingBox();
      await s.page.mouse.click(entryBox.x + entryBox.width / 2, entryBox.y + entryBox.height / 2);
    } else {
      await s.key('Escape');
    }
    await s.page.waitForSelector('body[data-exit-status="0"]', {timeout: 10000});
    assert.match(await s.page.$eval('#status', (e) => e.textContent), /ended with status 0/);
    const printed = s.lines.length;
    await s.key('plus');
    await s.drag(['Shift'], 30, 0);
    await s.picture();  // two frames later
    assert.equal(s.lines.length, printed, `${way}: nothing printed after the end`);
    assert.deepEqual(s.problems, [], 'no error, no failed request');
    await s.page.close();
  }
});

test('"Copy link" keeps the circle, and the link opens the program at it through its keys; "Start again" after Escape starts it afresh', async () => {
  let s = await openPage();
  // What the page copies, kept as the clipboard would (Firefox lets no test read it).
  await s.page.evaluate(() => { navigator.clipboard.writeText = async (text) => { window.copied = text; }; });
  for (const key of ['Return', 'plus', 'plus', 'plus', 'plus']) await s.next(() => s.key(key));
  await until(() => s.page.$eval('#walk-link', (a) => a.getAttribute('href') === 'walk.html?mode=spans&radius=5'), 'the page at spans, radius 5');
  await s.page.click('[data-copy="link"]');
  const link = await (await s.page.waitForFunction(() => window.copied)).jsonValue();
  assert.equal(link, `${site.base}index.html?mode=spans&radius=5`);
  await s.page.close();
  s = await openPage(new URL(link).search);
  await until(() => s.lines.includes(expected[1][4]), 'the count of spans at radius 5');
  assert.deepEqual([s.lines[0], s.lines.at(-1)], ['4', expected[1][4]], 'the first picture as always, then the circle of the link');
  await s.key('Escape');
  await s.page.waitForSelector('body[data-exit-status="0"]');
  const printed = s.lines.length;
  await Promise.all([s.page.waitForNavigation(), s.page.click('#restart')]);
  await until(() => s.lines.length > printed, 'the first count line again');
  assert.equal(s.lines[printed], '4', 'afresh');
  assert.deepEqual(s.problems, [], 'no error, no failed request');
  await s.page.close();
});

test("pictures of every radius from 1 to 12 in each mode and of a turned view match the native program's", async () => {
  const s = await openPage();
  for (const step of steps) {
    if (!step.startsWith('=')) {
      const [name, times] = step.split('*');
      for (let i = 0; i < Number(times || 1); ++i) await s.next(() => s.key(name));
      continue;
    }
    const web = await s.picture();
    // The whole page once, for people to see (run.sh names the file).
    if (step === steps.at(-1) && process.env.PICTURES) await s.page.screenshot({path: `${process.env.PICTURES}/web-page.png`});
    // Red pixels of each picture; each must lie within a pixel of one of the other's.
    const w = new Set((await s.reds(web)).set), n = new Set((await s.reds(`/native/${step.slice(1)}.png`)).set);
    const alone = (a, b) => [...a].filter((k) => {
      const [x, y] = k.split(',').map(Number);
      for (let dy = -1; dy <= 1; ++dy) for (let dx = -1; dx <= 1; ++dx) if (b.has(`${x + dx},${y + dy}`)) return false;
      return true;
    });
    const webAlone = alone(w, n), nativeAlone = alone(n, w);
    const d = {web: w.size, native: n.size, webAlone: webAlone.length, nativeAlone: nativeAlone.length,
               where: webAlone.concat(nativeAlone).slice(0, 8)};
    const name = step.slice(1);
    assert.ok(d.native > 0, `${name}: the native picture has red pixels`);
    // Face-on the pictures are the same, to the pixel.
    if (!name.endsWith('turned')) assert.deepEqual({webAlone: [...w].filter((k) => !n.has(k)), nativeAlone: [...n].filter((k) => !w.has(k))},
                                                   {webAlone: [], nativeAlone: []}, `${name}: red pixels in one picture only`);
    // Line ends may fall a pixel apart between two rasterisers; a red pixel with no other within
    // a pixel of it counts against the 2 % that the two sets may differ by in number.
    const allowed = 0.02 * d.native;
    assert.ok(d.webAlone <= allowed && d.nativeAlone <= allowed && Math.abs(d.web - d.native) <= allowed,
              `${name}: ${JSON.stringify(d)}`);
  }
  assert.deepEqual(s.problems, [], 'no error, no failed request');
  await s.page.close();
});

test('without WebGL both programs\' pages say so, what to try, and link to the explainer, with no error', async (t) => {
  const browser = await launchChromium(['--disable-3d-apis']);
  t.after(() => browser.close());
  for (const file of ['index.html', 'view-showcase.html']) {
    const page = await browser.newPage();
    const problems = watch(page);
    await page.goto(`${site.base}${file}`);
    await page.waitForSelector('body[data-no-webgl]');
    const status = await page.$eval('#status', (e) => ({text: e.textContent, link: e.querySelector('a')?.getAttribute('href')}));
    assert.match(status.text, /WebGL.*turned off.*another browser.*hardware acceleration/, `${file}: ${status.text}`);
    assert.equal(status.link, 'walk.html', `${file}: a link to the explainer`);
    assert.ok(await page.$eval('[data-key="Escape"]', (b) => b.disabled), `${file}: the keys are off`);
    await Promise.all([page.waitForNavigation(), page.click('#status a')]);
    await page.waitForSelector('body[data-ready]');
    assert.deepEqual(problems, [], `${file}: no error, no failed request, the explainer included`);
    await page.close();
  }
});
