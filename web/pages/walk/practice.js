// Practice sets: walk.html?practice=SEED (or the Practice button, which picks a seed) opens a set
// of ten questions, the same for every learner who has the seed. Three kinds, mixed:
//   move   E or SE at a state of a walk (a radius within limits.json's practiceRadii, a state
//          that has a move);
//   d      the next d after such a state;
//   count  the draws of one pass of a mode at a radius up to the page's largest, as the
//          demonstration prints.
// Each question shows the grid at its state with the rows before it, and x, y and d. The seed
// drives mulberry32 (below), which chooses the questions and nothing else: every answer is held
// against the trace and the counting call. A slip costs one point; the set goes on. At the end a
// table sums it up. A learning platform that runs the page (lms.js) is told the score.
//
// The contract, for tests of any kind: #practice-question (data-kind, data-mode, data-radius,
// data-step for move and d, data-index), the buttons #answer-e and #answer-se and the keys e and
// s, the input #answer-number in its form, and #score reading "N of M".
import {i18n, pageTheme} from '../from-head.js';
import {walkLms} from './lms.js';
import {walkNarration} from './narration.js';
import {walkQuiz} from './quiz.js';
import {walkTrace} from './trace.js';
import {practiceSet, practiceWalks} from './practice-set.js';

export const walkPractice = (function () {
  const t = i18n.t, number = i18n.number;
  const $ = (id) => document.getElementById(id);
  const size = 10;
  // The question box is predict mode's, with practice's own parts in it (.practice-only).
  const box = $('quiz'), question = $('practice-question'), answers = $('answers'), numberForm = $('number-form');
  const numberInput = $('answer-number'), verdict = $('verdict'), hint = $('hint-text'), picture = $('hint-grid');
  const score = $('score'), summary = $('practice-summary'), end = $('practice-end');
  let on = false, seed = 0, set = [], index = 0, right = 0, given = [];
  let hooks = {show() {}, leave() {}, another() {}, walk: () => null};

  // The right answer, from the trace and the counting call.
  function answerOf(q) {
    if (q.kind === 'count') return walkTrace.drawCount(q.mode, q.radius);
    const walk = hooks.walk();
    if (q.kind === 'draws') return walk.drawCount(q.step);
    return q.kind === 'move' ? walk.steps[q.step].move : walk.steps[q.step + 1].d;
  }

  function start(newSeed, modes) {
    on = true;
    seed = newSeed >>> 0;
    set = practiceSet({seed, modes}, practiceWalks(walkTrace));
    index = right = 0;
    given = [];
    box.hidden = false;
    end.hidden = true;
    verdict.textContent = hint.textContent = '';
    picture.hidden = true;
    document.body.classList.add('practising');
    ask();
  }

  function leave() {
    on = false;
    verdict.textContent = score.textContent = '';
    numberForm.hidden = true;
    document.body.classList.remove('practising');
    hooks.leave();
  }

  const label = (q) => t(`practice.${q.kind}`, {mode: t(`mode.${q.mode}`), r: q.radius, step: q.step});

  function ask() {
    const q = set[index];
    hooks.show(q);
    Object.assign(question.dataset, {kind: q.kind, mode: q.mode, radius: q.radius, index});
    if (q.step === undefined) delete question.dataset.step;
    else question.dataset.step = q.step;
    question.textContent = `${t('practice.number', {n: index + 1, m: size})} ${label(q)}`;
    answers.hidden = q.kind !== 'move';
    numberForm.hidden = q.kind === 'move';
    numberInput.value = '';
    showScore();
    // The focus goes where the answer is given, so that it is never left on a control now hidden.
    (q.kind === 'move' ? $('answer-e') : numberInput).focus({preventScroll: true});
  }

  function showScore() {
    score.textContent = t('practice.score', {n: right, m: given.length});
  }

  // The answer to the question on show: "E", "SE", or a whole number.
  function answer(value) {
    if (!on || index >= set.length) return;
    const q = set[index], expected = answerOf(q), ok = value === expected;
    given.push({q, value, expected, ok});
    if (ok) ++right;
    verdict.textContent = t(ok ? 'practice.right' : 'practice.wrong', {n: index + 1});
    if (ok) {
      hint.textContent = '';
      picture.hidden = true;
    } else {
      explain(q, expected);
    }
    ++index;
    showScore();
    walkLms.score(right, given.length);
    if (index < set.length) return ask();
    finish();
  }

  // A worked hint in the state's own numbers: M on a grid with the sign of F(M), and the move or
  // the d it leads to; for a count, how the mode draws.
  function explain(q, expected) {
    if (q.kind === 'count' || q.kind === 'draws') {
      hint.textContent = t('practice.count-hint', {mode: t(`mode.${q.mode}`), how: t(`explain.mode.${q.mode}`), r: q.radius, n: expected});
      picture.hidden = true;
      return;
    }
    const walk = hooks.walk(), s = walk.steps[q.step];
    const fm = `F(M) = ${number(s.fm, 2)} ${s.fm < 0 ? '<' : '>'} 0`;
    hint.textContent = q.kind === 'move' ? t('practice.move-hint', {fm, reason: walkNarration.reason(s)})
      : t('practice.d-hint', {fm, reason: walkNarration.reason(s), next: number(expected), added: number(expected - s.d)});
    drawHint(picture, walk, q.step);
    picture.hidden = false;
  }

  // A hint's picture on `canvas`: seven cells each way around the midpoint M of state `step`, the
  // state's pixel, its candidates E and SE, the exact circle, and M, filled when F(M) < 0 (inside)
  // and hollow when F(M) > 0, as on the grid.
  function drawHint(canvas, w, step) {
    const colour = pageTheme.colour, scale = Number(colour('line-scale')) || 1;
    const s = w.steps[step], cell = 28, k = devicePixelRatio || 1, side = 7 * cell;
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
    h.arc(...at(0, 0), w.radius * cell, 0, 2 * Math.PI);
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

  function finish() {
    question.textContent = t('practice.done', {n: right, m: size});
    for (const key of ['kind', 'mode', 'radius', 'step', 'index']) delete question.dataset[key];
    answers.hidden = numberForm.hidden = true;
    const shown = (q, value) => (q.kind === 'move' ? value : number(value));
    summary.tBodies[0].replaceChildren(...given.map(({q, value, expected, ok}, i) => {
      const row = document.createElement('tr');
      for (const text of [i + 1, label(q), shown(q, value), shown(q, expected), t(ok ? 'practice.yes' : 'practice.no')]) {
        row.insertCell().textContent = text;
      }
      return row;
    }));
    end.hidden = false;
    $('practice-another').focus({preventScroll: true});
    walkLms.end(right, size);
  }

  walkQuiz.add({asksMove: () => on && index < set.length && set[index].kind === 'move', move: answer});
  walkQuiz.numberForm(numberForm, numberInput, answer);
  $('practice-leave').addEventListener('click', leave);
  $('practice-another').addEventListener('click', () => hooks.another());

  return {
    attach(h) { hooks = h; },
    start,
    get on() { return on; },
    get seed() { return seed; },
    // A seed for a new set: any 32-bit number but 0.
    newSeed: () => 1 + Math.floor(Math.random() * 999999),
  };
})();
