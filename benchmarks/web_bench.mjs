// The web page's figures: load to the first count line, one display pass at radius 20 and 100
// in each mode, and what the page downloads. Prints "name value" lines.
//   usage: node web_bench.mjs SITE
import fs from 'node:fs';
import path from 'node:path';
import {launchChromium, serve} from '../tests/web/browser.mjs';

const site = process.argv[2];
const median = (xs) => xs.sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const server = await serve({'/': site});
const base = `http://127.0.0.1:${server.address().port}`;
const browser = await launchChromium();

async function open() {
  const context = await browser.createBrowserContext();  // nothing cached from the last load
  const page = await context.newPage();
  const lines = [];
  let first = 0;
  page.on('console', (m) => { if (m.type() === 'log' && lines.push(m.text()) === 1) first = performance.now(); });
  const start = performance.now();
  await page.goto(`${base}/index.html`);
  while (!first) await new Promise((r) => setTimeout(r, 1));
  return {context, page, lines, load: first - start};
}

const loads = [];
for (let i = 0; i < 11; ++i) {
  const s = await open();
  loads.push(s.load);
  await s.context.close();
}
console.log(`load_ms ${median(loads).toFixed(1)}`);

const s = await open();
const names = ['outline', 'spans', 'extents'];
let radius = 1;
for (const target of [20, 100]) {
  for (let mode = 0; mode < 3; ++mode) {
    for (; radius < target; ++radius) {
      const seen = s.lines.length;
      await s.page.keyboard.down('Shift');
      await s.page.keyboard.press('Equal');
      await s.page.keyboard.up('Shift');
      while (s.lines.length === seen) await new Promise((r) => setTimeout(r, 1));
    }
    // The pass as GLUT calls it, then glFinish, as the native benchmark does; medians of batches.
    const ms = await s.page.evaluate(() => {
      const pass = getWasmTableEntry(GLUT.displayFunc), gl = Module.ctx;
      pass(); gl.finish();
      const batches = [];
      for (let b = 0; b < 7; ++b) {
        const start = performance.now();
        let n = 0;
        do { pass(); gl.finish(); ++n; } while (performance.now() - start < 200);
        batches.push((performance.now() - start) / n);
      }
      return batches.sort((a, b) => a - b)[3];
    });
    console.log(`pass_ms/${names[mode]}/${target} ${ms.toFixed(3)}`);
    const seen = s.lines.length;
    await s.page.keyboard.press('Enter');
    while (s.lines.length === seen) await new Promise((r) => setTimeout(r, 1));
  }
}
const files = ['index.html', 'page.css', 'page.js', 'midpoint-circles.js', 'midpoint-circles.wasm'];
console.log(`download_bytes ${files.reduce((sum, f) => sum + fs.statSync(path.join(site, f)).size, 0)}`);
await browser.close();
server.close();
