// The explainer, walk.html: the walk of the demonstration's rasterisers, state by state. This
// file holds the page's state and its controls, and sends each change to the parts that show it:
// the trace (trace.js), the grid (grid.js), the table (table.js), the narration (narration.js),
// predict mode (predict.js), the variants (variants.js), the chart (chart.js), the code (code.js)
// and the page on paper (print.js).
//
// The address holds the state (walk.html?mode=spans&radius=7&step=3, with predict=1 and variant=
// when they are set; play=1 plays from the start, unless motion is to be kept down) and follows
// every change; practice=SEED names a practice set (practice.js) and nothing else, never its
// answers, with the teacher's choices for it (questions=, modes=, feedback=, mastery=, as
// practice-set.js writes them); address.js carries the rest (lang=, theme=, embed=, worksheet=, key=).
import {pageAddress, i18n, pageTheme} from '../from-head.js';
import {pageKeys} from '../keys.js';
import {pageShare} from '../share.js';
import {walkTrace} from './trace.js';
import {walkGrid} from './grid.js';
import {walkTable} from './table.js';
import {walkNarration} from './narration.js';
import {walkQuiz} from './quiz.js';
import {walkPredict} from './predict.js';
import {walkPractice} from './practice.js';
import {practiceDefaults, practiceLimits, practiceQuery} from './practice-set.js';
import {walkVariants} from './variants.js';
import {walkChart} from './chart.js';
import {walkCode} from './code.js';
import {walkPrint} from './print.js';
// The page's own choices: the radius it opens on and the play speeds (steps a second), the
// default among them. The largest radius is the program's (walkTrace.radiusLimit).
import walkLimits from './limits.json';

