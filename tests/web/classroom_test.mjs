// The pages in class: walk.html printed as a handout and as a worksheet (read back with pdftotext),
// every page without a WCAG A/AA fault that axe-core finds in the dark and projector themes, the
// links copied, the site offline after one visit, under its sub-path, and the SCORM 1.2 package
// run by a learning platform that scorm-again plays.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {launchChromium, model, serve, subPath, until, watch} from './browser.mjs';
import {useSite} from './site.mjs';
import {answerOf, answerSet} from './practice.mjs';
import {platform, unzipped} from './scorm.mjs';

const site = useSite();

async function open(file) {
  const page = await site.browser.newPage();
  await page.setViewport({width: 1280, height: 800});
  const problems = watch(page);
  await page.goto(`${site.base}${file}`);
  await page.waitForSelector(file.startsWith('walk') ? 'body[data-chart]' : file.startsWith('guide') ? 'body[data-ready]' : '#keys button');
  return {page, problems};
}

// The pages of `page` printed on A4, and their text.
async function printed(page) {
  const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'print-')), 'page.pdf');
  await page.pdf({path: file, format: 'A4', printBackground: true});
  const pages = Number(/Pages:\s+(\d+)/.exec(execFileSync('pdfinfo', [file], {encoding: 'utf8'}))[1]);
  return {pages, text: execFileSync('pdftotext', ['-layout', file, '-'], {encoding: 'utf8'})};
}

test('printed, walk.html is a handout of two A4 pages at most, every row and no control; a worksheet leaves d, F(M) and the move blank', async () => {
  const {page, problems} = await open('walk.html?mode=outline&radius=12&step=3');
  // The buttons' labels, but for the steps' numbers and the answers E and SE, which the table has too.
  const labels = await page.$$eval('button', (buttons) => buttons.map((b) => b.textContent.trim()).filter((t) => !/^(\d+|E|SE)$/.test(t)));
  const last = await page.$$eval('#steps tbody tr', (rows) => [...rows.at(-1).cells].slice(1).map((c) => c.textContent));
  const handout = await printed(page);
  assert.ok(handout.pages <= 2, `${handout.pages} pages`);
  assert.match(handout.text, new RegExp(last.map((t) => t.replace(/[.]/g, '\\.')).join('\\s+')), 'the table\'s last row');
  assert.deepEqual(labels.filter((label) => handout.text.includes(label)), [], 'no button printed');
  await page.goto(`${site.base}walk.html?mode=outline&radius=12&worksheet=1`);
  await page.waitForSelector('body[data-ready]');
  const sheet = await printed(page);
  assert.ok(sheet.text.includes('Name:'), 'a line for a name');
  assert.ok(!/\.(25|75)|\bSE\b|−11/.test(sheet.text), `no F(M), move or d printed: ${sheet.text}`);
  assert.deepEqual(problems, []);
  await page.close();
});

