// What a practice set asks, from its seed and the teacher's choices alone: walk.html asks it, and
// a page that prepares a set for a class shows it. The choices and their limits are in
// limits.json (practice): how many questions, which modes, whether a hint follows each answer
// ('hints') or the answers wait for the summary ('end'), and the mastery score.
//
// The question kinds, each one a student can work out from the walk on show:
//   move   E or SE at state `step` of the walk at `radius` (a state that has a move). With
//          `before`, the page shows the state before it, its d and its move, so that d must be
//          updated before the sign is read; at least half the moves are so.
//   d      the d after state `step`;
//   count  the draws of one pass of `mode`: the outline at any practice radius, from its walk;
//          a filled mode up to filledCountRadius, small enough to count row by row;
//   draws  the draws made at state `step` of the spans' walk.
import walkLimits from './limits.json';

const limits = walkLimits.practice;

// The choices a set takes when the address gives none.
export const practiceDefaults = Object.freeze({questions: limits.questionsDefault, feedback: limits.feedback[0], mastery: limits.masteryDefault});
export const practiceLimits = limits;

// A seed for a new set, for the page's Practice button and the teacher's page alike: six digits
// at most, short enough to read out to a class.
export const practiceNewSeed = () => 1 + Math.floor(Math.random() * 999999);

// mulberry32 (Tommy Ettinger's): a 32-bit state stepped by 0x6D2B79F5 and mixed by two rounds of
// multiply and xor-shift; Math.imul and >>> make it the same in every browser.
function mulberry32(state) {
  return () => {
    state = (state + 0x6d2b79f5) >>> 0;
    let z = state;
    z = Math.imul(z ^ (z >>> 15), z | 1);
    z ^= z + Math.imul(z ^ (z >>> 7), z | 61);
    return ((z ^ (z >>> 14)) >>> 0) / 4294967296;
  };
}

// The questions of the set `seed` names, `questions` of them (default 10) in the modes `modes`
// (default all of walks.modes), in an order the seed chooses: four in ten moves, three in ten d,
// the rest counts. `walks`: {modes, stateCount(mode, radius)}, the walk's names and lengths, as
// the trace gives them (practiceWalks below).
export function practiceSet({seed, questions = limits.questionsDefault, modes}, walks) {
  const chosen = modes && modes.length ? walks.modes.filter((m) => modes.includes(m)) : walks.modes;
  const next = mulberry32(seed >>> 0), pick = (n) => Math.floor(next() * n), between = (a, b) => a + pick(b - a + 1);
  const moves = Math.round(0.4 * questions), ds = Math.round(0.3 * questions);
  const kinds = Array.from({length: questions}, (_, i) => (i < moves ? 'move' : i < moves + ds ? 'd' : 'count'));
  for (let i = kinds.length - 1; i > 0; --i) {
    const j = pick(i + 1);
    [kinds[i], kinds[j]] = [kinds[j], kinds[i]];
  }
  // The counts a student can make in the modes chosen.
  const counts = [];
  if (chosen.includes('outline')) counts.push(['count', 'outline', walkLimits.practiceRadii]);
  for (const mode of chosen.filter((m) => m !== 'outline')) counts.push(['count', mode, [1, limits.filledCountRadius]]);
  if (chosen.includes('spans')) counts.push(['draws', 'spans', walkLimits.practiceRadii]);
  let movesSoFar = 0;
  return kinds.map((kind) => {
    if (kind === 'count') {
      const [sort, mode, radii] = counts[pick(counts.length)];
      const radius = between(...radii);
      if (sort === 'count') return {kind: sort, mode, radius};
      return {kind: sort, mode, radius, step: between(1, walks.stateCount(mode, radius) - 1)};
    }
    const mode = chosen[pick(chosen.length)], radius = between(...walkLimits.practiceRadii);
    const last = walks.stateCount(mode, radius) - 2;  // the last state with a move
    if (kind === 'd') return {kind, mode, radius, step: between(0, last)};
    const before = movesSoFar++ % 2 === 0 && last >= 1;
    return {kind, mode, radius, step: between(before ? 1 : 0, last), before};
  });
}

// The walks' names and lengths that practiceSet needs, from the page's trace (trace.js), started.
export const practiceWalks = (trace) => ({modes: trace.modes, stateCount: (mode, radius) => trace.load(mode, radius).steps.length});

// The address of a set: practice=SEED, then each choice that is not the default, in one order.
// `allModes`: the modes a set takes when it names none.
export function practiceQuery({seed, questions, modes, feedback, mastery}, allModes) {
  const query = new URLSearchParams({practice: seed});
  if (questions !== undefined && questions !== practiceDefaults.questions) query.set('questions', questions);
  if (modes && modes.length && allModes.some((m) => !modes.includes(m))) query.set('modes', allModes.filter((m) => modes.includes(m)).join(','));
  if (feedback !== undefined && feedback !== practiceDefaults.feedback) query.set('feedback', feedback);
  if (mastery !== undefined && mastery !== practiceDefaults.mastery) query.set('mastery', mastery);
  return query;
}
