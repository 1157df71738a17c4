// The SCORM 1.2 packages: the build's, and one that teacher.html makes in the browser for a
// teacher's choices, each with the ADL schema files at its root and a manifest that validates
// against them (xmllint), the teacher's link and package carrying those choices, and the package
// run by a platform that scorm-again plays.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {pathToFileURL} from 'node:url';
import {launchChromium, serve, subPath, until, watch} from './browser.mjs';
import {answerSet} from './practice.mjs';
import {useSite} from './site.mjs';
import {platform, unzipped, validated} from './scorm.mjs';

const site = useSite();
const schemas = ['adlcp_rootv1p2.xsd', 'ims_xml.xsd', 'imscp_rootv1p1p2.xsd', 'imsmd_rootv1p2p1.xsd'];

test('the build\'s package: seed 2026 and the defaults, the schema files at its root, its manifest valid against them', () => {
  const pkg = unzipped(path.join(site.path, '..', 'midpoint-practice-scorm12.zip'));
  assert.deepEqual(schemas.filter((file) => !pkg.files.includes(file)), []);
  assert.deepEqual([pkg.launch, pkg.mastery], ['walk.html?practice=2026', '80']);
  const {status, said} = validated(pkg);
  assert.equal(status, 0, said);
  assert.match(said, /imsmanifest\.xml validates$/m);
});

// The page's form filled as a teacher would: by keys, and clicks on the labels.
async function choose(page, {seed, questions, modes, feedback, mastery}) {
  for (const [id, value] of [['seed', seed], ['questions', questions], ['mastery', mastery]]) {
    await page.click(`#${id}`, {count: 3});
    await page.keyboard.type(String(value));
  }
  for (const box of await page.$$('#modes input')) {
    if (await box.evaluate((e) => e.checked) !== modes.includes(await box.evaluate((e) => e.value))) await box.evaluate((e) => e.parentElement.click());
  }
  await page.click(`input[name=feedback][value=${feedback}]`);
}

// The package that teacher.html on `page` makes, saved where the test reads it: {folder, name}.
async function saved(browser, page) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'download-'));
  const session = await browser.target().createCDPSession();
  await session.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: folder, eventsEnabled: true});
  let name = null, done = false;
  session.on('Browser.downloadWillBegin', (e) => { name = e.suggestedFilename; });
  session.on('Browser.downloadProgress', (e) => { done ||= e.state === 'completed'; });
  await page.click('#make-package');
  await until(() => done, 'the package saved');
  await session.detach();
  return {folder, name};
}

test('teacher.html: the link for the choices, and a package of them made in the browser that validates and runs them', async () => {
  const build = unzipped(path.join(site.path, '..', 'midpoint-practice-scorm12.zip'));
  await site.browser.defaultBrowserContext().overridePermissions(new URL(site.base).origin, ['clipboard-read', 'clipboard-write']);
  const page = await site.browser.newPage();
  const problems = watch(page);
  await page.goto(`${site.base}teacher.html`);
  await page.waitForSelector('body[data-ready]');
  await choose(page, {seed: 54321, questions: 5, modes: ['outline'], feedback: 'end', mastery: 60});
  const query = 'practice=54321&questions=5&modes=outline&feedback=end&mastery=60';
  assert.equal(await page.$eval('#set-link', (a) => a.href), `${site.base}walk.html?${query}`);
  await page.click('#copy-link');
  await until(() => page.$eval('#copied', (e) => e.textContent === 'Copied'), '"Copied"');
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()), `${site.base}walk.html?${query}`);
  const sample = await page.$$eval('#sample tbody tr', (rows) => rows.map((r) => [...r.cells].slice(2).map((c) => c.textContent)));

  const {folder, name} = await saved(site.browser, page);
  assert.equal(name, 'midpoint-practice-54321-scorm12.zip');
  assert.match(await page.$eval('#package-status', (e) => e.textContent), /midpoint-practice-54321-scorm12\.zip/);
  assert.deepEqual(problems, []);
  await page.close();

  const pkg = unzipped(path.join(folder, name));
  assert.deepEqual(pkg.files, build.files, 'the build\'s files');
  assert.deepEqual([pkg.launch, pkg.mastery], [`walk.html?${query}`, '60']);
  const {status, said} = validated(pkg);
  assert.equal(status, 0, said);
  // Run by a platform: the five outline questions on view, all right, passed.
  const lms = await platform(pkg);
  const course = await site.browser.newPage();
  const seen = watch(course);
  await course.goto(lms.url);
  const frame = () => course.frames().find((f) => f.url().includes('walk.html'));
  await until(async () => frame() && await frame().$('#practice-question[data-kind]').catch(() => null), 'the first question');
  const asked = await answerSet(course, frame(), true);
  assert.deepEqual(asked.map((q) => [q.mode, q.radius, q.step ?? '']), sample.map(([mode, radius, step]) => [mode, radius, step]));
  assert.deepEqual(await course.evaluate(() => [said.raw.at(-1), API.cmi.core.lesson_status]), ['100', 'passed']);
  assert.deepEqual(seen, []);
  await course.close();
  lms.close();
});

test('teacher.html opened from its folder gives the link, and says why it makes no package there', async () => {
  const page = await site.browser.newPage();
  await page.goto(`${pathToFileURL(site.path)}/teacher.html`);
  await page.waitForSelector('body[data-ready]');
  assert.match(await page.$eval('#set-link', (a) => a.getAttribute('href')), /^walk\.html\?practice=\d+$/);
  await page.click('#make-package');
  await until(() => page.$eval('#package-status', (e) => e.textContent.startsWith('Opened from its folder')), 'the page saying why');
  await page.close();
});

test('after one visit, teacher.html makes its package with the network gone', async () => {
  const server = await serve({[subPath]: site.path});
  const base = `http://127.0.0.1:${server.address().port}${subPath}`;
  const browser = await launchChromium();
  const page = await browser.newPage();
  await page.goto(`${base}teacher.html`);
  await page.waitForSelector('body[data-ready]');
  await page.evaluate(() => navigator.serviceWorker.ready);
  server.closeAllConnections();
  await new Promise((resolve) => server.close(resolve));
  const problems = watch(page);
  await page.reload();
  await page.waitForSelector('body[data-ready]');
  const {folder, name} = await saved(browser, page);
  assert.deepEqual(unzipped(path.join(folder, name)).files, unzipped(path.join(site.path, '..', 'midpoint-practice-scorm12.zip')).files);
  assert.deepEqual(problems, []);
  await browser.close();
});
