// The pages against two checkers of their own: the Nu Html Checker (vnu.jar, run by Debian's Java)
// on the three sources and on each page's DOM once loaded, and HTML_CodeSniffer's WCAG 2 AA
// sniffs (what pa11y runs) in the page, on a wide screen and on a phone, in every state the pages
// open in: the explainer plain, predicting, practising, as a worksheet, embedded and in French, the
// demonstration plain and embedded, view-showcase, and the teacher's page and guide in both languages.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import vnuJar from 'vnu-jar';
import {until, watch} from './browser.mjs';
import {useSite} from './site.mjs';

const site = useSite();
const pages = ['walk.html', 'walk.html?predict=1', 'walk.html?practice=7', 'walk.html?worksheet=1', 'walk.html?embed=1',
               'walk.html?lang=fr', 'index.html', 'index.html?embed=1', 'view-showcase.html', 'teacher.html', 'teacher.html?lang=fr',
               'guide.html', 'guide.html?lang=fr'];
const sources = ['index.html', 'view-showcase.html', 'walk.html', 'teacher.html', 'guide.html'];  // as the site has them

// A page in `state`, once everything it shows at load is in: the explainer's chart (built last)
// and the question of a practice set, the teacher's set on view, the guide, or a program's keys and
// its first count line.
async function open(state, viewport) {
  const page = await site.browser.newPage();
  await page.setBypassCSP(true);  // the sniffs go into the page as a script of their own
  await page.setViewport(viewport);
  const problems = watch(page);
  await page.goto(`${site.base}${state}`);
  if (state.startsWith('walk')) {
    await page.waitForSelector('body[data-chart][data-settled]');
    if (state.includes('practice')) await page.waitForSelector('#practice-question[data-kind]');
  } else if (/^(teacher|guide)/.test(state)) {
    await page.waitForSelector('body[data-ready]');
  } else {
    await page.waitForSelector('#keys button');
    if (state.startsWith('index')) await until(() => page.$eval('#output', (e) => e.textContent !== ''), 'the first count line');
  }
  return {page, problems};
}

// The one message left: the checker knows `blocking` on a stylesheet's link alone, where the HTML
// standard has it on a link rel="expect" too (its section on blocking attributes).
const expectBlocking = (m) => m.message === 'A “link” element with a “blocking” attribute must have a “rel” attribute whose value is “stylesheet”.'
  && /^<link rel="expect"[^>]*>$/.test(m.extract.substr(m.hiliteStart, m.hiliteLength));

test('the Nu Html Checker finds no error in the sources, and no error or warning in the pages as loaded', async () => {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'nu-'));
  const rendered = [];
  for (const state of pages) {
    const {page, problems} = await open(state, {width: 1280, height: 900});
    const file = path.join(folder, `${rendered.length}.html`);
    // Without its policy, which the checker would hold the copy to as a file of its own (no 'self'
    // to match), with the styles set through the object model written out as attributes; the
    // browser holds the pages to it (load_test.mjs), and the sources keep it for the checker.
    const html = (await page.content()).replace(/<meta http-equiv="Content-Security-Policy"[^>]*>/, '');
    fs.writeFileSync(file, /^<!doctype html>/i.test(html) ? html : `<!DOCTYPE html>${html}`);
    rendered.push({state, file});
    // The source's title and language are the English page's; the script sets the French ones,
    // the explainer's and the teacher's page's title being its heading's text in either.
    const source = fs.readFileSync(path.join(site.path, state.split('?')[0]), 'utf8');
    const [lang, title, heading] = await page.evaluate(() => [document.documentElement.lang, document.title, document.querySelector('h1').textContent]);
    if (state.includes('lang=fr')) assert.equal(lang, 'fr', state);
    else assert.deepEqual([lang, title], [/<html lang="?([\w-]+)/.exec(source)[1], /<title>([^<]+)<\/title>/.exec(source)[1]], state);
    if (/^(walk|teacher)/.test(state)) assert.equal(title, heading, state);
    assert.deepEqual(problems, [], state);
    await page.close();
  }
  // One run for every file: the checker's start is most of its time.
  const files = [...sources.map((file) => path.join(site.path, file)), ...rendered.map((r) => r.file)];
  const output = execFileSync('java', ['-jar', String(vnuJar), '--format', 'json', '--stdout', '--exit-zero-always', ...files],
                              {encoding: 'utf8'});
  const messages = JSON.parse(output).messages.filter((m) => !expectBlocking(m));
  const named = (url) => rendered.find((r) => url.endsWith(r.file))?.state || path.basename(url);
  const found = messages.filter((m) => m.type === 'error' || m.type === 'non-document-error' || (m.subType === 'warning' && rendered.some((r) => m.url.endsWith(r.file))))
    .map((m) => `${named(m.url)}:${m.lastLine}: ${m.subType || m.type}: ${m.message} ${m.extract || ''}`.trim());
  assert.deepEqual(found, []);
});

test('HTML_CodeSniffer finds no WCAG 2 AA error, at 1280 x 900 and 390 x 844', async () => {
  const sniffs = new URL('node_modules/html_codesniffer/build/HTMLCS.js', import.meta.url).pathname;
  const found = [];
  for (const viewport of [{width: 1280, height: 900}, {width: 390, height: 844}]) {
    for (const state of pages) {
      const {page, problems} = await open(state, viewport);
      await page.addScriptTag({path: sniffs});
      const errors = await page.evaluate(() => new Promise((resolve) => HTMLCS.process('WCAG2AA', document, () => resolve(
        HTMLCS.getMessages().filter((m) => m.type === HTMLCS.ERROR)
          .map((m) => `${m.code}: ${m.msg} ${m.element.outerHTML?.slice(0, 160) ?? m.element.nodeName}`)))));
      found.push(...errors.map((e) => `${state} at ${viewport.width}: ${e}`));
      assert.deepEqual(problems, [], state);
      await page.close();
    }
  }
  assert.deepEqual(found, []);
});
