// Sharing a page: "Copy link" copies the address of the state on show, "Copy embed code" an
// <iframe> of it with embed=1, which shows the essentials alone (see the pages' CSS). Each says
// "Copied", on the page and to a screen reader. A page in a frame with embed=1 tells its parent
// its height whenever it changes ({type: "midpoint-height", height}), so that a course page can
// size the frame.
import {pageAddress, i18n} from './from-head.js';

export const pageShare = (function () {
  const t = i18n.t;
  const size = {width: 640, height: 480};  // the frame the embed code asks for, which the page fits

  // Puts `text` on the clipboard, the older way where the browser has no clipboard API here (a
  // page served over plain http); whether it could. The focus goes back to `button`.
  async function copy(text, button) {
    try {
      await navigator.clipboard.writeText(text);
      return true;
    } catch (_) {
      const area = Object.assign(document.createElement('textarea'), {value: text});
      document.body.append(area);
      area.select();
      let done = false;
      try {
        done = document.execCommand('copy');
      } catch (_) {
        done = false;
      }
      area.remove();
      button.focus({preventScroll: true});
      return done;
    }
  }

  const attribute = (text) => text.replace(/&/g, '&amp;').replace(/"/g, '&quot;').replace(/</g, '&lt;');
  const embedCode = () => `<iframe src="${attribute(pageAddress.full({embed: '1'}))}" title="${attribute(document.title)}" ` +
                          `width="${size.width}" height="${size.height}" style="border: 0"></iframe>`;

  // The two buttons and what they say, at the end of `tools`.
  function control(tools) {
    const said = document.createElement('span');
    said.className = 'copied';
    said.setAttribute('aria-live', 'polite');
    for (const [kind, text] of [['link', () => pageAddress.full()], ['embed', embedCode]]) {
      const button = document.createElement('button');
      button.type = 'button';
      button.dataset.copy = kind;
      button.textContent = t(`share.${kind}`);
      button.addEventListener('click', async () => {
        const done = await copy(text(), button);
        said.textContent = '';
        requestAnimationFrame(() => { said.textContent = t(done ? 'share.copied' : 'share.failed'); });  // said again on a second copy
      });
      tools.append(button);
    }
    tools.append(said);
  }

  // In a frame, the page's height to the parent, once the page is whole (`ready`, which the page
  // calls) and at every change after.
  function ready() {
    if (!pageAddress.embedded || window.parent === window) return;
    let last = 0;
    new ResizeObserver(() => {
      const height = Math.ceil(document.documentElement.getBoundingClientRect().height);
      if (height === last) return;
      last = height;
      window.parent.postMessage({type: 'midpoint-height', height}, '*');
    }).observe(document.body);
  }

  return {control, copy, ready, size};
})();
