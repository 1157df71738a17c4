// The pages in French and in English: both tables of texts have the same keys; a French page
// shows no English and follows French typography (a decimal comma, the true minus sign, a
// no-break space before : ; ? !); the browser's preferred languages choose the language when the
// address does not; and the link to the other language keeps the page's state.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {layOutAll, watch} from './browser.mjs';
import {useSite} from './site.mjs';

const site = useSite();

// The program's own texts, which stay as they are in both languages.
const programTexts = ["Cercles par l'algorithme du midpoint", 'Quitter'];

async function open(file, languages = null) {
  const page = await site.browser.newPage();
  await page.setViewport({width: 1280, height: 800});
  if (languages) await page.evaluateOnNewDocument((l) => Object.defineProperty(navigator, 'languages', {get: () => l}), languages);
  const problems = watch(page);
  await page.goto(`${site.base}${file}`);
  await page.waitForSelector(file.startsWith('walk') ? 'body[data-chart]' : '#inputs tr');
  return {page, problems};
}

// Every text a reader meets: what is shown, and the labels, titles and captions read aloud.
const textsOf = (page) => page.evaluate((own) => {
  const texts = [];
  const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  for (let n = walker.nextNode(); n; n = walker.nextNode()) {
    const e = n.parentElement;
    // Texts marked as another language's (the link to the English page) are that language's.
    if (e.closest('#output, script, style, [hidden]') || !e.getClientRects().length || e.closest('[lang]').lang !== document.documentElement.lang) continue;
    texts.push(n.textContent);
  }
  for (const e of document.querySelectorAll('[aria-label], [title], option')) texts.push(e.getAttribute('aria-label') || '', e.title || '', e.matches('option') ? e.textContent : '');
  texts.push(document.title);
  return texts.map((text) => own.reduce((rest, o) => rest.split(o).join(' '), text)).filter((t) => t.trim());
}, programTexts);

test('both tables of texts have the same keys', async () => {
  const {page, problems} = await open('walk.html');
  const keys = await page.evaluate(() => [Object.keys(pageStrings.en).sort(), Object.keys(pageStrings.fr).sort()]);
  assert.deepEqual(keys[1], keys[0]);
  assert.deepEqual(problems, []);
  await page.close();
});

test('a French page shows no English and writes its numbers and punctuation the French way', async () => {
  // Words of the English texts that the French ones never use: none may show on a French page.
  const {page, problems} = await open('walk.html?lang=fr&mode=outline&radius=9&predict=1&variant=less-or-equal');
  const english = await page.evaluate(() => {
    const words = (table) => new Set(Object.values(table).join(' ').replace(/<[^>]*>/g, ' ').toLowerCase().match(/[a-z]{3,}/g));
    const fr = words(pageStrings.fr);
    return [...words(pageStrings.en)].filter((w) => !fr.has(w));
  });
  // A right answer (d = -8 at the start), then a wrong one (d = -5): a verdict, and the next question.
  await page.click('#answer-e');
  await page.click('#answer-se');
  if (process.env.PICTURES) {
    await layOutAll(page);
    const bottom = await page.$eval('section.cost', (e) => e.getBoundingClientRect().bottom + scrollY);
    await page.screenshot({path: `${process.env.PICTURES}/walk-page.png`, clip: {x: 0, y: 0, width: 1280, height: bottom + 8},
                           captureBeyondViewport: true});
  }
  for (const [file, texts] of [['walk.html', await textsOf(page)], ['index.html', await textsOf((await open('index.html?lang=fr')).page)]]) {
    const found = texts.flatMap((text) => (text.toLowerCase().match(/[a-z]{3,}/g) || []).filter((w) => english.includes(w)).map((w) => `${w} in "${text}"`));
    assert.deepEqual(found, [], `${file}: English left on the French page`);
    const spacing = texts.filter((text) => /[^\u00a0\u202f][:;?!]/.test(text));
    assert.deepEqual(spacing, [], `${file}: a no-break space before : ; ? !`);
  }
  assert.equal(await page.evaluate(() => document.documentElement.lang), 'fr');
  // F(M) = d + 1/4 at the start of radius 9: d = 1 - 9 = -8.
  assert.equal(await page.$eval('#steps tbody tr td:nth-child(5)', (td) => td.textContent), '−7,75');
  assert.deepEqual(problems, []);
  await page.close();
});

test('the browser\'s languages choose, and the link to the other language keeps the state', async () => {
  let {page} = await open('walk.html?mode=spans&radius=9&step=3&predict=1&variant=root', ['de-CH', 'fr-CA', 'en']);
  assert.equal(await page.evaluate(() => document.documentElement.lang), 'fr', 'the first language the pages speak');
  await page.close();
  ({page} = await open('walk.html?mode=spans&radius=9&step=3&predict=1&variant=root', ['en-GB', 'fr']));
  const link = await page.$eval('#language', (a) => ({text: a.textContent, hreflang: a.hreflang}));
  assert.deepEqual(link, {text: 'Français', hreflang: 'fr'});
  await Promise.all([page.waitForNavigation(), page.click('#language')]);
  await page.waitForSelector('body[data-ready]');
  const state = await page.evaluate(() => ({
    lang: document.documentElement.lang, query: Object.fromEntries(new URLSearchParams(location.search)),
    link: document.getElementById('language').textContent, hreflang: document.getElementById('language').hreflang,
  }));
  assert.deepEqual(state, {lang: 'fr', query: {mode: 'spans', radius: '9', step: '3', predict: '1', variant: 'root', lang: 'fr'},
                           link: 'English', hreflang: 'en'});
  await page.close();
});
