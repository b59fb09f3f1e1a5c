// node wasm-numbers.mjs <dir of quorvane_core.js/.wasm> <native quorvane_web_numbers>
// Takes the steps of WebNumbers.cpp through the WebAssembly module and compares what it prints
// with the native program's output, character for character. Exits 77 (skipped) when the
// module has not been built.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';

const [dir, native] = process.argv.slice(2);
const js = path.resolve(dir, 'quorvane_core.js');
const wasm = path.resolve(dir, 'quorvane_core.wasm');
if (!fs.existsSync(js) || !fs.existsSync(wasm)) {
  console.log(`no WebAssembly build in ${dir}: skipped`);
  process.exit(77);
}
// Emscripten 3.1.6's ES6 module reaches for require and __dirname under node.
globalThis.require = createRequire(import.meta.url);
globalThis.__dirname = path.dirname(js);
const { default: createQuorvaneCore } = await import(js);
const core = await createQuorvaneCore({ wasmBinary: fs.readFileSync(wasm) });

// The same steps as Dump() in WebNumbers.cpp.
function dump(experiment) {
  core.WebWindow.resetRandom();
  const w = new core.WebWindow();
  if (experiment < 0) {
    for (const control of ['cmdGraph(1)', 'cmdGraph(8)']) w.edit(control, '');
    w.editPanel('OscillatorControl1(0)', 'cmdWorking', '');
    w.editPanel('NoiseControl1', 'cmdWorking', '');
  } else {
    w.runExperiment(experiment);
  }
  let out = '';
  for (let t = 0; t < 3; ++t) {
    w.tick();
    out += w.scene() + '\n';
  }
  // The refresh after ticks, as the page's timer takes it.
  w.render();
  for (let t = 0; t < 2; ++t) {
    w.tick();
    out += w.update() + '\n';
  }
  for (let n = 1; n <= 8; ++n) out += w.testPointToolTip(n) + '\n';
  out += w.powerOutToolTip() + '\n';
  const points = [[45, 75], [3007.5, 855], [5850, 1500]];
  for (let g = 0; g < 2; ++g) {
    for (const [x, y] of points) out += w.timeReadout(g, x, y) + '\n' + w.spectrumReadout(g, x, y) + '\n';
    out += w.copyData(g, 'time') + '\n' + w.copyData(g, 'spectrum') + '\n' + w.figure(g) + '\n';
  }
  out += w.summary() + '\n' + w.setupText() + '\n';
  w.delete();
  return out;
}

const probe = new core.WebWindow();
const experiments = JSON.parse(probe.experiments()).length;
probe.delete();
let wasmText = '';
for (let e = -1; e < experiments; ++e) wasmText += dump(e) + '===\n';
const nativeText = execFileSync(native, { encoding: 'utf8', maxBuffer: 1 << 30 });
if (wasmText === nativeText) {
  console.log(`identical: ${experiments + 1} setups, ${wasmText.length} characters`);
  process.exit(0);
}
let i = 0;
while (i < wasmText.length && wasmText[i] === nativeText[i]) ++i;
console.log(`first difference at character ${i}:`);
console.log(`native: ${JSON.stringify(nativeText.slice(Math.max(0, i - 80), i + 80))}`);
console.log(`wasm:   ${JSON.stringify(wasmText.slice(Math.max(0, i - 80), i + 80))}`);
process.exit(1);
