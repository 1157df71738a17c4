// The pages on a phone, in Debian's headless Chromium with touch emulation (390 x 844 CSS pixels):
// layout, the on-screen keys against the circle model, one-finger drags, the long press for the
// menu, and view-showcase's keys, those a browser keeps for itself included.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {layOutAll, model, until, watch} from './browser.mjs';
import {useSite} from './site.mjs';

const site = useSite();
const phone = {width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 1};

async function open(file, screen = phone) {
  const page = await site.browser.newPage();
  await page.setViewport(screen);
  const problems = watch(page);
  const lines = [];
  page.on('console', (m) => { if (m.type() === 'log') lines.push(m.text()); });
  await page.goto(`${site.base}${file}`);
  const s = {
    page, problems, lines,
    async tap(selector) { await (await page.$(selector)).tap(); },
    // The line that the next input prints.
    async next(input) {
      const seen = lines.length;
      await input();
      await until(() => lines.length > seen, 'a count line');
      return lines[seen];
    },
    async picture() {
      await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
      return (await page.$('#canvas')).screenshot({encoding: 'base64'});
    },
    async drag(dx, dy) {
      const box = await (await page.$('#canvas')).boundingBox();
      const x = box.x + box.width / 2, y = box.y + box.height / 2;
      const finger = await page.touchscreen.touchStart(x, y);
      for (let i = 1; i <= 10; ++i) await finger.move(x + (dx * i) / 10, y + (dy * i) / 10);
      await finger.end();
    },
  };
  if (file === 'index.html') await until(() => lines.length > 0, 'the first count line');
  return s;
}

async function close(s) {
  assert.deepEqual(s.problems, [], 'no error, no failed request');
  await s.page.close();
}

test('on a phone, 390 or 320 wide, nothing scrolls sideways, every button is 44 x 44 or more, and the picture is whole', async () => {
  const small = {...phone, width: 320, height: 568};
  for (const [file, screen] of [['index.html', phone], ['view-showcase.html', phone], ['walk.html?predict=1&radius=12', phone],
                                ['index.html?lang=fr', small], ['view-showcase.html?lang=fr', small],
                                ['walk.html?predict=1&radius=100&lang=fr', small], ['walk.html?radius=100', phone]]) {
    const s = await open(file, screen);
    if (file.startsWith('walk.html')) await s.page.waitForSelector('body[data-ready]');
    await layOutAll(s.page);  // what overflows there too
    const layout = await s.page.evaluate(() => ({
      width: document.documentElement.scrollWidth,
      // A check box is hit through its label.
      small: [...document.querySelectorAll('button, select, input, summary, nav a')].filter((b) => b.getClientRects().length)
        .map((b) => [b.textContent || b.id, (b.type === 'checkbox' ? b.closest('label') : b).getBoundingClientRect()])
        .filter(([, r]) => r.width < 44 || r.height < 44).map(([name, r]) => `${name}: ${r.width} x ${r.height}`),
      picture: (() => {
        const r = document.querySelector('canvas').getBoundingClientRect();
        return r.left >= 0 && r.right <= innerWidth && r.width >= Math.min(300, innerWidth - 40);
      })(),
    }));
    assert.ok(layout.width <= screen.width, `${file} at ${screen.width}: ${layout.width} CSS pixels wide`);
    assert.deepEqual(layout.small, [], `${file}: every control can be hit`);
    assert.ok(layout.picture, `${file}: the picture is whole`);
    await close(s);
  }
});

test('the on-screen keys print what the keyboard would: every key of the program\'s table', async () => {
  const s = await open('index.html');
  const count = (mode, radius) => String(model.counts[mode][radius - 1]);
  // The page makes a button for each key of the program's own table: every one is tapped, Escape
  // last; '+', '-' and Enter change what the model counts, the others only redraw.
  const keys = await s.page.$$eval('[data-key]', (buttons) => buttons.map((b) => b.dataset.key));
  for (const key of ['+', '-', 'Enter', 'x', 'Shift+Enter', 'Escape']) assert.ok(keys.includes(key), `a button for ${key}: ${keys}`);
  let mode = 0, radius = 1;
  for (const key of [...keys.filter((k) => k !== 'Escape'), '+', '+', 'Enter']) {
    if (key === '+') ++radius;
    if (key === '-') radius = Math.max(1, radius - 1);
    if (key === 'Enter') mode = (mode + 1) % model.counts.length;
    assert.equal(await s.next(() => s.tap(`[data-key="${key}"]`)), count(mode, radius), `${key}: mode ${mode}, radius ${radius}`);
  }
  await s.tap('[data-key="Escape"]');
  await s.page.waitForSelector('body[data-exit-status="0"]');
  assert.ok(await s.page.$eval('[data-key="+"]', (b) => b.disabled), 'the keys are off once the program has ended');
  await close(s);
});

test('one-finger turn and zoom drags change the picture and keep the count; a long press and "Quitter" end the program', async () => {
  const s = await open('index.html');
  for (let r = 2; r <= 5; ++r) await s.next(() => s.tap('[data-key="+"]'));
  const count = String(model.counts[0][4]);
  let before = await s.picture();
  if (process.env.PICTURES) await s.page.screenshot({path: `${process.env.PICTURES}/web-phone.png`});
  for (const [mode, dx, dy] of [['turn', 60, 20], ['zoom', 0, 80]]) {
    await s.tap(`[data-drag="${mode}"]`);
    assert.equal(await s.page.$eval(`[data-drag="${mode}"]`, (b) => b.getAttribute('aria-pressed')), 'true');
    assert.equal(await s.next(() => s.drag(dx, dy)), count, `${mode}: the count stays`);
    const now = await s.picture();
    assert.notEqual(now, before, `${mode}: the picture changed`);
    before = now;
  }
  const box = await (await s.page.$('#canvas')).boundingBox();
  const finger = await s.page.touchscreen.touchStart(box.x + 100, box.y + 100);
  const entry = await s.page.waitForSelector('[role=menuitem]');
  await finger.end();
  assert.equal(await entry.evaluate((e) => e.textContent), 'Quitter');
  await entry.tap();
  await s.page.waitForSelector('body[data-exit-status="0"]');
  await close(s);
});

test('view-showcase: its keys as buttons, Ctrl+Page Up and Ctrl+Page Down included', async () => {
  const s = await open('view-showcase.html');
  await s.page.waitForSelector('[data-key="PageUp"]');
  await until(async () => (await s.page.evaluate(() => typeof GLUT === 'object' && !!GLUT.displayFunc)), 'the program');
  const faceOn = await s.picture();
  await s.tap('[data-modifier="Ctrl"]');
  await s.tap('[data-key="PageUp"]');
  await until(async () => (await s.picture()) !== faceOn, 'Ctrl+Page Up to turn the ring a half-turn');
  await s.tap('[data-key="PageDown"]');
  await until(async () => (await s.picture()) === faceOn, 'Ctrl+Page Down to bring it face-on again');
  await close(s);
});
