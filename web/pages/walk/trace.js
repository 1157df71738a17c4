// The explainer's numbers. Everything the page shows of the walk comes from the rasterisers built
// for the browser (midpoint-walk.js): the trace of a mode at a radius, as midpoint-walk --json
// prints it (with each state's F(M), midpoint and lines of the source run there) but for its draws,
// which come apart as numbers, the variants of
// the outline's walk, the draws of a pass, and the rasterisers' source text. This file reads them and
// keeps them in the forms the page draws from; nothing here walks or decides a move.
const walkTrace = (function () {
  // The module is compiled at once, as this line runs (see the pages' CMakeLists.txt), which the
  // browsers do on the main thread for a module of this size (Chromium from version 115). One that
  // refused would fail the walk alone: the scripts after this one, in the same file, still run.
  // Its bytes, as base64 in midpoint-walk.js, are read by the browser's own decoder where it has one.
  const bytes = (base64) => (Uint8Array.fromBase64 ? Uint8Array.fromBase64(base64) : Uint8Array.from(atob(base64), (c) => c.charCodeAt(0)));
  const compiling = (async () => createWalkModule({wasmBinary: bytes(walkWasmBase64)}))();
  let module = null;
  const modes = [];
  const source = {file: '', text: ''};  // the rasterisers' source, whose lines the trace names
  const limits = {radius: 0};  // the largest radius the page offers, the program's

  async function start() {
    module = await compiling;
    for (let i = 0; i < module._walkModeCount(); ++i) modes.push(module.UTF8ToString(module._walkModeName(i)));
    source.file = module.UTF8ToString(module._walkSourceFile());
    source.text = module.UTF8ToString(module._walkSource());
    limits.radius = module._walkPageRadiusLimitValue();
  }

  // The walk of `mode` at `radius`, with its draws as cells of the grid: the plane from -(r + 1) to
  // r + 1 each way (`span` a side, row-major from the top), all positions one after another, those
  // of position p being cells[offsets[p]] up to cells[offsets[p + 1]], so that offsets[p + 1] is
  // also the draws up to and including position p. Positions are the states, then, when the mode
  // draws after the walk (the extents' rows), one more for those draws (`afterCount` of them).
  function load(mode, radius) {
    const walk = JSON.parse(module.UTF8ToString(module._walkJson(modes.indexOf(mode), radius)));
    // Where each state's draws begin, then the draws after the walk, then none; read before the
    // module runs again.
    const states = walk.steps.length, startsAt = module._walkDrawStarts() / 4, drawsAt = module._walkDraws() / 4;
    const starts = module.HEAP32.slice(startsAt, startsAt + states + 2), xy = module.HEAP32.subarray(drawsAt, drawsAt + 2 * starts[states + 1]);
    const span = 2 * radius + 3;
    walk.span = span;
    walk.cellAt = (x, y) => (radius + 1 - y) * span + (x + radius + 1);
    walk.afterCount = starts[states + 1] - starts[states];
    walk.lastPosition = states - (walk.afterCount ? 0 : 1);
    walk.offsets = Array.from(starts.subarray(0, walk.lastPosition + 2));  // the first state's draws begin at 0
    walk.drawCount = (p) => walk.offsets[p + 1] - walk.offsets[p];
    walk.cells = new Int32Array(walk.offsets[walk.lastPosition + 1]);
    walk.firstDrawnAt = new Int32Array(span * span).fill(-1);  // cell -> the position that first drew it
    for (let p = 0; p <= walk.lastPosition; ++p) {
      for (let n = walk.offsets[p]; n < walk.offsets[p + 1]; ++n) {
        const at = walk.cellAt(xy[2 * n], xy[2 * n + 1]);
        if (walk.firstDrawnAt[at] < 0) walk.firstDrawnAt[at] = p;
        walk.cells[n] = at;
      }
    }
    return walk;
  }

  // The outline's variants at `radius`: {radius, variants: [{name, pixels: [[x, y], ...], differ}]}.
  const variants = (radius) => JSON.parse(module.UTF8ToString(module._walkVariantsJson(radius)));

  // The draws of one pass of `mode` at `radius`, counted by the rasteriser itself.
  const drawCount = (mode, radius) => module._walkDrawCount(modes.indexOf(mode), radius);

  return {start, modes, source, load, variants, drawCount, get radiusLimit() { return limits.radius; }};
})();
