// The sentence under the controls: what the walk does at the position shown, in the trace's own
// numbers, the midpoint included. The move it names is the trace's; the comparison of d with 0
// that explains it is the one that move stands for (E while d < 0).
import {i18n} from '../from-head.js';

export const walkNarration = (function () {
  const t = i18n.t, number = i18n.number;

  const midpoint = (s) => t('point', {x: number(s.midpoint[0]), y: number(s.midpoint[1], 1)});

  // Why the walk takes its move from state `s`: "d = 2 ≥ 0, so the midpoint (3, 8.5) is outside
  // the circle, and the walk goes SE."
  const reason = (s) => t(s.move === 'E' ? 'reason.east' : 'reason.south-east', {d: number(s.d), m: midpoint(s)});

  // `predicting`: the question is open, the move not said; `practising`: the state's numbers alone.
  function text(walk, p, predicting = false, practising = false) {
    const n = walk.drawCount(p);
    if (p === walk.steps.length) return t('narration.after', {r: walk.radius, draws: i18n.plural('draws', n), total: walk.total});
    const s = walk.steps[p];
    const head = t('narration.head', {step: p, x: number(s.x), y: number(s.y)}), d = number(s.d);
    if (!s.move) {
      const end = walk.afterCount ? t('narration.rows-next') : t('narration.total', {total: walk.total});
      return t('narration.stop', {head, d, draws: i18n.plural('draws', n), end});
    }
    if (practising) return t('narration.state', {head, d});
    if (predicting) return t('narration.predict', {head, d});
    return t('narration.move', {head, reason: reason(s), drawn: i18n.plural('drawn', n, {total: walk.offsets[p + 1]})});
  }

  return {text, reason};
})();
