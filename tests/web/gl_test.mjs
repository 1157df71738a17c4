// The web build's GL unit leaves out lines that cannot change a pixel. Here every scene of
// gl-scenes.js is drawn with that culling on and plainly, every line sent, and the two pictures
// must be the same, byte for byte, RGBA; the scenes must draw something (the flat quad red, and
// nothing of it blue), and face-on discs must still be culled (the back faces, the edges seen
// end-on), or the page would lose its speed without a test noticing.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import {until, watch} from './browser.mjs';
import {useSite} from './site.mjs';

const site = useSite({'/scenes/': process.env.TEST_PAGES});

test('every scene gives the same pixels with culling on and off', async (t) => {
  const page = await site.browser.newPage();
  const problems = watch(page);
  const lines = [];
  page.on('console', (m) => { if (m.type() === 'log') lines.push(m.text()); });
  await page.goto(new URL('/scenes/index.html', site.base).href);
  await until(() => lines.includes('ready'), 'the scenes program');
  const results = await page.evaluate(() => {
    const gl = Module.ctx, width = gl.drawingBufferWidth, height = gl.drawingBufferHeight;
    let sent = 0;
    const drawArrays = gl.drawArrays.bind(gl);
    gl.drawArrays = (mode, first, count) => { sent += mode === gl.LINES ? count / 2 : 0; drawArrays(mode, first, count); };
    const draw = (scene, culling) => {
      sent = 0;
      Module._glDrawScene(scene, culling);
      const pixels = new Uint8Array(width * height * 4);
      gl.readPixels(0, 0, width, height, gl.RGBA, gl.UNSIGNED_BYTE, pixels);
      return {pixels, sent};
    };
    const results = [];
    for (let scene = 0; scene < Module._glSceneCount(); ++scene) {
      const on = draw(scene, 1), off = draw(scene, 0);
      let differ = 0, first = -1, red = 0, blue = 0;
      for (let i = 0; i < on.pixels.length; i += 4) {
        if (on.pixels[i] !== off.pixels[i] || on.pixels[i + 1] !== off.pixels[i + 1] || on.pixels[i + 2] !== off.pixels[i + 2] ||
            on.pixels[i + 3] !== off.pixels[i + 3]) {
          if (differ++ === 0) first = i / 4;
        }
        if (off.pixels[i] > 200 && off.pixels[i + 1] < 80 && off.pixels[i + 2] < 80) ++red;
        if (off.pixels[i] < 80 && off.pixels[i + 1] < 80 && off.pixels[i + 2] > 200) ++blue;
      }
      results.push({name: UTF8ToString(Module._glSceneName(scene)), differ,
                    where: first < 0 ? null : [first % width, Math.floor(first / width)], red, blue, sent: on.sent, all: off.sent});
    }
    return results;
  });
  for (const r of results) {
    t.diagnostic(`${r.name}: ${r.sent} of ${r.all} lines sent`);
    assert.ok(r.red > 0, `${r.name}: the scene draws red pixels`);
    assert.equal(r.differ, 0, `${r.name}: ${r.differ} pixels differ with culling on, the first at ${r.where}`);
  }
  assert.equal(results.find((r) => r.name.includes('flat-shaded')).blue, 0, 'a flat quad takes its fourth vertex\'s colour');
  for (const r of results.filter((r) => /^(spans|extents), radius 20, face-on/.test(r.name))) {
    assert.ok(r.sent < 0.5 * r.all, `${r.name}: the back faces and the edges seen end-on are left out (${r.sent} of ${r.all})`);
  }
  assert.deepEqual(problems, [], 'no error, no failed request');
  await page.close();
});
