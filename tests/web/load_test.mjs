// The pages as they load, in Chromium: under a strict content security policy, sent as a header
// besides each page's own, they work and nothing is refused, served and opened from their folder;
// and once drawn nothing on them moves (their layout shift, as the browser's own entries count it).
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {pathToFileURL} from 'node:url';
import {model, until, watch} from './browser.mjs';
import {useSite} from './site.mjs';

// What the site asks of a host's own policy: its scripts alone, WebAssembly, its styles, and a worker
// from a data: address (number-warm-up.js).
const policy = "script-src 'self' 'wasm-unsafe-eval'; worker-src 'self' data:; style-src 'self'";
const site = useSite({}, {'Content-Security-Policy': policy});

// A page with its console's lines, what its policies refuse, as the page hears it, and its layout
// shifts (shifts()).
async function open(url, viewport = {width: 1280, height: 800}) {
  const page = await site.browser.newPage();
  await page.setViewport(viewport);
  await page.evaluateOnNewDocument(() => {
    window.refused = [];
    addEventListener('securitypolicyviolation', (e) => refused.push(`${e.violatedDirective}: ${e.blockedURI}`));
    const seen = [], observer = new PerformanceObserver((list) => seen.push(...list.getEntries()));
    observer.observe({type: 'layout-shift', buffered: true});
    window.shifts = () => [...seen, ...observer.takeRecords()].filter((e) => !e.hadRecentInput).map((e) => e.value);
  });
  const problems = watch(page), lines = [];
  page.on('console', (m) => { if (m.type() === 'log') lines.push(m.text()); });
  await page.goto(url);
  return {page, problems, lines, policy: () => page.$eval('meta[http-equiv=Content-Security-Policy]', (m) => m.content)};
}

test('under a strict policy every page works and nothing is refused; submitting the walk\'s controls keeps the page', async () => {
  for (const base of [site.base, `${pathToFileURL(site.path)}/`]) {
    const demo = await open(`${base}index.html`);
    await until(() => demo.lines.length > 0, 'the first count line');
    assert.equal(demo.lines[0], String(model.counts[0][0]));
    const showcase = await open(`${base}view-showcase.html`);
    await showcase.page.waitForSelector('#keys button');

    const walk = await open(`${base}walk.html?mode=spans&radius=7&step=3`), page = walk.page;
    await page.waitForSelector('body[data-ready]');
    await page.evaluate(() => { window.kept = true; });
    const state = () => page.waitForSelector('body[data-settled]').then(() => page.evaluate(() => ({
      kept: window.kept, address: location.search.replace(/&lang=\w+/, ''), rows: document.querySelectorAll('#steps tbody tr').length})));
    await page.$eval('#controls', (form) => form.requestSubmit());
    assert.deepEqual(await state(), {kept: true, address: '?mode=spans&radius=7&step=3', rows: model.states[7].length}, 'submitted as it was');
    await page.click('#radius', {clickCount: 3});
    await page.keyboard.type('12');
    await page.keyboard.press('Enter');
    await until(async () => (await state()).address === '?mode=spans&radius=12&step=0', 'the walk at radius 12 in the address');
    assert.deepEqual(await state(), {kept: true, address: '?mode=spans&radius=12&step=0', rows: model.states[12].length}, 'a radius typed, then Enter');
    const teacher = await open(`${base}teacher.html`);
    await teacher.page.waitForSelector('body[data-ready]');
    const guide = await open(`${base}guide.html`);
    await guide.page.waitForSelector('body[data-ready]');

    const pages = [demo, showcase, walk, teacher, guide], policies = await Promise.all(pages.map((p) => p.policy()));
    assert.equal(new Set(policies).size, 1, `one policy for the pages: ${policies.join(' | ')}`);
    assert.match(policies[0], /(^|; )script-src 'self' 'wasm-unsafe-eval'(;|$)/);
    for (const p of pages) {
      assert.deepEqual(await p.page.evaluate(() => refused), [], `${p.page.url()}: nothing refused`);
      assert.deepEqual(p.problems, [], `${p.page.url()}: no error, no failed request`);
      await p.page.close();
    }
  }
});

test('once drawn, nothing moves: a layout shift of 0.02 at most on every page, 1350 x 940 and 390 x 844', async () => {
  for (const viewport of [{width: 1350, height: 940}, {width: 390, height: 844}]) {
    // Each page once its last part is in: the first count line, the keys, the explainer's chart,
    // the teacher's set, the guide.
    for (const [file, ready] of [['index.html', '#output:not(:empty)'], ['view-showcase.html', '#keys button'], ['walk.html', 'body[data-chart]'],
                                 ['teacher.html', 'body[data-ready]'], ['guide.html', 'body[data-ready]']]) {
      const {page, problems} = await open(`${site.base}${file}`, viewport);
      await page.waitForSelector(ready);
      const shifts = await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(() => resolve(window.shifts())))));
      const score = shifts.reduce((a, b) => a + b, 0);
      assert.ok(score <= 0.02, `${file} at ${viewport.width} x ${viewport.height}: ${score.toFixed(4)} (${shifts.map((s) => s.toFixed(4))})`);
      assert.deepEqual(problems, []);
      await page.close();
    }
  }
});
