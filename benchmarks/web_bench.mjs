// The web page's figures, beside the native program's: load to the first count line, what the
// page downloads, and in each mode at radius 20, 60 and 100, face-on and turned 40 degrees about
// y, the time from a key press (x) to its count line (16 presses of x and X in turn, medians),
// and at 20 and 60 one display pass alone, rendered: each pass is followed by a one-pixel read,
// which waits for the GPU as glFinish does natively (Chromium's WebGL finish() does not wait).
// Then the explainer at radius 100: its load, a step, a variant chosen and its chart, and the
// same with the processor slowed four times, as DevTools does for a mid-range phone. Prints
// "name value" lines.
//   usage: node web_bench.mjs SITE MODE...      (the modes' names, in the program's order)
//
// The key is timed inside the page, from the moment the browser stamped the key event to the
// moment the program printed its line: what a user feels, without the DevTools round trips of
// the harness (the native figure is likewise taken from the key's arrival to the line).
import fs from 'node:fs';
import path from 'node:path';
import {launchChromium, serve} from '../tests/web/browser.mjs';

const [site, ...modes] = process.argv.slice(2);
const median = (xs) => xs.sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const server = await serve({'/': site});
const base = `http://127.0.0.1:${server.address().port}`;
const browser = await launchChromium();

async function open() {
  const context = await browser.createBrowserContext();  // nothing cached from the last load
  const page = await context.newPage();
  await page.evaluateOnNewDocument(() => {
    window.addEventListener('keydown', (e) => { window.keyAt = e.timeStamp; }, true);
    const log = console.log.bind(console);
    console.log = (...args) => { window.lineAt = performance.now(); log(...args); };
  });
  const lines = [];
  let first = 0;
  page.on('console', (m) => { if (m.type() === 'log' && lines.push(m.text()) === 1) first = performance.now(); });
  const start = performance.now();
  await page.goto(`${base}/index.html`);
  while (!first) await new Promise((r) => setTimeout(r, 1));
  return {context, page, lines, load: first - start};
}

// Presses a key ('+' and 'X' with Shift) and waits for its line; returns the in-page time.
async function press(s, key) {
  const seen = s.lines.length;
  const shifted = key === '+' || key === 'X' || key === 'Y', code = {'+': 'Equal', X: 'KeyX', Y: 'KeyY'}[key] || key;
  if (shifted) await s.page.keyboard.down('Shift');
  await s.page.keyboard.down(code);
  while (s.lines.length === seen) await new Promise((r) => setTimeout(r, 1));
  await s.page.keyboard.up(code);
  if (shifted) await s.page.keyboard.up('Shift');
  return s.page.evaluate(() => window.lineAt - window.keyAt);
}

const loads = [];
for (let i = 0; i < 11; ++i) {
  const s = await open();
  loads.push(s.load);
  await s.context.close();
}
console.log(`load_ms ${median(loads).toFixed(1)}`);

// The pass as GLUT calls it, then the read; and its floor: the very lines the pass sends to
// WebGL, sent again by bare WebGL calls after the same clear. Medians of batches. The page's copy
// of each count line to the console is muted meanwhile: with DevTools listening, as the harness
// is, it costs about 0.5 ms a line; without (a user's browser), next to nothing.
function passAndFloor(page) {
  return page.evaluate(() => {
    const pass = getWasmTableEntry(GLUT.displayFunc), gl = Module.ctx, pixel = new Uint8Array(4);
    const log = console.log;
    console.log = () => {};
    const time = (run) => {
      run();
      const batches = [];
      for (let b = 0; b < 7; ++b) {
        const start = performance.now();
        let n = 0;
        do { run(); gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel); ++n; } while (performance.now() - start < 200);
        batches.push((performance.now() - start) / n);
      }
      return batches.sort((a, b) => a - b)[3];
    };
    const bufferData = gl.bufferData.bind(gl), drawArrays = gl.drawArrays.bind(gl), draws = [];
    gl.bufferData = (target, data, usage) => { draws.push({data: data.slice()}); bufferData(target, data, usage); };
    gl.drawArrays = (mode, first, count) => { Object.assign(draws.at(-1), {mode, count}); drawArrays(mode, first, count); };
    pass();
    delete gl.bufferData, delete gl.drawArrays;
    const bare = () => {
      gl.clear(gl.COLOR_BUFFER_BIT | gl.DEPTH_BUFFER_BIT);
      for (const d of draws) gl.bufferData(gl.ARRAY_BUFFER, d.data, gl.STREAM_DRAW), gl.drawArrays(d.mode, 0, d.count);
    };
    const figures = [time(pass), time(bare)];
    console.log = log;
    return figures;
  });
}

