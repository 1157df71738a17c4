// SCORM 1.2 packages as a learning platform takes them: unzipped, the manifest validated against
// the ADL schema files that the package holds, and run with scorm-again's run-time as window.API,
// the manifest's launch page in a frame.
import {execFileSync, spawnSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {serve} from './browser.mjs';

// The package `zip` unzipped: {dir, files (those at its root, and below), manifest, launch, mastery}.
export function unzipped(zip) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'lms-'));
  execFileSync('python3', ['-m', 'zipfile', '-e', zip, path.join(dir, 'package')]);
  const manifest = fs.readFileSync(path.join(dir, 'package', 'imsmanifest.xml'), 'utf8');
  const launch = /adlcp:scormtype="sco" href="([^"]+)"/.exec(manifest)[1].replace(/&amp;/g, '&');
  const mastery = /<adlcp:masteryscore>([^<]*)<\/adlcp:masteryscore>/.exec(manifest)?.[1];
  const files = fs.readdirSync(path.join(dir, 'package'), {recursive: true}).sort();
  return {dir, files, manifest, launch, mastery};
}

// xmllint's verdict on the manifest against the schema files that its xsi:schemaLocation names,
// each from the package itself (no network): {status, said}. The package's root schema does not
// import the others' namespaces, so one schema outside the package imports them all, as a
// validator reading xsi:schemaLocation would.
export function validated({dir, manifest}) {
  const named = /xsi:schemaLocation="([^"]+)"/.exec(manifest)[1].trim().split(/\s+/);
  const imports = [];
  for (let i = 0; i < named.length; i += 2) {
    imports.push(`<xsd:import namespace="${named[i]}" schemaLocation="${path.join(dir, 'package', named[i + 1])}"/>`);
  }
  const schema = path.join(dir, 'named.xsd');
  fs.writeFileSync(schema, `<xsd:schema xmlns:xsd="http://www.w3.org/2001/XMLSchema">${imports.join('')}</xsd:schema>\n`);
  const run = spawnSync('xmllint', ['--noout', '--nonet', '--schema', schema, path.join(dir, 'package', 'imsmanifest.xml')], {encoding: 'utf8'});
  return {status: run.status, said: run.stderr};
}

// The platform for the unzipped package `pkg`, served: its course page's address, and `close`.
// In the course page, `said` keeps what the package sent (each raw score, the session time,
// whether it finished). The manifest's mastery score reaches the run-time as a platform gives it.
// `launch`: another address in the package to start; `setup`: a script run on the run-time (API)
// before the launch, as a platform that kept a learner's data, or one that fails, would be.
export async function platform(pkg, {launch = pkg.launch, setup = ''} = {}) {
  fs.copyFileSync(new URL('node_modules/scorm-again/dist/scorm12.min.js', import.meta.url), path.join(pkg.dir, 'scorm12.min.js'));
  const mastery = pkg.mastery === undefined ? '' : `API.cmi.student_data.mastery_score = ${JSON.stringify(pkg.mastery)};`;
  fs.writeFileSync(path.join(pkg.dir, 'course.html'), `<!doctype html><title>course</title><link rel="icon" href="data:,"><script src="scorm12.min.js"></script>
    <script>window.API = new Scorm12API({logLevel: 5}); window.said = {raw: [], time: null, finished: false}; ${mastery}
      API.on('LMSSetValue.cmi.core.score.raw', (element, value) => said.raw.push(value));
      API.on('LMSSetValue.cmi.core.session_time', (element, value) => { said.time = value; });
      API.on('LMSFinish', () => { said.finished = true; }); ${setup}</script>
    <iframe src="package/${launch.replace(/&/g, '&amp;')}" width="1200" height="900"></iframe>`);
  const server = await serve({'/lms/': pkg.dir});
  return {url: `http://127.0.0.1:${server.address().port}/lms/course.html`,
          close: () => { server.closeAllConnections(); server.close(); }};
}
