// Predict mode: before each step the page asks where the walk goes, E or SE (buttons, and the keys
// e and s), with the current state's x, y and d on view and everything that would give the answer
// away hidden: the move in the table, the rows after, the midpoint's fill, the next draws and the
// narration's verdict (the controls are walkQuiz's). At the second level the learner then types the next d. Each answer is held
// against the trace's own move and d, a sentence says why, and the walk goes on one step whether
// the answer was right or not. The score counts each question once a round, "N of M": going back
// and answering again asks afresh but leaves the score, and a new walk starts a new round.
import {i18n} from '../from-head.js';
import {walkNarration} from './narration.js';
import {walkQuiz} from './quiz.js';

export const walkPredict = (function () {
  const t = i18n.t, number = i18n.number;
  const $ = (id) => document.getElementById(id);
  const toggle = $('predict'), withD = $('predict-d'), quiz = $('quiz');
  const question = $('question'), answers = $('answers'), dForm = $('d-form'), dInput = $('answer-d');
  const verdict = $('verdict'), score = $('score'), end = $('quiz-end');
  let on = false, right = 0, asked = 0;
  const counted = new Set();  // the questions answered this round: "move 3", "d 3"
  let stage = 'move';  // 'move', then 'd' at the second level, for the state on show
  let walk = null, position = 0;
  let verdictToSay = null;  // an answer's verdict, to say before the narration and the score
  let hooks = {go() {}, changed() {}, anotherRadius() {}};

  function showScore(final = false) {
    const text = asked ? t(final ? 'predict.final' : 'predict.score', {n: right, m: asked}) : '';
    if (score.textContent !== text) score.textContent = text;
  }

  function set(value, {quiet = false} = {}) {
    on = value;
    toggle.setAttribute('aria-pressed', String(on));
    quiz.hidden = !on;
    right = asked = 0;
    counted.clear();
    stage = 'move';
    verdict.textContent = '';
    showScore();
    if (!quiet) hooks.changed();
  }

  // The state on show has changed (a step, a row chosen, a new walk).
  function show(w, p) {
    walk = w, position = p;
    if (!on) return;
    const s = walk.steps[p];
    const over = !s || !s.move;
    // What is on show already is not written again: each write costs the page a layout.
    const hide = (e, value) => { if (e.hidden !== value) e.hidden = value; };
    const say = (text) => { if (question.textContent !== text) question.textContent = text; };
    hide(end, !over);
    hide(answers, over || stage !== 'move');
    hide(dForm, over || stage !== 'd');
    showScore(over);
    if (over) return say(t('predict.over'));
    say(stage === 'move' ? t('predict.question') : t('predict.ask-d', {step: p + 1}));
    if (stage === 'd') {
      dInput.value = '';
      dInput.focus({preventScroll: true});
    }
  }

  // The first answer to a question in this round counts; one given again does not.
  function count(question, ok) {
    if (counted.has(question)) return;
    counted.add(question);
    ++asked;
    if (ok) ++right;
  }

  const asksMove = () => on && stage === 'move' && Boolean(walk?.steps[position]?.move);

  function answerMove(move) {
    const s = walk.steps[position];
    count(`move ${position}`, move === s.move);
    verdictToSay = t(move === s.move ? 'predict.right' : 'predict.wrong', {reason: walkNarration.reason(s)});
    if (withD.checked) {
      stage = 'd';
      hooks.changed();  // the move may show now; the next d may not
    } else {
      hooks.go(position + 1);
    }
  }

  // Said by the page as it shows the state answered for: once the table has read the layout (one
  // layout a frame, not two), and before the narration and the score, so that a screen reader says
  // the verdict first. After a move, that is in the frame after the grid's: written at once, the
  // verdict's new lines would move the page below it in the answer's frame.
  function sayVerdict() {
    if (verdictToSay === null) return;
    verdict.textContent = verdictToSay;
    verdictToSay = null;
  }

  function answerD(typed) {
    const s = walk.steps[position], next = walk.steps[position + 1];
    const ok = typed === next.d;
    count(`d ${position}`, ok);
    verdictToSay = t(ok ? 'predict.d-right' : 'predict.d-wrong', {next: number(next.d), added: number(next.d - s.d)});
    stage = 'move';
    hooks.go(position + 1, {now: true});  // the buttons shown, to take the focus
    ($('quiz-end').hidden ? $('answer-e') : $('again')).focus({preventScroll: true});  // the d's field is hidden now
  }

  toggle.addEventListener('click', () => set(!on));
  // Never asks again about a move already answered: turned off while the next d is asked, the
  // walk goes on as after a move answered without it; turned on, the open question stays.
  withD.addEventListener('change', () => {
    if (!on || stage !== 'd' || withD.checked) return;
    stage = 'move';
    hooks.go(position + 1);
  });
  walkQuiz.add({asksMove, move: answerMove});
  walkQuiz.numberForm(dForm, dInput, answerD);
  $('again').addEventListener('click', () => {
    set(true, {quiet: true});
    hooks.go(0);
  });
  $('other-radius').addEventListener('click', () => {
    set(true, {quiet: true});
    hooks.anotherRadius();
  });

  return {
    attach(h) { hooks = h; },
    set,
    show,
    sayVerdict,
    get on() { return on; },
    // Whether the move of the state on show must stay hidden.
    get hidingMove() { return on && stage === 'move'; },
    // A new walk or a chosen step asks from scratch at that state.
    reset() { stage = 'move'; },
  };
})();
