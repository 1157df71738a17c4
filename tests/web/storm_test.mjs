// A storm of input on the demonstration's page, in Debian's headless Chromium: random keys, bursts
// of keys faster than frames, drags with each modifier, and menus opened and dismissed without a
// choice. Every few events a fence ('+' then '-') checks the counts against the circle model, and
// the program's heap in use must never grow past what it was at the first fence. Escape then ends
// it with status 0, and the page has had no error at all.
//   WEB_STORM_EVENTS (default 300), WEB_STORM_SEED (default 20261209), WEB_STORM_RANDOM=1 for a
//   fresh seed; the seed is printed.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {model, until, watch} from './browser.mjs';
import {useSite} from './site.mjs';

const site = useSite();
const events = Number(process.env.WEB_STORM_EVENTS || 300);
const seed = process.env.WEB_STORM_RANDOM === '1' ? Math.floor(Math.random() * 2 ** 32)
                                                    : Number(process.env.WEB_STORM_SEED || 20261209);

// mulberry32: small, and the same sequence for the same seed everywhere.
function random(state) {
  return () => {
    state = (state + 0x6d2b79f5) >>> 0;
    let t = state;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 2 ** 32;
  };
}

test(`a storm of ${events} events keeps the counts, the heap and the page whole`, async (t) => {
  t.diagnostic(`seed ${seed} (WEB_STORM_SEED=${seed} replays it)`);
  console.log(`web storm: ${events} events, seed ${seed}`);
  const next = random(seed);
  const pick = (list) => list[Math.floor(next() * list.length)];
  const page = await site.browser.newPage();
  await page.setViewport({width: 800, height: 600});
  const problems = watch(page);
  const lines = [];
  page.on('console', (m) => { if (m.type() === 'log') lines.push(m.text()); });
  await page.goto(`${site.base}index.html`);
  await until(() => lines.length > 0, 'the first count line');
  const box = await (await page.$('#canvas')).boundingBox();
  const centre = {x: box.x + box.width / 2, y: box.y + box.height / 2};

  let mode = 0, radius = 1, heap = null;
  const count = (r) => String(model.counts[mode][r - 1]);
  const memory = () => page.evaluate(() => ({inUse: Module._webHeapInUse(), size: HEAP8.length}));

  // Types a key by the name the program's table gives it, as a keyboard would.
  async function key(name) {
    const shifted = name === '+' || /^[A-Z]$/.test(name) || name === 'Shift+Enter';
    const code = {'+': 'Equal', '-': 'Minus', Enter: 'Enter', 'Shift+Enter': 'Enter', Escape: 'Escape'}[name] || `Key${name.toUpperCase()}`;
    if (shifted) await page.keyboard.down('Shift');
    await page.keyboard.press(code);
    if (shifted) await page.keyboard.up('Shift');
    if (name === 'Enter') mode = (mode + 1) % model.counts.length;
    if (name === '+') ++radius;
    if (name === '-') radius = Math.max(1, radius - 1);
  }

  async function fence(at) {
    for (const [name, expected] of [['+', count(radius + 1)], ['-', count(radius)]]) {
      const seen = lines.length;
      await key(name);
      await until(() => lines.slice(seen).includes(expected),
                  `the fence's ${name} after event ${at}: ${expected} (lines since: ${lines.slice(seen).join(' ')})`);
    }
    const now = await memory();
    heap = heap || now;
    assert.ok(now.inUse <= heap.inUse && now.size === heap.size,
              `after event ${at}: heap ${JSON.stringify(now)}, at the first fence ${JSON.stringify(heap)}`);
  }

  // The program's keys as its page lists them, Escape left for the end, and a key it leaves alone.
  const keys = [...(await page.$$eval('[data-key]', (b) => b.map((e) => e.dataset.key))).filter((k) => k !== 'Escape'), 'a'];
  assert.ok(keys.includes('+') && keys.includes('Enter'), `the page's keys: ${keys}`);
  const radiusKey = (name) => (name === '+' && radius >= 30 ? '-' : name);  // passes stay quick
  await fence(0);
  for (let i = 1; i <= events; ++i) {
    const roll = next();
    if (roll < 0.6) {
      await key(radiusKey(pick(keys)));
    } else if (roll < 0.72) {
      for (let n = 3 + Math.floor(next() * 6); n > 0; --n) await key(radiusKey(pick(keys)));  // a burst
    } else if (roll < 0.9) {
      const modifiers = pick([['Shift'], ['Shift', 'Control'], ['Control'], ['Alt']]);
      await page.mouse.move(centre.x, centre.y);
      for (const m of modifiers) await page.keyboard.down(m);
      await page.mouse.down();
      await page.mouse.move(centre.x + Math.round((next() - 0.5) * 120), centre.y + Math.round((next() - 0.5) * 120),
                            {steps: 5});
      await page.mouse.up();
      for (const m of modifiers.reverse()) await page.keyboard.up(m);
    } else {
      await page.mouse.click(centre.x + Math.round((next() - 0.5) * 200), centre.y, {button: 'right'});
      await page.waitForSelector('[role=menuitem]');
      if (next() < 0.5) await page.keyboard.press('Escape');
      else await page.mouse.click(box.x + 5, box.y + box.height + 20);  // outside the menu
      await page.waitForSelector('[role=menuitem]', {hidden: true});
    }
    if (i % 8 === 0 || i === events) await fence(i);
  }
  await key('Escape');
  await page.waitForSelector('body[data-exit-status="0"]');
  assert.deepEqual(problems, [], 'no error, no failed request');
  await page.close();
});
