// A test file's server and browser: the site served below its sub-path (and any other folders
// given, every file with `headers`), and the engine's browser, started before the file's tests and
// closed after them.
import {after, before} from 'node:test';
import {launchBrowser, serve, subPath} from './browser.mjs';

export function useSite(folders = {}, headers = {}) {
  const site = {path: process.env.SITE};
  before(async () => {
    site.server = await serve({[subPath]: site.path, ...folders}, headers);
    site.base = `http://127.0.0.1:${site.server.address().port}${subPath}`;
    site.browser = await launchBrowser();
  });
  after(async () => {
    await site.browser?.close();
    site.server?.close();
  });
  return site;
}
