// Measures the worst-case solver run (all 95040 states) side by side: the native program and the
// node program as whole processes, and the page in Chromium from the Enter that completes the
// final state to the report on the screen. Prints the median of each over RUNS runs, alternating.
//   node measure_solver.js NATIVE_PROGRAM NODE_PROGRAM PAGE_FOLDER [RUNS]
'use strict';

const { execFileSync } = require('child_process');
const path = require('path');
const { openPage } = require('./browser.js');
const b = require('./terminal_screen.js');

const [, , nativeProgram, nodeProgram, pageFolder, runs = '7'] = process.argv;
const kInitial = '1 2 3 4 5 6 7 8 9 10 11 12';
const kFinal = '0 1 2 3 4 5 6 7 8 9 10 11';  // reached by no move: the search takes every state
const kInput = `1\n${kInitial}\n${kFinal}\n`;

function timeProcess(command, args) {
  const start = process.hrtime.bigint();
  const out = execFileSync(command, args, { input: kInput }).toString();
  if (!out.includes('Investigated 95040 states')) throw new Error('not the worst case:\n' + out);
  return Number(process.hrtime.bigint() - start) / 1e6;
}

async function timePage(page) {
  await b.waitForEnding(page, 'simulator\n------------------------------\n');
  await b.typeLines(page, ['1', kInitial]);
  await page.keyboard.type(kFinal);
  const milliseconds = await page.evaluate(() => new Promise((resolve) => {
    const terminal = window.mathieu12Terminal;
    const start = performance.now();
    const firstRow = terminal.buffer.active.baseY + terminal.buffer.active.cursorY;
    const watch = terminal.onWriteParsed(() => {
      const buffer = terminal.buffer.active;
      for (let row = buffer.baseY + buffer.cursorY; row > firstRow; row--) {
        if (buffer.getLine(row).translateToString().startsWith('Solvability: Unsolvable')) {
          watch.dispose();
          resolve(performance.now() - start);
          return;
        }
      }
    });
    document.querySelector('.xterm-helper-textarea')
      .dispatchEvent(new KeyboardEvent('keydown', { key: 'Enter', code: 'Enter', keyCode: 13, bubbles: true }));
  }));
  await page.keyboard.press('Enter');  // starts the program again for the next run
  return milliseconds;
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

async function main() {
  const opened = await openPage(path.resolve(pageFolder), { file: 'terminal.html' });
  await b.focusTerminal(opened.page);
  const times = { native: [], node: [], page: [] };
  for (let i = 0; i < Number(runs); i++) {
    times.native.push(timeProcess(nativeProgram, []));
    times.node.push(timeProcess('node', [nodeProgram]));
    times.page.push(await timePage(opened.page));
  }
  await opened.close();
  for (const [name, values] of Object.entries(times)) {
    console.log(`${name}: median ${median(values).toFixed(1)} ms of ${values.map((v) => v.toFixed(0)).join(' ')}`);
  }
}

main().catch((error) => {
  console.error(error.stack || String(error));
  process.exit(1);
});
