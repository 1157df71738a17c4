// The answer controls that predict mode and practice share: the buttons E and SE, the keys e and
// s, and the forms that take a whole number. Each of the two registers as an asker; at most one
// asks for a move at a time, and the move goes to it.
import {i18n} from '../from-head.js';

export const walkQuiz = (function () {
  const $ = (id) => document.getElementById(id);
  const askers = [];  // {asksMove(): whether it asks for a move now, move('E' | 'SE')}
  const moveOfKey = {e: 'E', s: 'SE'};

  function move(value) {
    const asker = askers.find((a) => a.asksMove());
    if (asker) asker.move(value);
    return Boolean(asker);
  }
  $('answer-e').addEventListener('click', () => move('E'));
  $('answer-se').addEventListener('click', () => move('SE'));

  return {
    add(asker) { askers.push(asker); },
    // `form`'s whole number goes to `take`; anything else is said in the verdict, and asked again.
    numberForm(form, input, take) {
      form.addEventListener('submit', (event) => {
        event.preventDefault();
        const typed = i18n.wholeNumber(input.value);
        if (typed === null) $('verdict').textContent = i18n.t('predict.whole-number');
        else take(typed);
      });
    },
    // The keys e and s answer a move asked for; true when one did.
    key(event) {
      const value = moveOfKey[event.key.toLowerCase()];
      return value !== undefined && move(value);
    },
  };
})();
