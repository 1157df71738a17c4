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
  const predict = {
    on: false,
    right: 0,  // the questions of this round answered right
    asked: 0,  // and answered
    counted: new Set(),  // the questions answered this round: "move 3", "d 3"
    stage: 'move',  // 'move', then 'd' at the second level, for the state on show
    walk: null,  // the walk on show, and its position
    position: 0,
    verdictToSay: null,  // an answer's verdict, to say before the narration and the score
    hooks: {go() {}, changed() {}, anotherRadius() {}},  // the page's (attach)
  };

  function showScore(final = false) {
    const text = predict.asked ? t(final ? 'predict.final' : 'predict.score', {n: predict.right, m: predict.asked}) : '';
    if (score.textContent !== text) score.textContent = text;
  }

  function set(value, {quiet = false} = {}) {
    predict.on = value;
    toggle.setAttribute('aria-pressed', String(predict.on));
    quiz.hidden = !predict.on;
    predict.right = predict.asked = 0;
    predict.counted.clear();
    predict.stage = 'move';
    verdict.textContent = '';
    showScore();
    if (!quiet) predict.hooks.changed();
  }

  // The state on show has changed (a step, a row chosen, a new walk).
  function show(w, p) {
    predict.walk = w, predict.position = p;
    if (!predict.on) return;
    const s = predict.walk.steps[p];
    const over = !s || !s.move;
    // What is on show already is not written again: each write costs the page a layout.
    const hide = (e, value) => { if (e.hidden !== value) e.hidden = value; };
    const say = (text) => { if (question.textContent !== text) question.textContent = text; };
    hide(end, !over);
    hide(answers, over || predict.stage !== 'move');
    hide(dForm, over || predict.stage !== 'd');
    showScore(over);
    if (over) return say(t('predict.over'));
    say(predict.stage === 'move' ? t('predict.question') : t('predict.ask-d', {step: p + 1}));
    if (predict.stage === 'd') {
      dInput.value = '';
      dInput.focus({preventScroll: true});
    }
  }

  // The first answer to a question in this round counts; one given again does not.
  function count(question, ok) {
    if (predict.counted.has(question)) return;
    predict.counted.add(question);
    ++predict.asked;
    if (ok) ++predict.right;
  }

  const asksMove = () => predict.on && predict.stage === 'move' && Boolean(predict.walk?.steps[predict.position]?.move);

  function answerMove(move) {
    const s = predict.walk.steps[predict.position];
    count(`move ${predict.position}`, move === s.move);
    predict.verdictToSay = t(move === s.move ? 'predict.right' : 'predict.wrong', {reason: walkNarration.reason(s)});
    if (withD.checked) {
      predict.stage = 'd';
      predict.hooks.changed();  // the move may show now; the next d may not
    } else {
      predict.hooks.go(predict.position + 1);
    }
  }

  // Said by the page as it shows the state answered for: once the table has read the layout (one
  // layout a frame, not two), and before the narration and the score, so that a screen reader says
  // the verdict first. After a move, that is in the frame after the grid's: written at once, the
  // verdict's new lines would move the page below it in the answer's frame.
  function sayVerdict() {
    if (predict.verdictToSay === null) return;
    verdict.textContent = predict.verdictToSay;
    predict.verdictToSay = null;
  }

  function answerD(typed) {
    const s = predict.walk.steps[predict.position], next = predict.walk.steps[predict.position + 1];
    const ok = typed === next.d;
    count(`d ${predict.position}`, ok);
    predict.verdictToSay = t(ok ? 'predict.d-right' : 'predict.d-wrong', {next: number(next.d), added: number(next.d - s.d)});
    predict.stage = 'move';
    predict.hooks.go(predict.position + 1, {now: true});  // the buttons shown, to take the focus
    ($('quiz-end').hidden ? $('answer-e') : $('again')).focus({preventScroll: true});  // the d's field is hidden now
  }

  toggle.addEventListener('click', () => set(!predict.on));
  // Never asks again about a move already answered: turned off while the next d is asked, the
  // walk goes on as after a move answered without it; turned on, the open question stays.
  withD.addEventListener('change', () => {
    if (!predict.on || predict.stage !== 'd' || withD.checked) return;
    predict.stage = 'move';
    predict.hooks.go(predict.position + 1);
  });
  walkQuiz.add({asksMove, move: answerMove});
  walkQuiz.numberForm(dForm, dInput, answerD);
  $('again').addEventListener('click', () => {
    set(true, {quiet: true});
    predict.hooks.go(0);
  });
  $('other-radius').addEventListener('click', () => {
    set(true, {quiet: true});
    predict.hooks.anotherRadius();
  });

  return {
    attach(h) { predict.hooks = h; },
    set,
    show,
    sayVerdict,
    get on() { return predict.on; },
    // Whether the move of the state on show must stay hidden.
    get hidingMove() { return predict.on && predict.stage === 'move'; },
    // A new walk or a chosen step asks from scratch at that state.
    reset() { predict.stage = 'move'; },
  };
})();