test('axe-core finds no WCAG A/AA fault in the dark and projector themes', async () => {
  const axe = fs.readFileSync(new URL('node_modules/axe-core/axe.min.js', import.meta.url), 'utf8');
  for (const theme of ['dark', 'projector']) {
    for (const file of [`walk.html?theme=${theme}&predict=1&variant=root`, `index.html?theme=${theme}&lang=fr`, `guide.html?theme=${theme}&lang=fr`]) {
      const {page, problems} = await open(file);
      await page.evaluate(axe);
      const faults = await page.evaluate(async () => (await axe.run(document, {runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa']}))
        .violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`));
      assert.deepEqual(faults, [], file);
      assert.deepEqual(problems, []);
      await page.close();
    }
  }
});

test('"Copy link" and "Copy embed code" copy the state on show and say so', async () => {
  await site.browser.defaultBrowserContext().overridePermissions(new URL(site.base).origin, ['clipboard-read', 'clipboard-write']);
  const {page, problems} = await open('walk.html?mode=spans&radius=9&lang=fr');
  await page.keyboard.press('ArrowRight');
  await page.click('[data-copy="link"]');
  await until(() => page.$eval('.copied', (e) => e.textContent === 'Copié'), '"Copié"');
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()), `${site.base}walk.html?mode=spans&radius=9&step=1&lang=fr`);
  await page.click('[data-copy="embed"]');
  await until(async () => (await page.evaluate(() => navigator.clipboard.readText())).startsWith('<iframe'), 'the embed code');
  assert.match(await page.evaluate(() => navigator.clipboard.readText()),
               /^<iframe src="[^"]*walk\.html\?mode=spans&amp;radius=9&amp;step=1&amp;lang=fr&amp;embed=1" title="[^"]+" width="640" height="480"/);
  assert.deepEqual(problems, []);
  await page.close();
});

test('after one visit, the three pages open and work with the network gone', async () => {
  const server = await serve({[subPath]: site.path});
  const base = `http://127.0.0.1:${server.address().port}${subPath}`;
  const browser = await launchChromium();
  const visit = await browser.newPage();
  await visit.goto(`${base}walk.html`);
  await visit.waitForSelector('body[data-ready]');
  await visit.evaluate(() => navigator.serviceWorker.ready);
  // The first visit's page goes before the network: its own late requests (its favicon, fetched
  // when the browser gets to it) are the network's, never the kept copies'.
  await visit.close();
  server.closeAllConnections();
  await new Promise((resolve) => server.close(resolve));
  const page = await browser.newPage();
  const problems = watch(page);
  await page.goto(`${base}walk.html?mode=spans&radius=5&step=2`);
  await page.waitForSelector('body[data-ready]');
  assert.match(await page.$eval('#narration', (e) => e.textContent), /^Step 2: x = 2, y = 5/);
  const lines = [];
  page.on('console', (m) => { if (m.type() === 'log') lines.push(m.text()); });
  await page.goto(`${base}index.html`);
  await until(() => lines.includes(String(model.counts[0][0])), 'the first count line, offline');
  await page.goto(`${base}view-showcase.html`);
  await page.waitForSelector('#keys button');
  assert.deepEqual(problems, []);
  await browser.close();
});

// A build of the site made from this one as the next build would be: every script of it marks
// the page with the build's letter as it runs, and the worker is written anew from its template
// for the files so changed.
function buildOf(letter) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), `site-${letter}-`));
  fs.cpSync(site.path, dir, {recursive: true});
  const kept = [...fs.readFileSync(path.join(dir, 'sw.js'), 'utf8').matchAll(/'([^']+)': '[0-9a-f]{64}'/g)].map((m) => m[1]);
  for (const file of kept.filter((f) => f.endsWith('.js'))) fs.appendFileSync(path.join(dir, file), `\n(self.builds = self.builds || []).push('${letter}');\n`);
  const source = (file) => new URL(`../../web/pages/${file}`, import.meta.url).pathname;
  execFileSync('cmake', [`-DSITE=${dir}`, `-DFILES=${kept.join(';')}`, `-DTEMPLATE=${source('sw.js.in')}`, `-DOUTPUT=${dir}/sw.js`,
                         '-P', source('service_worker.cmake')]);
  return {dir, version: /const version = '([^']+)'/.exec(fs.readFileSync(path.join(dir, 'sw.js'), 'utf8'))[1]};
}

test('an update with a file missing is never served: each page runs one build, online and offline, until a whole one comes', async () => {
  const [a, b] = [buildOf('A'), buildOf('B')];
  const folders = {[subPath]: a.dir};
  const server = await serve(folders);
  const port = server.address().port, base = `http://127.0.0.1:${port}${subPath}`;
  const browser = await launchChromium();
  const page = await browser.newPage();
  const problems = watch(page);
  const lines = [];
  page.on('console', (m) => { if (m.type() === 'log') lines.push(m.text()); });
  // Each page at work, and every script it ran of build `letter`.
  async function runs(letter, what) {
    lines.length = 0;
    await page.goto(`${base}walk.html?mode=spans&radius=5&step=2`);
    await page.waitForSelector('body[data-ready]');
    assert.match(await page.$eval('#narration', (e) => e.textContent), /^Step 2: x = 2, y = 5/, `walk.html ${what}`);
    // The marks, and the scripts the page loaded, however it asked for them.
    const scripts = () => page.evaluate(() => ({builds: self.builds, scripts: new Set(performance.getEntriesByType('resource')
      .map((e) => new URL(e.name)).filter((u) => u.protocol !== 'data:' && u.pathname.endsWith('.js')).map((u) => u.pathname)).size}));
    let seen = await scripts();
    assert.deepEqual(seen.builds, Array(seen.scripts).fill(letter), `walk.html ${what}: every script of build ${letter}`);
    await page.goto(`${base}index.html`);
    await until(() => lines.includes(String(model.counts[0][0])), `the first count line ${what}`);
    seen = await scripts();
    assert.deepEqual(seen.builds, Array(seen.scripts).fill(letter), `index.html ${what}: every script of build ${letter}`);
  }
  // The state that the next install the worker's registration starts comes to: redundant when it fails.
  const update = () => page.evaluate(() => navigator.serviceWorker.getRegistration().then((r) => new Promise((done) => {
    let found = false;
    r.addEventListener('updatefound', () => {
      found = true;
      const worker = r.installing;
      worker.addEventListener('statechange', () => { if (['redundant', 'activated'].includes(worker.state)) done(worker.state); });
    }, {once: true});
    r.update().catch(() => { if (!found) done('no update'); });
  })));
  const stop = () => { server.closeAllConnections(); return new Promise((resolve) => server.close(resolve)); };

  await page.goto(`${base}walk.html`);
  await page.waitForSelector('body[data-ready]');
  await until(() => page.evaluate(() => Boolean(navigator.serviceWorker.controller)), 'build A\'s worker in control');
  // Build B goes up with midpoint-walk.js missing: its worker fails to install and leaves no copy.
  fs.renameSync(path.join(b.dir, 'midpoint-walk.js'), path.join(b.dir, 'midpoint-walk.js.aside'));
  folders[subPath] = b.dir;
  assert.equal(await update(), 'redundant', 'build B with a file missing is not installed');
  assert.deepEqual(await page.evaluate(() => caches.keys()), [`midpoint ${base} ${a.version}`], 'build A\'s copy alone');
  await runs('A', 'online, build B broken on the server');
  await stop();
  await runs('A', 'offline');
  // B whole: its worker takes over, and the next visit runs B.
  fs.renameSync(path.join(b.dir, 'midpoint-walk.js.aside'), path.join(b.dir, 'midpoint-walk.js'));
  await new Promise((resolve) => server.listen(port, '127.0.0.1', resolve));
  await until(async () => (await update()) === 'activated', 'build B\'s worker installed');
  // The page open as B took over asks for a file late: it gets its own build's.
  assert.match(await page.evaluate(() => fetch('midpoint-walk.js').then((r) => r.text()).then((t) => t.trimEnd().slice(-40))),
               /push\('A'\);$/, 'a late file of build A');
  await runs('B', 'after the update');
  const copies = () => page.evaluate(() => caches.keys()).then((names) => names.join());
  await until(async () => (await copies()) === `midpoint ${base} ${b.version}`, 'build B\'s copy alone, once A\'s pages have closed');
  await stop();
  assert.deepEqual(problems, []);
  await browser.close();
  for (const build of [a, b]) fs.rmSync(build.dir, {recursive: true});
});

// The build's package run by the platform (scorm.mjs, with its `options`), in a page of its own,
// once walk.html's own start is done: the page, its problems, walk.html's frame and `close`.
async function course(options) {
  const lms = await platform(unzipped(path.join(site.path, '..', 'midpoint-practice-scorm12.zip')), options);
  const page = await site.browser.newPage();
  const problems = watch(page);
  await page.goto(lms.url);
  const frame = () => page.frames().find((f) => f.url().includes('walk.html'));
  await until(async () => frame() && await frame().$('body[data-ready][data-chart]').catch(() => null), 'walk.html started');
  return {page, problems, frame: frame(), close: async () => { await page.close(); lms.close(); }};
}
// What the platform holds, read as it would store it.
const held = (page) => page.evaluate(() => ({...JSON.parse(JSON.stringify(API.cmi)), said, error: API.LMSGetLastError()}));
const summaryOf = (frame) => frame.$$eval('#practice-summary tbody tr', (rows) => rows.map((r) => [...r.cells].map((c) => c.textContent)));

test('run by a platform: the set\'s score after each answer, each answer an interaction, passed or failed at the end', async () => {
  for (const [right, status] of [[() => true, 'passed'], [(i) => i % 2 === 0, 'failed']]) {
    const c = await course();
    const asked = await answerSet(c.page, c.frame, right);
    const lms = await held(c.page);
    let n = 0;
    assert.deepEqual(lms.said.raw, asked.map((_, i) => String(10 * (n += right(i) ? 1 : 0))), 'right answers of the ten, after each');
    assert.deepEqual({...lms.core.score, status: lms.core.lesson_status, exit: lms.core.exit, finished: lms.said.finished, error: lms.error},
                     {raw: String(10 * n), min: '0', max: '100', status, exit: '', finished: true, error: '0'});
    assert.match(lms.said.time, /^\d{4}:\d{2}:\d{2}$/);
    const sent = (q, value) => (q.kind === 'move' ? {E: 'e', SE: 's'}[value] : String(value));
    assert.deepEqual(Object.values(lms.interactions).map((x) => [x.type, x.correct_responses[0].pattern, x.result]),
                     asked.map((q, i) => [q.kind === 'move' ? 'choice' : 'numeric', sent(q, answerOf(q)), right(i) ? 'correct' : 'wrong']));
    assert.equal(new Set(Object.values(lms.interactions).map((x) => x.id)).size, 10, 'each question named');
    assert.deepEqual(c.problems, []);
    await c.close();
  }
});

test('run by a platform: a set left at question 3 resumes there, and a finished attempt reopened stands, with nothing sent', async () => {
  let c = await course();
  await answerSet(c.page, c.frame, true, {count: 2});
  await c.frame.goto('about:blank');  // the page goes
  await until(() => c.page.evaluate(() => said.finished), 'the session finished as the page went');
  const left = await held(c.page);
  assert.deepEqual([left.core.score.raw, left.core.lesson_status, left.core.exit], ['20', 'incomplete', 'suspend']);
  assert.ok(left.suspend_data.length > 0, 'the answers kept');
  await c.close();
  // What a platform keeps of the attempt, given back at the next launch.
  const relaunch = ({core, suspend_data}, entry) => ({setup: `API.loadFromJSON(${JSON.stringify({suspend_data,
    core: {entry, lesson_status: core.lesson_status, lesson_location: core.lesson_location, score: core.score}})});`});
  c = await course(relaunch(left, 'resume'));
  assert.equal(await c.frame.$eval('#practice-question', (e) => e.dataset.index), '3');
  await answerSet(c.page, c.frame, true);
  const done = await held(c.page);
  assert.deepEqual([done.core.score.raw, done.core.lesson_status, done.said.raw.length], ['100', 'passed', 8]);
  await c.close();
  c = await course(relaunch(done, ''));
  assert.equal((await summaryOf(c.frame)).length, 10, 'the attempt\'s summary');
  await c.frame.goto('about:blank');
  await until(() => c.page.evaluate(() => said.finished), 'the session finished');
  assert.deepEqual((await held(c.page)).said.raw, [], 'no score sent');
  assert.deepEqual(c.problems, []);
  await c.close();
});

test('run by a platform that fails: a "false" or a throw is said in an alert, nothing says the result was saved, and the set ends', async () => {
  const throwing = ['LMSInitialize', 'LMSGetValue', 'LMSSetValue', 'LMSCommit', 'LMSFinish', 'LMSGetLastError', 'LMSGetErrorString']
    .map((name) => `API.${name} = () => { throw new Error('down'); };`).join(' ');
  for (const setup of ['API.LMSSetValue = () => \'false\'; API.LMSGetLastError = () => \'101\';', throwing]) {
    const c = await course({setup});
    await answerSet(c.page, c.frame, true);
    const seen = await c.frame.evaluate(() => {
      const note = document.getElementById('lms-note');
      return {role: note.getAttribute('role'), shown: note.checkVisibility(), note: note.textContent, text: document.body.innerText};
    });
    assert.deepEqual([seen.role, seen.shown], ['alert', true], setup);
    if (setup.includes('101')) assert.ok(seen.note.includes(await c.page.evaluate(() => API.LMSGetErrorString('101'))), seen.note);
    assert.doesNotMatch(seen.text, /\b(saved|recorded|sent to)\b/i);
    assert.equal((await summaryOf(c.frame)).length, 10, 'the summary');
    assert.deepEqual(c.problems, []);
    await c.close();
  }
});

test('the teacher\'s choices in the launch address: five outline questions, right or wrong alone, the answers in the summary, and no way out', async () => {
  const c = await course({launch: 'walk.html?practice=2026&questions=5&modes=outline&feedback=end'});
  assert.deepEqual(await c.frame.$$eval('#practice-leave, #practice-another', (controls) => controls.map((e) => e.checkVisibility())), [false, false]);
  const asked = await answerSet(c.page, c.frame, false);
  assert.deepEqual(asked.map((q) => [q.mode, q.count]), Array(5).fill(['outline', '5']));
  assert.deepEqual(await c.frame.evaluate(() => [document.getElementById('hint-text').textContent, document.getElementById('hint-grid').hidden]),
                   ['', true], 'no hint after the last answer, wrong');
  const plain = (text) => text.replace('\u2212', '-').replace(/,/g, '');
  assert.deepEqual((await summaryOf(c.frame)).map((row) => plain(row[3])), asked.map((q) => String(answerOf(q))), 'the right answers');
  assert.equal((await held(c.page)).core.lesson_status, 'failed');
  assert.deepEqual(c.problems, []);
  await c.close();
});
