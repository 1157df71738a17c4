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
import os from 'node:os';
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
let downloaded = 0;  // what the demonstration's page took in, as the browser counts it, before compression
for (let i = 0; i < 11; ++i) {
  const s = await open();
  loads.push(s.load);
  if (i === 0) {
    await s.page.waitForFunction(() => document.readyState === 'complete');
    downloaded = await s.page.evaluate(() => [...performance.getEntriesByType('navigation'), ...performance.getEntriesByType('resource')]
      .reduce((sum, entry) => sum + entry.decodedBodySize, 0));
  }
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
// and the page's own work before that frame; a variant chosen, to the next frame; the chart's build.
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

// As a phone feels it: 390 x 844 CSS pixels at twice as many device pixels, touch, the processor
// slowed four times. Each figure is the browser's own Event Timing (what Interaction to Next Paint
// is made of): from the input to the next frame on screen, the longest event of the interaction.
// Medians of 20 inputs; the browser reports none under 16 ms, counted here as 0 ("under 16"). A
// trivial page (a line of text that each input changes, a small box drawn on a canvas in #grid
// and a one-row #steps table, as walk.html's picture and table) is measured alike, in the same run.
const phone = {width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true};
const trivialFolder = fs.mkdtempSync(path.join(os.tmpdir(), 'trivial-'));
fs.writeFileSync(path.join(trivialFolder, 'index.html'), `<!doctype html><meta name="viewport" content="width=device-width">
<p id="line">0</p><button id="tap" style="min-height:44px">+1</button>
<div id="grid"><canvas width="40" height="40"></canvas></div><table id="steps"><tbody><tr><td>0</td></tr></tbody></table>
<script>let n = 0; const more = () => { document.getElementById('line').textContent = ++n; };
document.querySelector('#grid canvas').getContext('2d').fillRect(0, 0, 40, 40);
addEventListener('keydown', more); document.getElementById('tap').onclick = more; performance.mark('walk-ready');
requestAnimationFrame(() => setTimeout(() => performance.mark('walk-shown')));</script>`);
const trivialServer = await serve({'/': trivialFolder});

async function phonePage(url, ready) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport(phone);
  await page.emulateCPUThrottling(4);
  await page.evaluateOnNewDocument(() => {
    window.interactions = new Map();  // interaction id -> its longest event
    new PerformanceObserver((list) => {
      for (const e of list.getEntries()) {
        if (e.interactionId) window.interactions.set(e.interactionId, Math.max(window.interactions.get(e.interactionId) || 0, e.duration));
      }
    }).observe({type: 'event', durationThreshold: 16, buffered: true});
    // The Largest Contentful Paint so far (the browser stops reporting at the first input).
    new PerformanceObserver((list) => { window.lcpAt = list.getEntries().at(-1).startTime; })
      .observe({type: 'largest-contentful-paint', buffered: true});
    // The end of the first frame at whose start the grid has its picture (canvases of some size in
    // #grid) and the table its rows, watched from the document's start.
    const watch = () => {
      const canvases = [...document.querySelectorAll('#grid canvas')];
      const grid = canvases.length && canvases.every((c) => c.width && c.height && c.clientHeight);
      if (grid && document.querySelector('#steps tbody tr')) setTimeout(() => { window.bothAt = performance.now(); });
      else requestAnimationFrame(watch);
    };
    requestAnimationFrame(watch);
  });
  const lines = [];
  page.on('console', (m) => lines.push(m.text()));
  await page.goto(url);
  await page.waitForSelector(ready);
  const load = await page.evaluate(() => performance.getEntriesByName('walk-ready')[0]?.startTime);
  return {context, page, load, lines};
}

// The time to the end of the first frame drawn after the page is whole, which walk.html and the
// trivial page mark as "walk-shown".
async function shown(page) {
  await page.waitForFunction(() => performance.getEntriesByName('walk-shown').length);
  return page.evaluate(() => performance.getEntriesByName('walk-shown')[0].startTime);
}

// The first frame with the grid and the table, and the Largest Contentful Paint, both once the
// page is whole and drawn (the LCP as the frame after it has reported it).
async function painted(page) {
  await page.waitForFunction(() => window.bothAt && window.lcpAt && performance.getEntriesByName('walk-shown').length);
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  return page.evaluate(() => [window.bothAt, window.lcpAt]);
}

// `input` 20 times, each followed by two frames; the median of the interactions' durations.
async function interactions(page, input) {
  await page.evaluate(() => window.interactions.clear());
  for (let i = 0; i < 20; ++i) {
    await input(i);
    await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  }
  const seen = await page.evaluate(() => [...window.interactions.values()]);
  while (seen.length < 20) seen.push(0);
  return median(seen);
}

