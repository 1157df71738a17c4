// The teacher's page, teacher.html: a practice set chosen for a class (its seed, how many
// questions, the modes, the feedback and the mastery score), its questions on view, then the link
// to it and a SCORM 1.2 package of the site on it. The set is practice-set.js's, the function
// walk.html asks it with, so what is on view is what the class gets. The package is the build's
// (scorm-package.json: the manifest's template with the site's files, and the schema files),
// filled for these choices and zipped here; nothing is built again.
import {pageAddress, i18n, pageTheme} from './from-head.js';
import {pageShare} from './share.js';
import {walkTrace} from './walk/trace.js';
import {practiceDefaults, practiceLimits, practiceNewSeed, practiceQuery, practiceSet, practiceWalks} from './walk/practice-set.js';
import {strToU8, zipSync} from 'fflate';

(async function () {
  const t = i18n.t;
  const $ = (id) => document.getElementById(id);
  const form = $('choices'), seedInput = $('seed'), questionsInput = $('questions'), masteryInput = $('mastery');
  const note = $('choice-note'), give = $('give'), link = $('set-link'), sample = $('sample').tBodies[0];
  const makeButton = $('make-package'), status = $('package-status');
  i18n.apply();
  document.title = t('teacher.title');
  i18n.linkOtherLanguage($('language'), new URLSearchParams());
  $('walk-link').href = pageAddress.link('walk.html');
  pageTheme.control($('page-tools'));
  await walkTrace.start();
  const modes = walkTrace.modes, walks = practiceWalks(walkTrace);

  const range = (input, [min, max]) => Object.assign(input, {min, max});
  range(seedInput, practiceLimits.seed);
  range(questionsInput, practiceLimits.questions);
  range(masteryInput, practiceLimits.mastery);
  const newSeed = () => { seedInput.value = practiceNewSeed(); };
  newSeed();
  questionsInput.value = practiceDefaults.questions;
  masteryInput.value = practiceDefaults.mastery;
  for (const mode of modes) {
    const label = document.createElement('label'), box = Object.assign(document.createElement('input'), {type: 'checkbox', name: 'mode', value: mode, checked: true});
    label.append(box, ' ', t(`mode.${mode}`));
    $('modes').append(label);
  }
  form.elements.feedback.value = practiceDefaults.feedback;
  const modeBoxes = [...form.elements.mode];

  // The choices as the form has them, or null with the note saying what is out of its limits.
  function choices() {
    const problems = [];
    for (const [input, key, limits] of [[seedInput, 'seed', practiceLimits.seed], [questionsInput, 'questions', practiceLimits.questions],
                                        [masteryInput, 'mastery', practiceLimits.mastery]]) {
      const ok = input.validity.valid;
      input.setAttribute('aria-invalid', String(!ok));
      if (!ok) problems.push(t(`teacher.invalid.${key}`, {min: limits[0], max: limits[1]}));
    }
    const chosen = modeBoxes.filter((box) => box.checked).map((box) => box.value);
    $('modes').setAttribute('aria-invalid', String(!chosen.length));
    if (!chosen.length) problems.push(t('teacher.invalid.modes'));
    note.textContent = problems.join(' ');
    if (problems.length) return null;
    return {seed: Number(seedInput.value), questions: Number(questionsInput.value), modes: chosen,
            feedback: form.elements.feedback.value, mastery: Number(masteryInput.value)};
  }

  const kindOf = (q) => (q.before ? 'move-before' : q.kind);
  const state = {
    chosen: null,  // the choices on show, or null while one is out of its limits
    query: '',  // their address
    saved: null,  // the last package's object URL, revoked when another is made
  };
  function show() {
    state.chosen = choices();
    give.hidden = !state.chosen;
    if (!state.chosen) return;
    state.query = String(practiceQuery(state.chosen, modes));
    link.href = `walk.html?${state.query}`;
    link.textContent = link.href;
    status.textContent = '';
    const rows = practiceSet(state.chosen, walks).map((q, i) => {
      const row = document.createElement('tr');
      for (const text of [i + 1, t(`teacher.kind.${kindOf(q)}`), t(`mode.${q.mode}`), q.radius, q.step ?? '']) {
        row.append(Object.assign(document.createElement('td'), {textContent: text}));
      }
      return row;
    });
    sample.replaceChildren(...rows);
  }
  form.addEventListener('input', show);
  form.addEventListener('submit', (event) => {
    event.preventDefault();
    show();
  });
  $('new-seed').addEventListener('click', () => { newSeed(); show(); });
  show();

  $('copy-link').addEventListener('click', async () => {
    const done = await pageShare.copy(link.href, $('copy-link'));
    $('copied').textContent = '';
    requestAnimationFrame(() => { $('copied').textContent = t(done ? 'share.copied' : 'share.failed'); });  // said again on a second copy
  });

  // The package for the choices on show: the build's template filled as the build fills it, with
  // the launch address written into XML, and every file fetched from the site beside this page.
  const xml = (text) => text.replace(/&/g, '&amp;').replace(/"/g, '&quot;').replace(/</g, '&lt;');
  async function fetched(file) {
    const response = await fetch(file);
    if (!response.ok) throw new Error(`${file}: HTTP ${response.status}`);
    return new Uint8Array(await response.arrayBuffer());
  }
  async function packageOf({seed, questions, mastery}) {
    const site = JSON.parse(new TextDecoder().decode(await fetched('scorm-package.json')));
    const values = {SEED: seed, QUESTIONS: questions, MASTERY: mastery, LAUNCH: xml(`walk.html?${state.query}`)};
    const files = {'imsmanifest.xml': strToU8(site.manifest.replace(/@(SEED|QUESTIONS|MASTERY|LAUNCH)@/g, (_, name) => values[name]))};
    const names = [...site.schemas, ...site.files];
    const bytes = await Promise.all(names.map(fetched));
    names.forEach((name, i) => { files[name] = bytes[i]; });
    return zipSync(files);
  }
  makeButton.addEventListener('click', async () => {
    if (!state.chosen) return;
    const file = `midpoint-practice-${state.chosen.seed}-scorm12.zip`;
    makeButton.disabled = true;
    status.textContent = t('teacher.making');
    try {
      const zip = await packageOf(state.chosen);
      if (state.saved) URL.revokeObjectURL(state.saved);
      state.saved = URL.createObjectURL(new Blob([zip], {type: 'application/zip'}));
      const save = Object.assign(document.createElement('a'), {href: state.saved, download: file});
      document.body.append(save);
      save.click();
      save.remove();
      status.textContent = t('teacher.made', {file});
    } catch (error) {
      status.textContent = location.protocol === 'file:' ? t('teacher.from-folder') : t('teacher.failed', {why: error.message});
    } finally {
      makeButton.disabled = false;
    }
  });
  document.body.dataset.ready = 'true';
})();