(async function () {
  const t = i18n.t;
  const $ = (id) => document.getElementById(id);
  const radiusInput = $('radius'), modeSelect = $('mode'), playButton = $('play');
  i18n.apply();
  document.title = t('walk.title');
  for (const speed of walkLimits.speeds) {
    $('speed').add(new Option(i18n.plural('walk.speed-choice', speed), speed, speed === walkLimits.speed, speed === walkLimits.speed));
  }
  await walkTrace.start();
  const radiusLimit = walkTrace.radiusLimit;
  radiusInput.max = radiusLimit;
  $('cost-intro').textContent = t('cost.intro', {limit: radiusLimit});
  walkCode.start();
  // Open beside the walk on a wide screen; on a phone, closed under the table until asked for.
  walkCode.element.open = matchMedia('(min-width: 601px)').matches;
  const modes = walkTrace.modes;
  for (const name of modes) modeSelect.add(new Option(t(`mode.${name}`), name));
  for (const name of modes) {
    const term = document.createElement('dt'), description = document.createElement('dd');
    term.textContent = t(`mode.${name}`);
    description.textContent = t(`explain.mode.${name}`);
    $('modes').append(term, description);
  }

  // The page's state.
  const page = {
    walk: null,  // the walk on show
    // Where in it we are: 0 .. steps.length - 1, or steps.length for the draws made after the
    // walk (the extents' rows), when there are any.
    position: 0,
    timer: null,  // the interval that plays, while playing
    viewport: '',  // the window that the page was last laid out for
    behind: false,  // a step shown on the grid alone, the other parts to follow (go)
  };
  const viewed = () => `${innerWidth} ${innerHeight} ${devicePixelRatio}`;

  // --- the address -------------------------------------------------------------------------
  // What the page reads from its address (address.js has the rest). Every value it does not take
  // as given, dropped or clamped, is named in the note with the limit the check used.
  const choiceNames = ['questions', 'modes', 'feedback', 'mastery'];  // a practice set's
  const ownNames = ['mode', 'radius', 'step', 'predict', 'variant', 'play', 'practice', ...choiceNames];
  const seedLimit = practiceLimits.seed[1];
  const whole = (text, low, high) => /^[0-9]+$/.test(text) && Number(text) >= low && Number(text) <= high;
  function readAddress() {
    const query = pageAddress.opened();
    const said = [];  // [text key, its values] for each value not taken as given; values.text is the address's
    const state = {mode: modes[0], radius: walkLimits.radius, step: 0, predict: false, variant: 'walk', play: false};
    for (const name of new Set(query.keys())) {
      if (!ownNames.includes(name)) said.push(['address.unknown', {text: name, names: ownNames.join(', ')}]);
      else for (const text of query.getAll(name).slice(1)) said.push(['address.repeated', {name, text}]);
    }
    // Paper's names, which address.js keeps: a value that changes nothing is said.
    for (const name of ['worksheet', 'key']) {
      const text = pageAddress.get(name);
      if (text !== null && text !== undefined && !/^[01]$/.test(text)) said.push([`address.${name}`, {text}]);
    }
    if (pageAddress.get('key') === '1' && pageAddress.get('worksheet') !== '1') said.push(['address.key-alone', {text: 'key=1'}]);
    if (query.has('practice')) {
      const text = query.get('practice');
      if (whole(text, ...practiceLimits.seed)) state.practice = {seed: Number(text)};
      else said.push(['address.practice', {text, limit: i18n.number(seedLimit)}]);
    }
    // A practice set takes the page over: the walk's own state in the address goes.
    if (state.practice) {
      for (const name of ownNames) {
        if (name !== 'practice' && !choiceNames.includes(name) && query.has(name)) said.push(['address.practice-over', {name, text: query.get(name)}]);
      }
      readChoices(query, state.practice, said);
      return {state, said};
    }
    for (const name of choiceNames) if (query.has(name)) said.push(['address.practice-choice', {name, text: query.get(name)}]);
    if (query.has('mode')) {
      if (modes.includes(query.get('mode'))) state.mode = query.get('mode');
      else said.push(['address.mode', {text: query.get('mode'), modes: modes.join(', ')}]);
    }
    if (query.has('radius')) {
      const text = query.get('radius');
      if (whole(text, 1, radiusLimit)) state.radius = Number(text);
      else said.push(['address.radius', {text, limit: radiusLimit}]);
    }
    if (query.has('step')) {
      state.stepText = query.get('step');  // checked against the walk's last step once loaded
      if (/^[0-9]+$/.test(state.stepText)) state.step = Number(state.stepText);
    }
    for (const name of ['predict', 'play']) {
      if (!query.has(name)) continue;
      if (/^[01]$/.test(query.get(name))) state[name] = query.get(name) === '1';
      else said.push([`address.${name}`, {text: query.get(name)}]);
    }
    if (query.has('variant')) state.variant = query.get('variant');  // checked against the names once loaded
    return {state, said};
  }

  // A practice set's choices into `choices`, each value out of its range named and its default kept.
  function readChoices(query, choices, said) {
    const {questions: [fewest, most], mastery: [low, high], feedback} = practiceLimits;
    if (query.has('questions')) {
      const text = query.get('questions');
      if (whole(text, fewest, most)) choices.questions = Number(text);
      else said.push(['address.questions', {text, low: fewest, high: most, default: practiceDefaults.questions}]);
    }
    if (query.has('modes')) {
      const text = query.get('modes'), names = text.split(',');
      if (names.every((name) => modes.includes(name))) choices.modes = names;
      else said.push(['address.modes', {text, modes: modes.join(', ')}]);
    }
    if (query.has('feedback')) {
      const text = query.get('feedback');
      if (feedback.includes(text)) choices.feedback = text;
      else said.push(['address.feedback', {text, values: feedback.join(', '), default: practiceDefaults.feedback}]);
    }
    if (query.has('mastery')) {
      const text = query.get('mastery');
      if (whole(text, low, high)) choices.mastery = Number(text);
      else said.push(['address.mastery', {text, low, high, default: practiceDefaults.mastery}]);
    }
  }

  // The step the address asked for, against the walk on show: a number past its end shows the end.
  function readStep(state, said) {
    if (state.stepText === undefined) return;
    const text = state.stepText, last = page.walk.lastPosition;
    if (!/^[0-9]+$/.test(text)) said.push(['address.step', {text, limit: last}]);
    else if (Number(text) > last) said.push(['address.step-past', {text, limit: last}]);
  }

  // Each value from the address stands in the note cut to what a line shows and set apart in a
  // <bdi>: a U+202E in it never turns the note's own text around, and a long one never widens the
  // page. Text nodes only: nothing from the address is ever read as markup.
  const shownLength = 40;  // characters of a value, the rest cut and marked
  const segmenter = typeof Intl.Segmenter === 'function' ? new Intl.Segmenter() : null;
  function clip(text) {
    // Whole characters as a reader sees them where the engine tells them; whole code points at least.
    const pieces = segmenter ? segmenter.segment(text) : text;
    let shown = '', count = 0;
    for (const piece of pieces) {
      if (count++ === shownLength) return `${shown}…`;
      shown += segmenter ? piece.segment : piece;
    }
    return shown;
  }
  function sayAddress(said) {
    const note = $('address-note');
    note.hidden = !said.length;
    if (!said.length) return note.replaceChildren();
    const [head, tail] = t('address.ignored').split('{what}');
    const parts = [head];
    said.forEach(([key, {text, ...values}], i) => {
      if (i) parts.push(t('address.separator'));
      const [before, after] = t(key, values).split('{text}');
      parts.push(before, Object.assign(document.createElement('bdi'), {dir: 'auto', textContent: clip(text)}), after);
    });
    note.replaceChildren(...parts, tail);
  }

  function query() {
    if (walkPractice.on) return practiceQuery(walkPractice.choices, modes);
    const q = new URLSearchParams({mode: modeSelect.value, radius: page.walk.radius, step: page.position});
    if (walkPredict.on) q.set('predict', '1');
    if (walkVariants.chosen && walkVariants.chosen !== 'walk') q.set('variant', walkVariants.chosen);
    return q;
  }

  // The links that carry the state follow at once; the address a moment after the last change.
  function writeAddress() {
    const own = query();
    i18n.linkOtherLanguage($('language'), own);
    const demo = pageAddress.link('index.html');
    if ($('demo-link').getAttribute('href') !== demo) $('demo-link').setAttribute('href', demo);
    const showcase = pageAddress.link('view-showcase.html');
    if ($('showcase-link').getAttribute('href') !== showcase) $('showcase-link').setAttribute('href', showcase);
    pageAddress.write(own);
  }

  // --- the walk ----------------------------------------------------------------------------
  function load(mode, radius, step = 0) {
    stop();
    modeSelect.value = mode;
    radiusInput.value = radius;
    page.walk = walkTrace.load(mode, radius);
    if (walkVariants.radius && walkVariants.radius !== radius) walkVariants.load(radius, walkVariants.chosen);
    if (!walkPractice.on) walkPredict.set(walkPredict.on, {quiet: true});  // a new walk, a new score
    // The grid's size reads the layout: before this walk's table and code are put in the page.
    // The window's size too lays the page out, and so is first read just before it; after that,
    // only where a resize is handled, which a window changed since then must still reach.
    if (!page.viewport) page.viewport = viewed();
    walkGrid.size(page.walk);
    // The picture comes before them too: Chromium brings the page's style up to date as a canvas
    // is drawn on, and with the new rows in the page that would be the frame's work done before
    // the first picture.
    page.position = Math.min(step, page.walk.lastPosition);
    walkGrid.show(page.position, gridView());
    walkTable.fill(page.walk);
    walkCode.load(page.walk);
    walkPrint.load(page.walk);
    walkChart.mark(radius);
    go(page.position, {now: true});  // a new walk shows whole at once
  }

  // A step shows on the grid in the frame that follows its input, and in every other part in the
  // frame after: on a phone the grid is what is on screen, and the table, the code and the
  // narration laid out with it would hold the step's frame back. Until then the body lacks
  // data-settled; `settle` (or any show) brings them now, where the page must read them: before
  // each input, which acts on the page as it shows the last step (predict mode answers about the
  // state on show), and before printing. `now`: every part at once.
  function go(p, {now = false} = {}) {
    page.position = Math.max(0, Math.min(p, page.walk.lastPosition));
    walkGrid.show(page.position, gridView());
    if (!page.behind) {
      page.behind = true;
      delete document.body.dataset.settled;
      requestAnimationFrame(() => setTimeout(settle));
    }
    if (now) settle();
  }

  function settle() {
    if (page.behind) show();
  }
  for (const type of ['keydown', 'pointerdown', 'click']) document.addEventListener(type, settle, true);
  addEventListener('beforeprint', settle);

  // In a frame, no scroll bar: a grid smaller by what still overflows once all is shown.
  function fitFrame() {
    if (!pageAddress.embedded) return;
    const over = Math.max(document.documentElement.scrollHeight - innerHeight, document.documentElement.scrollWidth - innerWidth);
    if (over > 0) walkGrid.size(page.walk, over), show();
  }

  // Shows the position to every part; while the learner predicts, nothing shows the coming move:
  // the code marks only the comparison, and the variant's marks, which lie on the moves to come,
  // wait until predict mode ends.
  const gridView = () => ({hideDecision: walkPredict.hidingMove || walkPractice.on,
                           variant: walkPredict.on || walkPractice.on ? null : walkVariants.marks});
  function show() {
    const practising = walkPractice.on, predicting = walkPredict.on || practising, hiding = walkPredict.hidingMove || practising;
    const lagging = page.behind;  // the variant's sentence and the address, too
    page.behind = false;
    document.body.dataset.settled = 'true';
    walkTable.select(page.position, {hideAfter: predicting, hideMove: hiding});
    walkPredict.sayVerdict();
    document.body.classList.toggle('predicting', predicting);
    const narration = walkNarration.text(page.walk, page.position, hiding, practising);
    if ($('narration').textContent !== narration) $('narration').textContent = narration;  // else no new layout
    walkGrid.show(page.position, gridView());
    walkCode.show(page.position, {deciding: hiding && page.position < page.walk.steps.length && Boolean(page.walk.steps[page.position].move)});
    walkPrint.show(page.position);
    walkPredict.show(page.walk, page.position);
    for (const id of ['forward', 'end', 'play']) $(id).disabled = predicting;
    if (lagging) walkVariants.tell(), writeAddress();
  }

  // A practice set takes the page over: each question shows its state as predict mode would.
  // `choices`: the seed and the teacher's choices (practice.js).
  function practise(choices) {
    stop();
    walkPredict.set(false, {quiet: true});
    $('quiz').hidden = false;
    walkPractice.start(choices);
    writeAddress();
  }
  walkPractice.attach({
    show: (q) => load(q.mode, q.radius, q.step === undefined ? 0 : q.step),
    leave: () => { $('quiz').hidden = !walkPredict.on; show(); writeAddress(); },
    another: () => practise({...walkPractice.choices, seed: walkPractice.newSeed()}),
    walk: () => page.walk,
  });
  $('practice').onclick = () => practise({seed: walkPractice.newSeed()});

  walkPredict.attach({
    go,
    changed: () => { stop(); show(); writeAddress(); },
    anotherRadius: () => {
      const radius = page.walk.radius < 30 ? page.walk.radius + 1 + Math.floor(Math.random() * 10) : 5 + Math.floor(Math.random() * 10);
      load(modeSelect.value, radius, 0);
    },
  });

  // --- input -------------------------------------------------------------------------------
  // Touches the page only when playing: a key, a row or a pixel stops any play first (jump), and
  // a write here would make the step's reads of the layout lay the page out twice.
  function stop() {
    if (!page.timer) return;
    clearInterval(page.timer);
    page.timer = null;
    playButton.setAttribute('aria-pressed', 'false');
    playButton.textContent = t('walk.play');
  }

  function togglePlay() {
    if (page.timer) return stop();
    if (walkPredict.on) return;
    if (page.position >= page.walk.lastPosition) go(0);
    playButton.setAttribute('aria-pressed', 'true');
    playButton.textContent = t('walk.pause');
    page.timer = setInterval(() => {
      if (page.position >= page.walk.lastPosition) return stop();
      go(page.position + 1);
    }, 1000 / Number($('speed').value));
  }

  // A step the learner chose: predict mode asks afresh there; with jump, playing stops too.
  const step = (p) => { walkPredict.reset(); go(p); };
  const jump = (p) => { stop(); step(p); };
  $('start').onclick = () => step(0);
  $('back').onclick = () => step(page.position - 1);
  $('forward').onclick = () => step(page.position + 1);
  $('end').onclick = () => step(page.walk.lastPosition);
  playButton.onclick = togglePlay;
  $('speed').onchange = () => { if (page.timer) stop(), togglePlay(); };
  modeSelect.onchange = () => load(modeSelect.value, page.walk.radius, 0);
  const chooseRadius = () => {
    const radius = Number(radiusInput.value);
    if (Number.isInteger(radius) && radius >= 1 && radius <= radiusLimit) load(modeSelect.value, radius, 0);
    else radiusInput.value = page.walk.radius;
  };
  radiusInput.onchange = chooseRadius;
  // The form's button, or Enter in the field: the radius typed, if it is not the one on show
  // already (a change has taken it). The page's state is in its address: nothing is sent.
  $('controls').addEventListener('submit', (event) => {
    event.preventDefault();
    if (Number(radiusInput.value) !== page.walk.radius) chooseRadius();
  });
  // A variant chosen shows on the grid at once, and its sentence and legend with the rest.
  walkVariants.select.onchange = () => {
    walkVariants.choose(walkVariants.select.value);
    go(page.position);
  };
  // A row or a pixel, never one the learner has yet to predict.
  const choose = (p) => { if (p >= 0 && !walkPractice.on && !(walkPredict.on && p > page.position)) jump(p); };
  walkTable.onChoose(choose);
  walkGrid.element.addEventListener('click', (event) => {
    const point = walkGrid.pointAt(event.clientX, event.clientY);
    choose(point ? page.walk.firstDrawnAt[page.walk.cellAt(point.x, point.y)] : -1);
  });
  // The page's keys: what the handler below runs, and what the keys' dialog lists; Page Down and
  // Page Up, a presenter's clicker's, as the arrows. Forward ones wait while the learner predicts;
  // Space on a button is the button's.
  const keyTable = [
    {key: 'ArrowLeft', name: 'walk.back-key', does: 'walk.back', to: () => page.position - 1},
    {key: 'ArrowRight', name: 'walk.forward-key', does: 'walk.forward', to: () => page.position + 1, forward: true},
    {key: 'PageUp', name: 'walk.page-up-key', does: 'walk.back', to: () => page.position - 1},
    {key: 'PageDown', name: 'walk.page-down-key', does: 'walk.forward', to: () => page.position + 1, forward: true},
    {key: 'Home', name: 'walk.start-key', does: 'walk.start', to: () => 0},
    {key: 'End', name: 'walk.end-key', does: 'walk.end', to: () => page.walk.lastPosition, forward: true},
    {key: ' ', name: 'walk.play-key', does: 'keys.play', run: () => togglePlay(), notOnButton: true},
  ];
  document.addEventListener('keydown', (event) => {
    if (event.ctrlKey || event.altKey || event.metaKey || event.target.closest('input:not([type=checkbox]), select, textarea, dialog')) return;
    if (walkQuiz.key(event)) return event.preventDefault();
    const entry = walkPractice.on ? null : keyTable.find((k) => k.key === event.key);
    const to = entry?.to && Math.max(0, Math.min(entry.to(), page.walk.lastPosition));
    // A key with nothing to do here (a step past either end) is the page around the frame's.
    if (!entry || to === page.position) return pageShare.passKey(event);
    if ((entry.forward && walkPredict.on) || (entry.notOnButton && event.target.closest('button'))) return;
    event.preventDefault();
    if (entry.to) jump(to);
    else entry.run();
  });
  const tools = $('page-tools');
  pageTheme.control(tools);
  pageShare.control(tools);
  pageKeys.control(tools, () => [...keyTable.map((k) => [t(k.name), t(k.does)]),
                                 [t('predict.e-key'), t('keys.answer-e')], [t('predict.s-key'), t('keys.answer-s')],
                                 [t('keys.question-key'), t('keys.this-list')]]);
  // A new theme: the canvases take its colours, the charts its lines, the links its name.
  document.addEventListener('themechange', () => {
    if (!page.walk) return;
    walkGrid.size(page.walk), walkPrint.load(page.walk), show(), writeAddress();
    if (document.body.dataset.chart) walkChart.build(modes), walkChart.mark(page.walk.radius);
  });
  // A resize that leaves the window as it was changes nothing: Chromium sends one as a phone's page
  // ends loading, which must not lay the page out and draw it whole again before its first frame.
  addEventListener('resize', () => {
    if (viewed() === page.viewport) return;
    page.viewport = viewed();
    walkGrid.size(page.walk), show(), fitFrame();
  });
  walkCode.element.addEventListener('toggle', () => { if (page.walk) show(); });

  const start = readAddress();
  // The variants wait for the first picture, unless the address asks for one: it does not need
  // them, and the load need not wait for their working out.
  if (start.state.variant !== 'walk') {
    walkVariants.load(start.state.radius, start.state.variant);
    if (walkVariants.chosen !== start.state.variant) {
      start.said.push(['address.variant', {text: start.state.variant, names: walkVariants.names().join(', ')}]);
    }
  }
  // Said before the walk is laid out, which the note's height changes; a step is known to be past
  // the end only once the walk is loaded.
  sayAddress(start.said);
  walkPredict.set(start.state.predict, {quiet: true});
  load(start.state.mode, start.state.radius, start.state.step);
  const before = start.said.length;
  readStep(start.state, start.said);
  if (start.said.length !== before) sayAddress(start.said);
  if (start.state.practice) practise(start.state.practice);
  fitFrame();
  // Nothing moves by itself for those who asked their system to keep motion down.
  if (start.state.play && !matchMedia('(prefers-reduced-motion: reduce)').matches) togglePlay();
  document.body.dataset.ready = 'true';
  pageShare.ready();
  performance.mark('walk-ready');  // the table and the grid are there
  // The chart takes every mode at every radius: after the first picture, not before it; so do the
  // variants, unless the address asked for one.
  requestAnimationFrame(() => setTimeout(() => {
    performance.mark('walk-shown');  // and drawn: the first frame is done
    if (!walkVariants.radius) walkVariants.load(page.walk.radius, 'walk');
    performance.mark('chart-start');
    walkChart.build(modes);
    walkChart.mark(page.walk.radius);
    performance.mark('chart-ready');
    document.body.dataset.chart = 'true';
  }));
})();
