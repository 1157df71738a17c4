// Sets one of the programs' pages (`page`: "demo" or "showcase") up for its program, whose script
// the page loads next. The program is loaded without running, so that the page can read what it
// says of itself first: its window title, its menu entry and its table of inputs, from which the
// page makes its table of keys, an on-screen button for every key, a latching button for every
// modifier of the arrow and page keys, and a button for each drag that a finger on the picture can
// stand for. The program then runs; if the browser gives it no WebGL, it stops at once and the page
// says what to do. Its WebAssembly is compiled as its script runs, so that all this is in before
// the page is first drawn (the page's head waits for it): nothing moves once shown.
//
// Its standard output goes to the console line by line as printed, and to the page's list (the
// newest lines, last), which is brought up to date once a frame; its end is said under the canvas,
// with a button that starts it again.
//
// The demonstration's address holds the circle on show (index.html?mode=spans&radius=5), so that
// Copy link and the embed code keep it; opened so, the program starts as always and is brought
// there by its own keys, as if typed once it has drawn its first picture: Enter to the mode, + to
// the radius.
import {pageAddress, i18n, pageTheme} from './from-head.js';
import {pageKeys} from './keys.js';
import {pageShare} from './share.js';

export function startProgram(page) {
  const $ = (id) => document.getElementById(id);
  const t = i18n.t;
  const canvas = $('canvas'), output = $('output'), status = $('status'), walkLink = $('walk-link');
  const kept = 200;  // lines the list keeps
  const radiusLimit = 100;  // the largest radius an address brings about, a + typed for each
  const state = {
    shown: [],  // the lines printed, cut to the newest `kept` as the list is brought up to date
    pending: false,  // whether the list is to be brought up to date in the coming frame
    typed: null,  // what types the circle the address asks for, after the first count line, once
  };
  i18n.apply();
  document.title = t(`${page}.title`);
  i18n.linkOtherLanguage($('language'));
  status.textContent = t('program.loading');
  // The page's tools; the keys' dialog lists the table of inputs that the program gives (below).
  const tools = $('page-tools');
  pageTheme.control(tools);
  pageShare.control(tools);
  pageKeys.control(tools, () => [...$('inputs').tBodies[0].rows].map((row) => [[...row.cells[0].childNodes].map((n) => n.cloneNode(true)),
                                                                    row.cells[1].textContent]));
  // The demonstration's page leads to view-showcase's, the support modules' host.
  const showcaseLink = page === 'demo' ? Object.assign(document.createElement('a'), {id: 'showcase-link', textContent: t('showcase.title')}) : null;
  if (showcaseLink) tools.append(showcaseLink);
  const linkShowcase = () => { if (showcaseLink) showcaseLink.href = pageAddress.link('view-showcase.html'); };
  linkShowcase();
  // After the end, the program afresh: the page again, at its address without the circle.
  $('restart').addEventListener('click', () => location.replace(pageAddress.self(new URLSearchParams())));

  function showOutput() {
    state.pending = false;
    if (output) {
      state.shown = state.shown.slice(-kept);
      output.textContent = state.shown.join('\n');
      output.scrollTop = output.scrollHeight;
    }
    // The explainer at the circle on the screen, as the program has it, in this page's language;
    // and this page's address.
    if (walkLink) {
      const circle = new URLSearchParams({mode: UTF8ToString(Module._webCircleModeName()), radius: Module._webCircleRadius()});
      walkLink.href = pageAddress.link('walk.html', circle);
      if (!document.body.dataset.exitStatus) pageAddress.write(circle), i18n.linkOtherLanguage($('language'));
    }
  }

  // The circle the address asks for, through the program's keys; a value it cannot be is left.
  function typeCircle(modes) {
    const asked = pageAddress.opened(), mode = asked.get('mode'), radius = asked.get('radius');
    if (!walkLink) return;
    for (let i = 1; modes.includes(mode) && i < modes.length && UTF8ToString(Module._webCircleModeName()) !== mode; ++i) {
      Module.glutWeb.pressKey('Enter');
    }
    if (!/^[0-9]+$/.test(radius || '')) return;
    const to = Math.min(Number(radius), radiusLimit);
    while (Module._webCircleRadius() < to) Module.glutWeb.pressKey('+');
  }

  // In a frame, a key the program does not take goes to the page around it (share.js): its own
  // keys by name, or with modifiers of its table's (Ctrl+Left, say, by Left).
  function passUnusedKeys(facts) {
    const used = new Set(facts.inputs.filter((row) => row.kind === 'key').flatMap((row) => row.inputs.split(' ')));
    const named = {ArrowLeft: 'Left', ArrowRight: 'Right', ArrowUp: 'Up', ArrowDown: 'Down'};
    addEventListener('keydown', (event) => {
      const key = named[event.key] || event.key;
      const modifiers = [event.shiftKey && key.length > 1 && 'Shift', event.ctrlKey && 'Ctrl', event.altKey && 'Alt'].filter(Boolean);
      if (!used.has(key) && !used.has([...modifiers, key].join('+'))) pageShare.passKey(event);
    });
  }

  window.Module = {
    canvas,
    noInitialRun: true,
    print(line) {
      console.log(line);
      state.shown.push(line);
      if (state.typed) setTimeout(state.typed), state.typed = null;  // out of the program's own redraw
      if (!state.pending) {
        state.pending = true;
        requestAnimationFrame(showOutput);
      }
    },
    printErr(line) { console.warn(line); },
    onNoWebGL() { sayNoWebGL(status); },
    onExit(code) {
      status.textContent = t('program.ended', {status: code});
      document.body.dataset.exitStatus = code;
      for (const button of document.querySelectorAll('#keys button, #drags button')) button.disabled = true;
      $('restart').hidden = false;
      $('restart').focus({preventScroll: true});
    },
    onRuntimeInitialized() {
      const facts = JSON.parse(UTF8ToString(Module._webPageFacts()));
      $('title').textContent = facts.title;
      makeControls(canvas, facts, page);
      status.textContent = t('program.running');
      callMain([]);
      state.typed = () => typeCircle(facts.modes || []);
      passUnusedKeys(facts);
      // The page is laid out around the window the program asked for (page.css reads --window).
      document.documentElement.style.setProperty('--window', `${canvas.width}px`);
      pageShare.ready();
      canvas.focus({preventScroll: true});
    },
  };
  canvas.addEventListener('mousedown', () => canvas.focus());
  // A new theme: the links carry its name.
  document.addEventListener('themechange', () => {
    i18n.linkOtherLanguage($('language'));
    linkShowcase();
    if (Module.calledRun) showOutput();
  });
}

