// The SCORM 1.2 packages: the build's, and one that teacher.html makes in the browser for a
// teacher's choices, each with the ADL schema files at its root and a manifest that validates
// against them (xmllint), the teacher's link and package carrying those choices, and the package
// run by a platform that scorm-again plays.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import path from 'node:path';
import {useSite} from './site.mjs';
import {unzipped, validated} from './scorm.mjs';

const site = useSite();
const schemas = ['adlcp_rootv1p2.xsd', 'ims_xml.xsd', 'imscp_rootv1p1p2.xsd', 'imsmd_rootv1p2p1.xsd'];

test('the build\'s package: seed 2026 and the defaults, the schema files at its root, its manifest valid against them', () => {
  const pkg = unzipped(path.join(site.path, '..', 'midpoint-practice-scorm12.zip'));
  assert.deepEqual(schemas.filter((file) => !pkg.files.includes(file)), []);
  assert.deepEqual([pkg.launch, pkg.mastery], ['walk.html?practice=2026', '80']);
  const {status, said} = validated(pkg);
  assert.equal(status, 0, said);
  assert.match(said, /imsmanifest\.xml validates$/m);
});
