import {launchChromium, serve} from './browser.mjs';
const sites = {old: '/tmp/old-build/site', new: '/work/main/build/web/site'};
const server = await serve({'/old/': sites.old, '/new/': sites.new});
const base = `http://127.0.0.1:${server.address().port}`;
const browser = await launchChromium();
async function measure(which, radius, mode, turned) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  const lines = [];
  page.on('console', (m) => { if (m.type() === 'log') lines.push(m.text()); });
  await page.goto(`${base}/${which}/index.html`);
  while (!lines.length) await new Promise((r) => setTimeout(r, 5));
  const r = await page.evaluate((radius, mode, turned) => {
    const log = console.log; console.log = () => {};
    const key = (c) => Module._keyboardCircles ? 0 : 0;
    const pass = getWasmTableEntry(GLUT.displayFunc), kb = getWasmTableEntry(GLUT.keyboardFunc), gl = Module.ctx, px = new Uint8Array(4);
    for (let i = 1; i < radius; ++i) kb(43, 0, 0);
    for (let i = 0; i < mode; ++i) kb(13, 0, 0);
    for (let i = 0; turned && i < 20; ++i) kb(121, 0, 0);
    const time = (finish) => { pass(); const b = []; for (let k = 0; k < 7; ++k) { const s = performance.now(); let n = 0; do { pass(); if (finish) gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, px); ++n; } while (performance.now() - s < 300); b.push((performance.now() - s) / n); } return b.sort((a, c) => a - c)[3]; };
    const cpu = time(false), rendered = time(true);
    console.log = log;
    return {cpu, rendered};
  }, radius, mode, turned);
  await context.close();
  return r;
}
for (const radius of [20, 60, 100]) for (const mode of [1, 2]) for (const turned of [false, true]) {
  const f = {old: [], new: []};
  for (let rep = 0; rep < 2; ++rep) for (const w of ['old', 'new']) f[w].push(await measure(w, radius, mode, turned));
  const med = (w, k) => Math.min(...f[w].map((x) => x[k]));
  console.log(`r ${radius} mode ${mode} ${turned ? 'turned ' : 'face-on'}: cpu old ${med('old', 'cpu').toFixed(2)} new ${med('new', 'cpu').toFixed(2)} | rendered old ${med('old', 'rendered').toFixed(2)} new ${med('new', 'rendered').toFixed(2)} ratio ${(med('new', 'rendered') / med('old', 'rendered')).toFixed(2)}`);
}
await browser.close(); server.close();
