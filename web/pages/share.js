// Sharing a page: "Copy link" copies the address of the state on show, "Copy embed code" an
// <iframe> of it with embed=1, which shows the essentials alone (see the pages' CSS), in the size
// chosen beside it: 640 x 480, a 16:9 slide's 960 x 540, or the whole slide. Each says "Copied", on
// the page and to a screen reader. A page in a frame with embed=1 tells its parent its height
// whenever it changes ({type: "midpoint-height", height}); the embed code's script has the frame
// follow it.
import {pageAddress, i18n} from './from-head.js';

export const pageShare = (function () {
  const t = i18n.t;
  // The frames the embed code offers, which the page fits, the first by default.
  const sizes = [{name: '640x480', size: 'width="640" height="480" style="border: 0"'},
                 {name: '960x540', size: 'width="960" height="540" style="border: 0"'},
                 {name: 'full', size: 'style="border: 0; width: 100%; height: 100%"'}];
  const chosen = {size: sizes[0]};

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
  // The frame, and a script of one line for the page around it: the frame as tall as its page.
  const follow = '<script>addEventListener("message", (e) => { for (const f of document.querySelectorAll("iframe")) ' +
                 'if (f.contentWindow === e.source && e.data && e.data.type === "midpoint-height") f.style.height = e.data.height + "px"; });</script>';
  const embedCode = () => `<iframe src="${attribute(pageAddress.full({embed: '1'}))}" title="${attribute(document.title)}" ` +
                          `${chosen.size.size}></iframe>\n${follow}`;

  // The two buttons, the frame's size and what the buttons say, at the end of `tools`.
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
    const label = document.createElement('label');
    const select = Object.assign(document.createElement('select'), {id: 'embed-size'});
    for (const {name} of sizes) select.append(new Option(t(`share.size.${name}`), name));
    select.addEventListener('change', () => { chosen.size = sizes.find((s) => s.name === select.value); });
    label.append(t('share.size'), ' ', select);
    tools.append(label, said);
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

  // In a frame, a key the page has no use for goes to the page around it ({type: "midpoint-key",
  // key}): a slide deck there can still be driven, by a presenter's clicker too. Not the keys that
  // move the focus or press what has it, nor a modifier alone.
  const browserKeys = ['Tab', 'Shift', 'Control', 'Alt', 'AltGraph', 'Meta', 'CapsLock'];
  function passKey(event) {
    if (window.parent === window || event.defaultPrevented || browserKeys.includes(event.key)) return;
    if ((event.key === 'Enter' || event.key === ' ') && event.target.closest?.('button, a, summary')) return;
    window.parent.postMessage({type: 'midpoint-key', key: event.key}, '*');
  }

  return {control, copy, ready, passKey};
})();
