// A practice set answered through the page's contract (#practice-question and its data-*, the
// answer buttons and keys, #answer-number), against the tests' circle model, never the page.
import {model, until} from './browser.mjs';

// The question on show, or null once the set is over.
export const questionOf = (frame) => frame.$eval('#practice-question', (e) => (e.dataset.kind ? {...e.dataset} : null));

// The right answer to `q`: the move from the sign of the model's d, its next d, its count, or the
// spans' draws at a state: rows +-x at half-width y, and after a drop in y the rows left behind at
// the half-width reached before it.
export function answerOf({kind, mode, radius, step}) {
  if (kind === 'count') return model.counts[model.modes.indexOf(mode)][Number(radius) - 1];
  const states = model.states[radius];
  if (kind === 'draws') {
    const [[px, py], [, y]] = [states[step - 1], states[step]];
    return (y !== py ? 2 * (2 * px + 1) : 0) + 2 * (2 * y + 1);
  }
  return kind === 'move' ? (states[step][2] < 0 ? 'E' : 'SE') : states[Number(step) + 1][2];
}

// Answers the questions of the set in `frame` (the page, or a frame of `page`), from the one on
// show to the end or `count` of them, each right or wrong as `right` says (true, false, or a
// function of the answer's number from 0), by button and by key in turn, numbers typed with a true
// minus or a hyphen in turn; resolves to the questions asked.
export async function answerSet(page, frame, right, {count = Infinity} = {}) {
  const asked = [];
  for (let q = await questionOf(frame), i = 0; q && i < count; q = await questionOf(frame), ++i) {
    asked.push(q);
    const expected = answerOf(q), good = typeof right === 'function' ? right(i) : right;
    if (q.kind === 'move') {
      const move = good ? expected : expected === 'E' ? 'SE' : 'E';
      if (i % 2) {
        await frame.click(`#answer-${move.toLowerCase()}`);
      } else {
        await frame.focus('#answer-e');  // the keys answer wherever the focus is but in a field
        await page.keyboard.press(move === 'E' ? 'e' : 's');
      }
    } else {
      const value = good ? expected : expected + 1;
      await frame.$eval('#answer-number', (input) => { input.value = ''; });
      await frame.type('#answer-number', String(value).replace('-', i % 2 ? '-' : '\u2212'));
      await frame.focus('#answer-number');
      await page.keyboard.press('Enter');
    }
    await until(async () => (await frame.$eval('#practice-question', (e) => e.dataset.index ?? 'done')) !== q.index,
                `question ${q.index} answered`);
  }
  return asked;
}
