// The same workload as evaluator_bench, drawn by node-canvas: the theme script
// is called with a document whose createElement('canvas') gives a node-canvas
// canvas, and toDataURL("image/png") is node-canvas's own.
//   node bench/node_canvas_bench.js THEME.js NODE_MODULES_DIR
'use strict';
const started = process.hrtime.bigint();
const fs = require('fs');
const path = require('path');
const [themeFile, modules] = process.argv.slice(2);
const { createCanvas } = require(path.join(modules, 'canvas'));
const version = require(path.join(modules, 'canvas', 'package.json')).version;

globalThis.document = { createElement: () => createCanvas(300, 150) };
const theme = (0, eval)('(function' + fs.readFileSync(themeFile, 'utf8') + ')');
const call = (height, level) => theme(height, level, false, false, [255, 255, 255]);

const microseconds = (f) => {
  const start = process.hrtime.bigint();
  const result = f();
  if (!result.startsWith('data:image/png;base64,')) throw new Error('no image');
  return Number(process.hrtime.bigint() - start) / 1000;
};
const median = (v) => v.slice().sort((a, b) => a - b)[Math.floor(v.length / 2)];
const alternating = (rounds) => {
  const at = { 40: [], 60: [] };
  for (let i = 0; i < rounds; i++) {
    const height = i % 2 ? 60 : 40, level = Math.floor(i / 2) % 101;
    at[height].push(microseconds(() => call(height, level)));
  }
  return [median(at[40]), median(at[60])];
};

call(40, 57);
const cold = Number(process.hrtime.bigint() - started) / 1e6;
alternating(202);
const rounds = 2020;
const [h40, h60] = alternating(rounds);
const big = [];
for (let i = 0; i < 40; i++) big.push(microseconds(() => call(800, 40 + i)));
console.log(`node-canvas ${version} (node ${process.version}), same theme and workload, ${rounds} calls`);
console.log(`  first icon of a new process (require included):     ${cold.toFixed(2).padStart(8)} ms`);
console.log(`  node-canvas, warm (eval+toDataURL):                  ${h40.toFixed(1).padStart(8)} us ${h60.toFixed(1).padStart(8)} us`);
console.log(`  800 px icon: node-canvas ${(median(big) / 1000).toFixed(2)} ms (median of 40)`);
console.log(`RESULT node ${h40} ${h60} ${median(big) / 1000} ${cold}`);
