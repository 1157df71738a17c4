// A learning platform's gradebook, through SCORM 1.2. When the page runs a practice set inside a
// platform that offers SCORM's API object (found as the standard says, through the parents and
// then the opener), it opens a session and, after every answer, sends that answer as an
// interaction, the set's score so far (right answers of all the set's questions), the answers in
// cmi.suspend_data and the next question in cmi.core.lesson_location, with exit "suspend"; at the
// end passed or failed against the mastery score, and exit "". The session ends at the end of the
// set, or when the page goes.
//
// Every call to the API is guarded: a "false" or a throw is a failure, said in #lms-note with the
// platform's own words; what was not taken is kept and sent again at the next answer and at the
// end. A throwing LMSInitialize is a refusal. Without a platform nothing is sent.
import {i18n} from '../from-head.js';

export const walkLms = (function () {
  const t = i18n.t;
  const note = document.getElementById('lms-note');
  const state = {
    api: null,  // the platform's API object, where there is one
    open: false,  // its session, opened and not yet finished
    started: 0,  // when the session opened, for cmi.core.session_time
    review: false,  // the platform holds an attempt already over: nothing is sent
    unsent: new Map(),  // element -> value, in the order they go, not yet taken
    uncommitted: false,  // values taken but not yet committed
    interactions: 0,  // the next interaction's number: after those the platform holds from earlier sessions
  };

  // The API object in `win` or its parents, seven levels at most.
  function search(win) {
    for (let level = 0; win && level <= 7; ++level) {
      try {
        if (win.API) return win.API;
      } catch (_) {
        return null;  // a parent of another origin
      }
      if (win.parent === win) break;
      win = win.parent;
    }
    return null;
  }

  // One call to the API: its answer as a string, or null when it threw.
  function call(name, ...args) {
    try {
      return String(state.api[name](...args));
    } catch (_) {
      return null;
    }
  }
  const get = (element) => call('LMSGetValue', element) ?? '';

  // The platform's own words for its last error; those of what it threw when it cannot say.
  function words() {
    const code = call('LMSGetLastError');
    const said = code === null ? null : call('LMSGetErrorString', code);
    return said && said.trim() ? said.trim() : t('practice.lms-no-words');
  }

  function warn(key) {
    note.textContent = t(key, {why: words()});
    note.hidden = false;
  }

  // Sends what is unsent, in order, and commits: true when the platform took it all.
  function flush() {
    if (!state.open) return false;
    for (const [element, value] of state.unsent) {
      if (call('LMSSetValue', element, value) !== 'true') return warn('practice.lms-failed'), false;
      state.unsent.delete(element);
      state.uncommitted = true;
    }
    if (state.uncommitted) {
      if (call('LMSCommit', '') !== 'true') return warn('practice.lms-failed'), false;
      state.uncommitted = false;
    }
    note.hidden = true;
    note.textContent = '';
    return true;
  }

  // HHHH:MM:SS.SS, as SCORM 1.2 writes a span of time, from milliseconds.
  function span(ms) {
    const hundredths = Math.max(0, Math.round(ms / 10)), seconds = Math.floor(hundredths / 100), two = (n) => String(n).padStart(2, '0');
    return `${String(Math.floor(seconds / 3600)).padStart(4, '0')}:${two(Math.floor(seconds / 60) % 60)}:${two(seconds % 60)}.${two(hundredths % 100)}`;
  }
  // HH:MM:SS, the time of day.
  const clock = (date) => [date.getHours(), date.getMinutes(), date.getSeconds()].map((n) => String(n).padStart(2, '0')).join(':');

  // Opens the session, once a page. Resolves what the platform holds of this learner's attempt:
  // null without a platform, {refused: true} when it would not open a session, or {over, status,
  // suspended, mastery}: `over` when the attempt has ended or is only to be looked at (then nothing
  // will be sent), the answers it kept, and its mastery score when it gives one within 0 to 100.
  function open() {
    if (state.api) return null;
    state.api = search(window) || (window.opener ? search(window.opener) : null);
    if (!state.api) return null;
    if (call('LMSInitialize', '') !== 'true') {
      warn('practice.lms-refused');
      return {refused: true};
    }
    state.open = true;
    state.started = Date.now();
    addEventListener('pagehide', finish);
    const status = get('cmi.core.lesson_status'), mode = get('cmi.core.lesson_mode');
    state.interactions = Number(get('cmi.interactions._count')) || 0;
    state.review = ['passed', 'failed', 'completed'].includes(status) || ['review', 'browse'].includes(mode);
    const asked = get('cmi.student_data.mastery_score').trim();
    const mastery = /^[0-9]+(\.[0-9]+)?$/.test(asked) && Number(asked) <= 100 ? Number(asked) : null;
    if (!state.review && status !== 'incomplete') state.unsent.set('cmi.core.lesson_status', 'incomplete'), flush();
    return {over: state.review, status, suspended: get('cmi.suspend_data'), score: get('cmi.core.score.raw'), mastery};
  }

  // Whether the page runs inside a platform, a session open or not.
  const inside = () => Boolean(state.api);

  function score(right, count) {
    state.unsent.set('cmi.core.score.raw', String(Math.round((100 * right) / count)));
    state.unsent.set('cmi.core.score.min', '0');
    state.unsent.set('cmi.core.score.max', '100');
  }

  // An answer, the next interaction: `id` naming its question, `choice` whether it is E or SE
  // (sent as the keys that answer them, e and s), `value` and `expected`, `ok`, `latency` in ms
  // and `at` the Date it was given; the set's `right` and `count` so far, `suspended` the answers
  // to resume with and `next` the next question's number.
  function answer({id, choice, value, expected, ok, latency, at, right, count, suspended, next}) {
    if (!state.open || state.review) return;
    const as = (v) => (choice ? (v === 'E' ? 'e' : 's') : String(v));
    const base = `cmi.interactions.${state.interactions++}.`;
    for (const [name, v] of [['id', id], ['type', choice ? 'choice' : 'numeric'], ['student_response', as(value)],
                             ['correct_responses.0.pattern', as(expected)], ['result', ok ? 'correct' : 'wrong'],
                             ['latency', span(latency)], ['time', clock(at)]]) {
      state.unsent.set(base + name, v);
    }
    score(right, count);
    state.unsent.set('cmi.suspend_data', suspended);
    state.unsent.set('cmi.core.lesson_location', String(next));
    state.unsent.set('cmi.core.exit', 'suspend');
    flush();
  }

  // The last answer sent (with the score): passed or failed against `mastery`, and the session
  // ends if all went.
  function end({right, count, mastery}) {
    if (!state.open || state.review) return;
    const raw = Math.round((100 * right) / count);
    state.unsent.set('cmi.core.lesson_status', raw >= mastery ? 'passed' : 'failed');
    state.unsent.set('cmi.core.exit', '');
    if (flush()) finish();
  }

  function finish() {
    if (!state.open) return;
    if (!state.review) {
      state.unsent.set('cmi.core.session_time', span(Date.now() - state.started).slice(0, -3));
      flush();
    }
    state.open = false;
    call('LMSFinish', '');
  }

  return {open, inside, answer, end};
})();
