// Practice sets: walk.html?practice=SEED (or the Practice button, which picks a seed) opens a set
// of questions, the same for every learner who has the seed and the teacher's choices in the
// address (questions=, modes=, feedback=, mastery=; practice-set.js chooses the questions). Each
// question shows the grid at its state with the rows before it. Every answer is held against the
// trace and the counting call. A slip costs one point; the set goes on, with a worked hint after a
// wrong answer unless feedback=end keeps the answers for the summary, a table at the end.
//
// The answers so far are kept to resume from: by the learning platform that runs the page
// (lms.js), which is told each answer and the score, or else in the browser's storage under the
// set's address, until the set ends or the learner leaves it. Inside a platform the set is the
// launch address's alone: no control leaves it or starts another, and an attempt the platform
// holds as over is shown, never sent again.
//
// The contract, for tests of any kind: #practice-question (data-kind, data-mode, data-radius,
// data-step for move, d and draws, data-index from 1 and data-count), the buttons #answer-e and
// #answer-se and the keys e and s, the input #answer-number in its form, and #score reading "N of M".
import {i18n, pageTheme} from '../from-head.js';
import {walkLms} from './lms.js';
import {walkNarration} from './narration.js';
import {walkQuiz} from './quiz.js';
import {walkTrace} from './trace.js';
import {practiceDefaults, practiceNewSeed, practiceQuery, practiceSet, practiceWalks} from './practice-set.js';

