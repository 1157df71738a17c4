// The explainer's numbers. Everything the page shows of the walk comes from the rasterisers built
// for the browser (midpoint-walk.js): the record of a mode's walk at a radius (walk/include/walk/walk.h,
// WalkPart), with each state's F(M), midpoint and lines of the source run there, its draws and the
// lines of the code to show, the variants of the outline's walk with their pixels apart from the
// walk's, the draws of a pass, and the rasterisers' source text. This file reads them, as ints from
// the module's memory, and keeps them in the forms the page draws from; nothing here walks, decides
// a move or works a number out.
export const walkTrace = (function () {
  // The module is compiled at once, as this line runs (see the pages' CMakeLists.txt), which the
  // browsers do on the main thread for a module of this size (Chromium from version 115). One that
  // refused would fail the walk alone: the scripts after this one, in the same file, still run.
  // Its bytes, as base64 in midpoint-walk.js, are read by the browser's own decoder where it has one.
  const bytes = (base64) => (Uint8Array.fromBase64 ? Uint8Array.fromBase64(base64) : Uint8Array.from(atob(base64), (c) => c.charCodeAt(0)));
  const compiling = (async () => createWalkModule({wasmBinary: bytes(walkWasmBase64)}))();
  // Filled once the module is there (start): the modes and the source as the page reads them.
  const modes = [];
  const source = {file: '', text: ''};  // the rasterisers' source, whose lines the trace names
  const loaded = {
    module: null,
    radiusLimit: 0,  // the largest radius the page offers, the program's
  };

  async function start() {
    const module = loaded.module = await compiling;
    for (let i = 0; i < module._walkModeCount(); ++i) modes.push(module.UTF8ToString(module._walkModeName(i)));
    source.file = module.UTF8ToString(module._walkSourceFile());
    source.text = module.UTF8ToString(module._walkSource());
    loaded.radiusLimit = module._walkPageRadiusLimitValue();
  }

  // A part of the record, as walk.h numbers them (WalkPart), in the module's memory: valid until
  // the module runs again.
  const part = {header: 0, states: 1, lines: 2, lineStarts: 3, decision: 4, runs: 5, runStarts: 6, code: 8};
  const view = (p) => {
    const module = loaded.module, at = module._walkPartData(p) / 4;
    return module.HEAP32.subarray(at, at + module._walkPartSize(p));
  };
  const moves = [null, 'E', 'SE'];

  // The walk of `mode` at `radius`, with its draws as cells of the grid: the plane from -(r + 1) to
  // r + 1 each way (`span` a side, row-major from the top), all positions one after another, those
  // of position p being cells[offsets[p]] up to cells[offsets[p + 1]], so that offsets[p + 1] is
  // also the draws up to and including position p. Positions are the states, then, when the mode
  // draws after the walk (the extents' rows), one more for those draws (`afterCount` of them).
  // `code`: the lines of the source to show, the walk the modes share and the mode's function.
  function load(mode, radius) {
    const states = loaded.module._walkLoad(modes.indexOf(mode), radius);
    const header = view(part.header), fields = view(part.states), lines = view(part.lines), lineStarts = view(part.lineStarts);
    const runs = view(part.runs), runStarts = view(part.runStarts), code = view(part.code);
    const linesAt = (p) => Array.from(lines.subarray(lineStarts[p], lineStarts[p + 1]));
    const steps = new Array(states);
    const stride = fields.length / states;  // walk.h's walkStateFields, from the record's own sizes
    const runWidth = runs.length / runStarts[states + 1];  // and its walkRunFields, runStarts ending with the runs' number
    for (let p = 0, f = 0; p < states; ++p, f += stride) {  // x, y, d, move, F(M) in quarters, M's x and y in halves
      steps[p] = {x: fields[f], y: fields[f + 1], d: fields[f + 2], move: moves[fields[f + 3]], fm: fields[f + 4] / 4,
                  midpoint: [fields[f + 5], fields[f + 6] / 2], lines: linesAt(p)};
    }
    const span = 2 * radius + 3;
    const walk = {mode, radius, steps, afterLines: linesAt(states), decision: Array.from(view(part.decision)), total: header[3],
                  code: {shared: [code[0], code[1]], own: [code[2], code[3]]}, span};
    walk.cellAt = (x, y) => (radius + 1 - y) * span + (x + radius + 1);
    walk.cells = new Int32Array(header[3]);
    walk.firstDrawnAt = new Int32Array(span * span).fill(-1);  // cell -> the position that first drew it
    const offsets = [0];
    let n = 0;
    for (let p = 0; p <= states; ++p) {
      for (let i = runWidth * runStarts[p]; i < runWidth * runStarts[p + 1]; i += runWidth) {  // x, y, count, paired: as walk.h's WalkRunField
        const x = runs[i], y = runs[i + 1], count = runs[i + 2], paired = runs[i + 3];
        for (let k = 0; k < count; ++k) {
          const at = paired ? walk.cellAt(x + (k >> 1), k & 1 ? -y : y) : walk.cellAt(x + k, y);
          if (walk.firstDrawnAt[at] < 0) walk.firstDrawnAt[at] = p;
          walk.cells[n++] = at;
        }
      }
      offsets.push(n);
    }
    walk.afterCount = offsets[states + 1] - offsets[states];
    walk.lastPosition = states - (walk.afterCount ? 0 : 1);
    walk.offsets = offsets.slice(0, walk.lastPosition + 2);
    walk.drawCount = (p) => walk.offsets[p + 1] - walk.offsets[p];
    return walk;
  }

  // The outline's variants at `radius`: {radius, variants: [{name, pixels, differ, only, missing}]},
  // `pixels` and `differ` counts, `only` the pixels [x, y] the variant gives and the walk does not,
  // `missing` the reverse.
  function variants(radius) {
    const module = loaded.module, size = module._walkVariantsAt(radius), at = module._walkVariantsData() / 4;
    const data = module.HEAP32.subarray(at, at + size), list = [];
    const pixels = (from, count) => Array.from({length: count}, (_, k) => [data[from + 2 * k], data[from + 2 * k + 1]]);
    for (let i = 0, v = 0; i < size; ++v) {
      const [count, differ, only, missing] = data.subarray(i, i + 4);
      list.push({name: module.UTF8ToString(module._walkVariantName(v)), pixels: count, differ,
                 only: pixels(i + 4, only), missing: pixels(i + 4 + 2 * only, missing)});
      i += 4 + 2 * (only + missing);
    }
    return {radius, variants: list};
  }

  // The draws of one pass of `mode` at `radius`, counted by the rasteriser itself.
  const drawCount = (mode, radius) => loaded.module._walkDrawCount(modes.indexOf(mode), radius);

  return {start, modes, source, load, variants, drawCount, get radiusLimit() { return loaded.radiusLimit; }};
})();
