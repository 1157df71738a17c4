// A learning platform's gradebook, through SCORM 1.2: when the page runs a practice set inside a
// platform that offers SCORM's API object (found as the standard says, through the parents and
// then the opener), it starts a session, says the score after every answer, and at the end passed
// or failed against the mastery score; the session ends with the set, or when the page goes.
// Without a platform nothing changes; a platform that refuses the session leaves the page
// working, with a line that says so.
import {i18n} from '../from-head.js';

export const walkLms = (function () {
  let api = null, started = 0, finished = false;
  let retake = false;  // the platform holds a result of an earlier attempt: it stands until this one ends
  const mastery = 80;  // as the package's manifest gives it, unless the platform says otherwise

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

  const set = (name, value) => api.LMSSetValue(name, String(value));

  // HHHH:MM:SS, as SCORM 1.2 writes a span of time.
  function sessionTime() {
    const seconds = Math.round((Date.now() - started) / 1000);
    const two = (n) => String(n).padStart(2, '0');
    return `${String(Math.floor(seconds / 3600)).padStart(4, '0')}:${two(Math.floor(seconds / 60) % 60)}:${two(seconds % 60)}`;
  }

  // Once a page: a set started again afterwards is practice alone, its session being over.
  function start() {
    if (started || finished) return;
    api = search(window) || (window.opener ? search(window.opener) : null);
    if (!api) return;
    if (String(api.LMSInitialize('')) !== 'true') {
      api = null;
      const note = document.getElementById('lms-note');
      note.textContent = i18n.t('practice.lms-refused');
      note.hidden = false;
      return;
    }
    started = Date.now();
    // Begun; a result from an earlier attempt stays until this one ends.
    retake = ['passed', 'failed', 'completed'].includes(api.LMSGetValue('cmi.core.lesson_status'));
    if (!retake) set('cmi.core.lesson_status', 'incomplete');
    api.LMSCommit('');
    addEventListener('pagehide', finish);
  }

  function score(right, asked, commit = true) {
    if (!api || finished || (retake && commit)) return;
    set('cmi.core.score.raw', Math.round((100 * right) / asked));
    set('cmi.core.score.min', 0);
    set('cmi.core.score.max', 100);
    if (commit) api.LMSCommit('');
  }

  function end(right, asked) {
    if (!api || finished) return;
    if (retake) score(right, asked, false);  // a retake's score, only now that it is whole
    const asks = Number(api.LMSGetValue('cmi.student_data.mastery_score'));
    set('cmi.core.lesson_status', (100 * right) / asked >= (asks > 0 ? asks : mastery) ? 'passed' : 'failed');
    finish();
  }

  function finish() {
    if (!api || finished) return;
    finished = true;
    set('cmi.core.session_time', sessionTime());
    api.LMSCommit('');
    api.LMSFinish('');
  }

  return {start, score, end};
})();