{
  const trivial = await phonePage(`http://127.0.0.1:${trivialServer.address().port}/index.html`, '#tap');
  console.log(`phone_trivial_load_ms ${trivial.load.toFixed(0)}`);
  console.log(`phone_trivial_shown_ms ${(await shown(trivial.page)).toFixed(0)}`);
  console.log(`phone_trivial_key_ms ${await interactions(trivial.page, () => trivial.page.keyboard.press('ArrowRight'))}`);
  console.log(`phone_trivial_tap_ms ${await interactions(trivial.page, () => trivial.page.tap('#tap'))}`);
  await trivial.context.close();
  const trivialBoth = [], trivialLcp = [];
  for (let i = 0; i < 9; ++i) {
    const t = await phonePage(`http://127.0.0.1:${trivialServer.address().port}/index.html`, '#tap');
    const [both, lcp] = await painted(t.page);
    trivialBoth.push(both), trivialLcp.push(lcp);
    await t.context.close();
  }
  console.log(`phone_trivial_both_ms ${median(trivialBoth).toFixed(0)}`);
  console.log(`phone_trivial_lcp_ms ${median(trivialLcp).toFixed(0)}`);
  trivialServer.close();
  fs.rmSync(trivialFolder, {recursive: true});

  const loads = [], shownAt = [], bothAt = [], lcpAt = [];
  for (let i = 0; i < 9; ++i) {
    const w = await phonePage(`${base}/walk.html?mode=spans&radius=100`, 'body[data-ready]');
    loads.push(w.load);
    shownAt.push(await shown(w.page));
    const [both, lcp] = await painted(w.page);
    bothAt.push(both), lcpAt.push(lcp);
    await w.context.close();
  }
  console.log(`phone_walk_load_ms ${median(loads).toFixed(0)}`);
  console.log(`phone_walk_shown_ms ${median(shownAt).toFixed(0)}`);
  console.log(`phone_walk_both_ms ${median(bothAt).toFixed(0)}`);
  console.log(`phone_walk_lcp_ms ${median(lcpAt).toFixed(0)}`);
  for (const mode of modes) {
    for (const radius of [20, 100]) {
      const w = await phonePage(`${base}/walk.html?mode=${mode}&radius=${radius}`, 'body[data-chart]');
      // The table, the code and the narration follow the grid a frame later: from the key to the
      // end of the page's own work for that frame, which Event Timing does not see.
      await w.page.evaluate(() => {
        window.allShown = [];
        let pressed = 0;
        addEventListener('keydown', (e) => { pressed = e.timeStamp; }, true);
        new MutationObserver(() => {
          if (!pressed || !document.body.dataset.settled) return;
          const at = pressed;
          pressed = 0;
          requestAnimationFrame(() => setTimeout(() => window.allShown.push(performance.now() - at)));
        }).observe(document.body, {attributes: true, attributeFilter: ['data-settled']});
      });
      console.log(`phone_step_ms/${mode}/${radius} ${await interactions(w.page, (i) => w.page.keyboard.press(i % 2 ? 'ArrowLeft' : 'ArrowRight'))}`);
      console.log(`phone_step_all_ms/${mode}/${radius} ${median(await w.page.evaluate(() => window.allShown)).toFixed(0)}`);
      await w.context.close();
    }
  }
  const p = await phonePage(`${base}/walk.html?mode=spans&radius=100&predict=1`, 'body[data-chart]');
  console.log(`phone_answer_ms ${await interactions(p.page, (i) => p.page.tap(i % 2 ? '#answer-se' : '#answer-e'))}`);
  await p.context.close();
  // A variant chosen from the list: the arrow keys on the focused list change it at once, as a
  // choice from a phone's picker does.
  const v = await phonePage(`${base}/walk.html?mode=spans&radius=100`, 'body[data-chart]');
  await v.page.focus('#variant');
  console.log(`phone_variant_ms ${await interactions(v.page, (i) => v.page.keyboard.press(i % 2 ? 'ArrowUp' : 'ArrowDown'))}`);
  await v.context.close();
  // The demonstration, spans at radius 60: a turn (x and X in turn), to the frame that shows it.
  const d = await phonePage(`${base}/index.html`, 'canvas'), lines = d.lines;
  const key = async (code, shift = false) => {
    const seen = lines.length;
    if (shift) await d.page.keyboard.down('Shift');
    await d.page.keyboard.press(code);
    if (shift) await d.page.keyboard.up('Shift');
    while (lines.length === seen) await new Promise((r) => setTimeout(r, 1));
  };
  while (!lines.length) await new Promise((r) => setTimeout(r, 1));
  await key('Enter');
  for (let r = 1; r < 60; ++r) await key('Equal', true);
  console.log(`phone_demo_key_ms ${await interactions(d.page, (i) => key('KeyX', i % 2 === 1))}`);
  await d.context.close();
}

console.log(`download_bytes ${downloaded}`);
await browser.close();
server.close();