export const walkPractice = (function () {
  const t = i18n.t, number = i18n.number;
  const $ = (id) => document.getElementById(id);
  // The question box is predict mode's, with practice's own parts in it (.practice-only).
  const box = $('quiz'), question = $('practice-question'), answers = $('answers'), numberForm = $('number-form');
  const numberInput = $('answer-number'), verdict = $('verdict'), hint = $('hint-text'), picture = $('hint-grid');
  const score = $('score'), summary = $('practice-summary'), end = $('practice-end');
  const leaveButton = $('practice-leave'), anotherButton = $('practice-another');
  const state = {
    on: false,
    choices: null,  // {seed, questions, modes, feedback, mastery}, as the address gives them
    key: '',  // the set's address, which names it where its answers are kept
    set: [],  // the questions
    given: [],  // the answers so far: {value, expected, ok}
    askedAt: 0,  // when the question on show was asked
    mastery: practiceDefaults.mastery,  // the score that passes: the platform's, or the set's own
    platform: false,  // run by a learning platform: the set is locked to its address
    over: false,  // the set has ended, or the platform holds it as over
  };
  let hooks = {show() {}, leave() {}, another() {}, walk: () => null};
  const right = () => state.given.filter((g) => g.ok).length;
  const storageKey = () => `midpoint-practice ${state.key}`;

  // The browser's storage, where it lets the page have it (not in every frame, nor from every folder).
  function stored(value) {
    try {
      if (value === undefined) return localStorage.getItem(storageKey());
      if (value === null) localStorage.removeItem(storageKey());
      else localStorage.setItem(storageKey(), value);
    } catch (_) { /* nothing kept, and nothing lost but the resume */ }
    return null;
  }

  // The answers kept for this set, the right ones worked out again: [] when none fit it.
  function restore(text) {
    let kept = null;
    try {
      kept = JSON.parse(text);
    } catch (_) { return []; }
    if (!kept || kept.set !== state.key || !Array.isArray(kept.answers) || kept.answers.length > state.set.length) return [];
    return kept.answers.map((value, i) => {
      const expected = answerOf(state.set[i]);
      return {value, expected, ok: value === expected};
    });
  }
  const suspended = () => JSON.stringify({set: state.key, answers: state.given.map((g) => g.value)});

  // The walk a question is about, from the trace.
  const walkOf = (q) => walkTrace.load(q.mode, q.radius);

  // The right answer, from the trace and the counting call.
  function answerOf(q) {
    if (q.kind === 'count') return walkTrace.drawCount(q.mode, q.radius);
    const walk = walkOf(q);
    if (q.kind === 'draws') return walk.drawCount(q.step);
    return q.kind === 'move' ? walk.steps[q.step].move : walk.steps[q.step + 1].d;
  }

  // `choices`: {seed, questions, modes, feedback, mastery}, each left out taking its default.
  function start(choices) {
    const lms = walkLms.open();
    state.platform = walkLms.inside();
    state.on = true;
    state.over = false;
    state.choices = {...practiceDefaults, ...choices, seed: choices.seed >>> 0};
    state.key = practiceQuery(state.choices, walkTrace.modes).toString();
    state.set = practiceSet(state.choices, practiceWalks(walkTrace));
    state.mastery = lms && lms.mastery !== null && lms.mastery !== undefined ? lms.mastery : state.choices.mastery;
    state.given = restore(lms ? lms.suspended : stored());
    box.hidden = false;
    end.hidden = true;
    verdict.textContent = hint.textContent = '';
    picture.hidden = true;
    leaveButton.hidden = anotherButton.hidden = state.platform;
    document.body.classList.add('practising');
    if (lms && lms.over) return shut(lms);
    if (state.given.length) verdict.textContent = t('practice.resumed', {n: state.given.length + 1, m: state.set.length});
    if (state.given.length < state.set.length) return ask();
    finish();
  }

  function leave() {
    if (state.platform) return;
    stored(null);
    state.on = false;
    verdict.textContent = score.textContent = '';
    numberForm.hidden = true;
    document.body.classList.remove('practising');
    hooks.leave();
  }

  // The numbers a question names: its mode, radius and step, and for a move asked from the state
  // before and for the spans' draws, that state's step, d and move and the next state's x and y.
  function facts(q) {
    const values = {mode: t(`mode.${q.mode}`), r: q.radius, step: q.step};
    if (q.before || q.kind === 'draws') {
      const steps = walkOf(q).steps, s = steps[q.step - 1];
      Object.assign(values, {prev: q.step - 1, d: number(s.d), move: s.move, x: number(steps[q.step].x), y: number(steps[q.step].y)});
    }
    return values;
  }
  const label = (q) => t(q.before ? 'practice.move-before' : `practice.${q.kind}`, facts(q));

  // The state a question shows: the one it asks about, or the one before.
  const shownStep = (q) => (q.step === undefined ? 0 : q.before || q.kind === 'draws' ? q.step - 1 : q.step);

  function ask() {
    const index = state.given.length, q = state.set[index];
    hooks.show({mode: q.mode, radius: q.radius, step: shownStep(q)});
    Object.assign(question.dataset, {kind: q.kind, mode: q.mode, radius: q.radius, index: index + 1, count: state.set.length});
    if (q.step === undefined) delete question.dataset.step;
    else question.dataset.step = q.step;
    question.textContent = `${t('practice.number', {n: index + 1, m: state.set.length})} ${label(q)}`;
    answers.hidden = q.kind !== 'move';
    numberForm.hidden = q.kind === 'move';
    numberInput.value = '';
    showScore();
    state.askedAt = Date.now();
    // The focus goes where the answer is given, so that it is never left on a control now hidden.
    (q.kind === 'move' ? $('answer-e') : numberInput).focus({preventScroll: true});
  }

  function showScore() {
    score.textContent = t('practice.score', {n: right(), m: state.given.length});
  }

  // The answer to the question on show: "E", "SE", or a whole number.
  function answer(value) {
    if (!state.on || state.over || state.given.length >= state.set.length) return;
    const n = state.given.length, q = state.set[n], expected = answerOf(q), ok = value === expected, at = new Date();
    state.given.push({value, expected, ok});
    verdict.textContent = t(ok ? 'practice.right' : 'practice.wrong', {n: n + 1});
    if (ok || state.choices.feedback === 'end') {
      hint.textContent = '';
      picture.hidden = true;
    } else {
      explain(q, expected);
    }
    showScore();
    const last = state.given.length === state.set.length;
    if (!last) stored(suspended());
    walkLms.answer({id: questionId(q, n), choice: q.kind === 'move', value, expected, ok, latency: at - state.askedAt, at,
                    right: right(), count: state.set.length, suspended: suspended(), next: n + 2});
    if (!last) return ask();
    finish();
  }

  // A name for question `n` (from 0) that a gradebook can show: letters, digits and hyphens.
  const questionId = (q, n) => [`q${n + 1}`, q.kind, q.mode, `r${q.radius}`, ...(q.step === undefined ? [] : [`s${q.step}`]),
                                ...(q.before ? ['before'] : [])].join('-');

  // A worked hint in the state's own numbers: M on a grid with the sign of F(M), and the move or
  // the d it leads to, with the d worked out from the state before when the question gave that;
  // for a count, how the mode draws, and for a step's draws, the rows it draws there.
  function explain(q, expected) {
    const values = facts(q);
    if (q.kind === 'count') {
      hint.textContent = t('practice.count-hint', {...values, how: t(`explain.mode.${q.mode}`), n: expected});
      picture.hidden = true;
      return;
    }
    if (q.kind === 'draws') {
      const s = walkOf(q).steps[q.step - 1], left = s.move === 'SE' ? 2 * (2 * s.x + 1) : 0;
      const rows = left ? t('practice.draws-se', {...values, py: number(s.y), px: number(s.x), a: number(left), b: number(expected - left)})
        : t('practice.draws-e', values);
      hint.textContent = t('practice.draws-hint', {...values, how: t(`explain.mode.${q.mode}`), rows, n: number(expected)});
      picture.hidden = true;
      return;
    }
    const steps = walkOf(q).steps, s = steps[q.step];
    const fm = `F(M) = ${number(s.fm, 2)} ${s.fm < 0 ? '<' : '>'} 0`;
    const from = q.before ? t('practice.d-from', {...values, now: number(s.d), added: number(s.d - steps[q.step - 1].d)}) : '';
    hint.textContent = q.kind === 'move' ? from + t('practice.move-hint', {fm, reason: walkNarration.reason(s)})
      : t('practice.d-hint', {fm, reason: walkNarration.reason(s), next: number(expected), added: number(expected - s.d)});
    drawHint(picture, steps, q.radius, q.step);
    picture.hidden = false;
  }

  // A hint's picture on `canvas`: seven cells each way around the midpoint M of state `step`, the
  // state's pixel, its candidates E and SE, the exact circle, and M, filled when F(M) < 0 (inside)
  // and hollow when F(M) > 0, as on the grid.
  function drawHint(canvas, steps, radius, step) {
    const colour = pageTheme.colour, scale = Number(colour('line-scale')) || 1;
    const s = steps[step], cell = 28, k = devicePixelRatio || 1, side = 7 * cell;
    const h = canvas.getContext('2d');
    canvas.width = canvas.height = side * k;
    canvas.style.width = canvas.style.height = `${side}px`;
    h.setTransform(k, 0, 0, k, 0, 0);
    const left = s.midpoint[0] - 3.5, top = s.midpoint[1] + 3.5;  // the window's corner, in grid units
    const at = (x, y) => [(x - left) * cell, (top - y) * cell];
    h.fillStyle = colour('cell');
    h.fillRect(0, 0, side, side);
    h.strokeStyle = colour('grid-line');
    h.lineWidth = scale;
    h.beginPath();
    // M's x is whole and its y a half, so the cells' edges fall on whole cells across and half
    // cells down from the window's corner.
    for (let i = 0; i <= 7; ++i) {
      const x = i * cell, y = (i + 0.5) * cell;
      h.moveTo(x, 0), h.lineTo(x, side), h.moveTo(0, y), h.lineTo(side, y);
    }
    h.stroke();
    const box = (x, y) => { const [cx, cy] = at(x, y); return [cx - cell / 2, cy - cell / 2, cell, cell]; };
    h.fillStyle = colour('now');
    h.fillRect(...box(s.x, s.y));
    h.strokeStyle = colour('candidate');
    h.lineWidth = 2 * scale;
    h.setLineDash([4, 3]);
    for (const dy of [0, 1]) h.strokeRect(...box(s.x + 1, s.y - dy));
    h.setLineDash([]);
    h.strokeStyle = colour('circle');
    h.beginPath();
    h.arc(...at(0, 0), radius * cell, 0, 2 * Math.PI);
    h.stroke();
    h.beginPath();
    h.arc(...at(...s.midpoint), 6, 0, 2 * Math.PI);
    h.fillStyle = h.strokeStyle = colour('candidate');
    if (s.fm < 0) h.fill();
    h.stroke();
    h.fillStyle = colour('state');
    h.font = `bold ${13 * scale}px sans-serif`;
    const [mx, my] = at(...s.midpoint);
    h.fillText('M', mx + 9, my + 5);
    for (const [name, dy] of [['E', 0], ['SE', 1]]) {
      const [cx, cy] = at(s.x + 1, s.y - dy);
      h.fillText(name, cx + cell / 2 + 3, cy + 5);
    }
  }

  // The summary of the answers given, and the end of the set: told to the platform unless it
  // holds the set as over already.
  function finish() {
    state.over = true;
    question.textContent = t('practice.done', {n: right(), m: state.set.length});
    for (const key of ['kind', 'mode', 'radius', 'step', 'index', 'count']) delete question.dataset[key];
    answers.hidden = numberForm.hidden = true;
    fillSummary();
    end.hidden = false;
    if (!state.platform) anotherButton.focus({preventScroll: true});
    stored(null);
    walkLms.end({right: right(), count: state.set.length, mastery: state.mastery});
  }

  // The platform's status in the page's language; a word SCORM 1.2 does not define, as given.
  const statusWords = ['passed', 'failed', 'completed', 'incomplete', 'browsed', 'not attempted'];
  const statusWord = (status) => (statusWords.includes(status) ? t(`lms.status.${status.replace(' ', '-')}`) : status);

  // An attempt the platform holds as over (or offers to look at): its answers, where it kept them,
  // and nothing sent.
  function shut(lms) {
    state.over = true;
    question.textContent = state.given.length ? t('practice.done', {n: right(), m: state.set.length})
      : t('practice.attempt-over', {status: statusWord(lms.status), score: lms.score || '0'});
    for (const key of ['kind', 'mode', 'radius', 'step', 'index', 'count']) delete question.dataset[key];
    answers.hidden = numberForm.hidden = true;
    showScore();
    fillSummary();
    end.hidden = !state.given.length;
  }

  function fillSummary() {
    const shown = (q, value) => (q.kind === 'move' ? value : number(value));
    summary.tBodies[0].replaceChildren(...state.given.map(({value, expected, ok}, i) => {
      const q = state.set[i], row = document.createElement('tr');
      for (const text of [i + 1, label(q), shown(q, value), shown(q, expected), t(ok ? 'practice.yes' : 'practice.no')]) {
        row.insertCell().textContent = text;
      }
      return row;
    }));
  }

  walkQuiz.add({asksMove: () => state.on && !state.over && state.set[state.given.length].kind === 'move', move: answer});
  walkQuiz.numberForm(numberForm, numberInput, answer);
  leaveButton.addEventListener('click', leave);
  anotherButton.addEventListener('click', () => { if (!state.platform) stored(null), hooks.another(); });

  return {
    attach(h) { hooks = h; },
    start,
    get on() { return state.on; },
    // The set's choices, as its address gives them.
    get choices() { return state.choices; },
    // A seed for a new set: any 32-bit number but 0.
    newSeed: practiceNewSeed,
  };
})();
