// What the web tests and the web benchmark share: a static server on 127.0.0.1, the browser
// (Debian's headless Chromium with software WebGL, or, with BROWSER=firefox, Debian's Firefox ESR,
// shown in the X display, where it has WebGL), the tests' circle model, and a watch on a page for
// what must never happen.
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.css': 'text/css',
               '.png': 'image/png', '.svg': 'image/svg+xml'};

// The site is served below a sub-path, as a course's pages would be, so that an address that
// leaves it fails.
export const subPath = '/courses/midpoint/';

// Serves `folders` ({'/courses/midpoint/': dir, '/native/': dir}), with `headers` on each file,
// and resolves to the server; its address is http://127.0.0.1:PORT with server.address().port.
// Anything outside them is 404.
// An address may be long: the tests put values of tens of thousands of characters in a query.
export async function serve(folders, headers = {}) {
  const server = http.createServer({maxHeaderSize: 1 << 20}, (request, response) => {
    const url = path.posix.normalize(decodeURIComponent(request.url.split('?')[0]));
    const prefix = Object.keys(folders).filter((p) => url.startsWith(p)).sort((a, b) => b.length - a.length)[0];
    const file = prefix && path.join(folders[prefix], url.slice(prefix.length) || 'index.html');
    fs.readFile(file || '/nonexistent', (error, data) => {
      response.writeHead(error ? 404 : 200, {...headers, 'Content-Type': types[path.extname(file || '')] || 'application/octet-stream'});
      response.end(error ? undefined : data);
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return server;
}

// `args`: more switches, such as --disable-3d-apis (no WebGL).
export function launchChromium(args = []) {
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: fs.mkdtempSync(path.join(os.tmpdir(), 'chromium-')),
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync', ...args],
  });
}

// The engine the tests run in: "chromium" (the default) or "firefox".
export const engine = process.env.BROWSER === 'firefox' ? 'firefox' : 'chromium';

// The engine's browser; `args` go to Chromium alone.
export function launchBrowser(args = []) {
  if (engine === 'chromium') return launchChromium(args);
  return puppeteer.launch({
    browser: 'firefox',
    executablePath: '/usr/bin/firefox-esr',
    headless: false,  // headless, it has no WebGL here
    userDataDir: fs.mkdtempSync(path.join(os.tmpdir(), 'firefox-')),
  });
}

// The model's figures (circle-model's JSON): modes (their names, by number), counts[mode][radius - 1],
// states[radius].
export const model = process.env.MODEL ? JSON.parse(fs.readFileSync(process.env.MODEL, 'utf8')) : null;

// Collects what must never happen on a page: an error in its console or its script, a request
// that fails or is refused (a missing favicon included).
export function watch(page) {
  const problems = [];
  page.on('console', (m) => { if (m.type() === 'error') problems.push(`console: ${m.text()}`); });
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  page.on('requestfailed', (r) => problems.push(`request failed: ${r.url()}`));
  page.on('response', (r) => { if (r.status() >= 400) problems.push(`${r.status()}: ${r.url()}`); });
  return problems;
}

// Lays out now what a page lays out only near the screen (content-visibility: auto), as a reader
// who scrolled to it would see it.
export const layOutAll = (page) => page.evaluate(() => {
  for (const e of document.querySelectorAll('*')) if (getComputedStyle(e).contentVisibility === 'auto') e.style.contentVisibility = 'visible';
});

// Polls `done` until it holds; fails after 10 s.
export async function until(done, what) {
  for (const start = Date.now(); !(await done());) {
    if (Date.now() - start > 10000) throw new Error(`waited 10 s for ${what}`);
    await new Promise((resolve) => setTimeout(resolve, 10));
  }
}