const s = await open();
let radius = 1;
for (const target of [20, 60, 100]) {
  for (const mode of modes) {
    for (; radius < target; ++radius) await press(s, '+');
    for (const turned of [false, true]) {
      const name = `${mode}/${target}${turned ? '/turned' : ''}`;
      for (let i = 0; turned && i < 20; ++i) await press(s, 'KeyY');
      // x and X in turn (+2 and -2 degrees): the scene ends as it began.
      const keys = [];
      for (let i = 0; i < 16; ++i) keys.push(await press(s, i % 2 ? 'X' : 'KeyX'));
      console.log(`page_key_ms/${name} ${median(keys).toFixed(2)}`);
      if (target <= 60) {
        const [ms, floor] = await passAndFloor(s.page);
        console.log(`pass_ms/${name} ${ms.toFixed(3)}`);
        console.log(`floor_ms/${name} ${floor.toFixed(3)}`);
      }
      for (let i = 0; turned && i < 20; ++i) await press(s, 'Y');
    }
    await press(s, 'Enter');
  }
}
await s.context.close();

// The explainer at radius 100, with the processor as it is and slowed four times: the load to
// the table and the grid; a step, from the key's event to the next frame, as a user feels it,
// and the page's own work for it alone; a variant chosen, to the next frame; the chart's build.
for (const slowdown of [1, 4]) {
  const suffix = slowdown === 1 ? '' : `_slow${slowdown}`;
  const loads = [];
  for (let i = 0; i < 11; ++i) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport({width: 1280, height: 800});
    if (slowdown > 1) await page.emulateCPUThrottling(slowdown);
    await page.goto(`${base}/walk.html?mode=spans&radius=100`);
    await page.waitForSelector('body[data-ready]');
    loads.push(await page.evaluate(() => performance.getEntriesByName('walk-ready')[0].startTime));
    if (i === 10) {
      await page.waitForSelector('body[data-chart]');
      console.log(`walk_chart_ms${suffix} ${(await page.evaluate(() => performance.measure('chart', 'chart-start', 'chart-ready').duration)).toFixed(1)}`);
      await page.evaluate(() => {
        window.stepFigures = {frame: [], work: []};
        document.addEventListener('keydown', (e) => {
          const pressed = e.timeStamp;
          requestAnimationFrame(() => window.stepFigures.frame.push(performance.now() - pressed));
        }, true);
        // After the page's own handler, which the document's listeners run before the window's.
        window.addEventListener('keydown', (e) => window.stepFigures.work.push(performance.now() - e.timeStamp));
      });
      for (let k = 0; k < 40; ++k) {
        await page.keyboard.press('ArrowRight');
        await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
      }
      const steps = await page.evaluate(() => window.stepFigures);
      console.log(`walk_step_frame_ms${suffix} ${median(steps.frame).toFixed(1)}`);
      console.log(`walk_step_work_ms${suffix} ${median(steps.work).toFixed(2)}`);
      const variants = [];
      for (const name of ['less-or-equal', 'root', 'walk', 'exact', 'less-or-equal', 'quarter', 'walk']) {
        variants.push(await page.evaluate((value) => new Promise((resolve) => {
          const select = document.getElementById('variant'), start = performance.now();
          select.value = value;
          select.dispatchEvent(new Event('change'));
          requestAnimationFrame(() => resolve(performance.now() - start));
        }), name));
      }
      console.log(`walk_variant_ms${suffix} ${median(variants).toFixed(1)}`);
    }
    await context.close();
  }
  console.log(`walk_load_ms${suffix} ${median(loads).toFixed(1)}`);
}

const files = fs.readdirSync(site).filter((f) => /^(index\.html|strings\.js|page\.(css|js)|midpoint-circles\.(js|wasm)|favicon\..*)$/.test(f));
console.log(`download_bytes ${files.reduce((sum, f) => sum + fs.statSync(path.join(site, f)).size, 0)}`);
await browser.close();
server.close();
