// The theme: the system's light or dark, unless the learner or the address (theme=light, dark or
// projector) chose one. It is set on the root before the page is drawn, the palette being in
// theme.css; the canvases read their colours from there too (colour()), and hear a change as a
// "themechange" event on the document. The control, a select, goes into the page's tools.
import {pageAddress} from './address.js';
import {i18n} from './i18n.js';

export const pageTheme = (function () {
  const themes = ['light', 'dark', 'projector'];
  const root = document.documentElement, system = matchMedia('(prefers-color-scheme: dark)');
  const state = {
    choice: themes.includes(pageAddress.get('theme')) ? pageAddress.get('theme') : 'auto',  // 'auto': the system's
  };
  const theme = () => (state.choice !== 'auto' ? state.choice : system.matches ? 'dark' : 'light');

  function apply() {
    root.dataset.theme = theme();
    document.dispatchEvent(new Event('themechange'));
  }
  apply();
  system.addEventListener('change', () => { if (state.choice === 'auto') apply(); });

  // A property of the palette, as CSS has it now: colour('once') is --once.
  const colour = (name) => getComputedStyle(root).getPropertyValue(`--${name}`).trim();

  // The select that chooses, at the end of `tools`.
  function control(tools) {
    const label = document.createElement('label'), select = document.createElement('select');
    label.append(i18n.t('theme.label'), ' ', select);
    select.id = 'theme';
    for (const name of ['auto', ...themes]) select.add(new Option(i18n.t(`theme.${name}`), name));
    select.value = state.choice;
    select.addEventListener('change', () => {
      state.choice = select.value;
      pageAddress.set('theme', state.choice === 'auto' ? null : state.choice);
      apply();
    });
    tools.append(label);
  }

  return {colour, control, get name() { return theme(); }};
})();