// Without WebGL the program cannot draw: the page says so, what to try, and where the explainer is,
// which draws without it.
function sayNoWebGL(status) {
  const t = i18n.t;
  status.replaceChildren(t('program.no-webgl'), ' ', t('program.no-webgl-walk'), ' ');
  const link = document.createElement('a');
  link.href = pageAddress.link('walk.html');
  link.textContent = t('program.no-webgl-link');
  status.append(link, '.');
  status.classList.add('problem');
  document.body.dataset.noWebgl = 'true';
  for (const button of document.querySelectorAll('#keys button, #drags button')) button.disabled = true;
}

// The table of inputs and the buttons, from the program's own table (see the head of this file).
function makeControls(canvas, facts, page) {
  const t = i18n.t;
  const keys = document.getElementById('keys'), drags = document.getElementById('drags');
  const table = document.getElementById('inputs');
  const keyLabel = (name) => name.split('+').map((part) => (i18n.has(`key.${part}`) ? t(`key.${part}`) : part)).join('+');
  const kbd = (name) => {
    const e = document.createElement('kbd');
    e.textContent = keyLabel(name);
    return e;
  };
  const latched = new Set(), latches = [];
  const values = {modes: (facts.modes || []).map((m) => t(`mode.${m}`)).join(', '), entry: facts.menuEntry};
  let firstDrag = true;

  const head = table.createTHead().insertRow(), body = table.createTBody();
  for (const key of ['program.input-head', 'program.effect-head']) head.append(Object.assign(document.createElement('th'), {scope: 'col', textContent: t(key)}));
  for (const row of facts.inputs) {
    const tr = body.insertRow(), what = tr.insertCell(), effect = tr.insertCell();
    const own = `${page}.action.${row.action}`;
    effect.textContent = t(i18n.has(own) ? own : `action.${row.action}`, values);
    // The cell of the inputs: text with the keys as <kbd>, in the order the text gives them.
    const fill = (text, names) => {
      const [before, after] = text.split('{keys}');
      what.append(before);
      names.forEach((name, i) => what.append(...(i ? [' ', kbd(name)] : [kbd(name)])));
      what.append(after === undefined ? '' : after);
    };
    if (row.kind === 'key') {
      const names = row.inputs.split(' ');
      fill('{keys}', names);
      for (const name of names) keys.appendChild(keyButton(name, keyLabel(name), latched));
    } else if (row.kind === 'modifier') {
      fill(t('input.modifier', {modifiers: '{keys}'}), [row.inputs]);
      for (const name of row.inputs.split('+')) {
        if (latches.includes(name)) continue;
        latches.push(name);
        keys.appendChild(latchButton(name, keyLabel(name), latched));
      }
    } else if (row.kind === 'drag') {
      fill(t('input.drag', {modifiers: '{keys}'}), [row.inputs]);
      const button = document.createElement('button');
      button.type = 'button';
      button.dataset.drag = row.action;
      button.textContent = t(`drag.${row.action}`);
      button.title = t('program.drag-title', {input: what.textContent, effect: effect.textContent});
      button.setAttribute('aria-pressed', String(firstDrag));
      button.addEventListener('click', () => {
        Module.glutWeb.setDragMode(row.inputs);
        for (const other of drags.querySelectorAll('[data-drag]')) other.setAttribute('aria-pressed', String(other === button));
        canvas.focus({preventScroll: true});
      });
      if (firstDrag) Module.glutWeb.setDragMode(row.inputs);
      firstDrag = false;
      drags.appendChild(button);
    } else {
      what.textContent = t('input.menu');
    }
  }
}

// A button that sends a key as a keyboard would; latched modifiers go with keys that have no
// Shift of their own, in the keyboard's order.
function keyButton(name, label, latched) {
  const button = document.createElement('button');
  button.type = 'button';
  button.dataset.key = name;
  button.textContent = label;
  button.setAttribute('aria-label', i18n.t('key.button', {key: label}));
  button.addEventListener('click', () => {
    const held = name.includes('+') && name !== '+' ? [] : ['Shift', 'Ctrl', 'Alt'].filter((m) => latched.has(m));
    Module.glutWeb.pressKey([...held, name].join('+'));
  });
  return button;
}

// A modifier that stays pressed until pressed again, for the arrow and page keys: a browser keeps
// some of their chords for itself when typed (Ctrl+Page Up switches tabs).
function latchButton(name, label, latched) {
  const button = document.createElement('button');
  button.type = 'button';
  button.dataset.modifier = name;
  button.textContent = label;
  button.setAttribute('aria-pressed', 'false');
  button.addEventListener('click', () => {
    const on = !latched.has(name);
    if (on) latched.add(name);
    else latched.delete(name);
    button.setAttribute('aria-pressed', String(on));
  });
  return button;
}
