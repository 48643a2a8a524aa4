// Measures the worst-case solver run (all 95040 states) side by side: the native program and the
// node program as whole processes, the terminal page in Chromium from the Enter that completes the
// final state to the report on the screen, and the visual page from the Solve to its report. Also
// the visual page opened from its file until it takes a move, and one move from the key to the new
// state and its distance on the board, and a new target's distance table. Prints the median of
// each over RUNS runs, alternating, and the distance table's size.
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

// The visual page's worst-case solve, from the Solve to the report on the page.
function timeBoardSolve(page) {
  return page.evaluate((final) => new Promise((resolve) => {
    const report = document.getElementById('investigated');
    report.textContent = '';
    document.getElementById('target').value = final;
    const start = performance.now();
    new MutationObserver((_, observer) => {
      if (!report.textContent.startsWith('Investigated 95040')) return;
      observer.disconnect();
      resolve(performance.now() - start);
    }).observe(report, { childList: true });
    document.getElementById('target-form').requestSubmit();
  }), kFinal);
}

// One move on the visual page: from the key to the board that holds the new state.
function timeBoardMove(page) {
  return page.evaluate(() => {
    const board = document.getElementById('board');
    const before = board.firstChild.dataset.value;
    const start = performance.now();
    board.dispatchEvent(new KeyboardEvent('keydown', { key: 'l', bubbles: true }));
    const milliseconds = performance.now() - start;
    if (board.firstChild.dataset.value === before) throw new Error('the key moved nothing');
    return milliseconds;
  });
}

// A new target on the visual page: from the change of the Target field to its distance table
// made and every distance shown.
function timeNewTarget(page, target) {
  return page.evaluate((values) => {
    const field = document.getElementById('target');
    field.value = values;
    const start = performance.now();
    field.dispatchEvent(new Event('change'));
    const milliseconds = performance.now() - start;
    if (!location.hash.endsWith(values.replace(/ /g, ','))) throw new Error('the target was not taken');
    return milliseconds;
  }, target);
}

// The bytes of one distance table, as the core counts them (the core run under node).
async function tableBytes(folder) {
  const fs = require('fs');
  const hex = /'([0-9a-f]+)'/.exec(fs.readFileSync(path.join(folder, 'board-core-wasm.js'), 'utf8'))[1];
  const createBoardCore = require(path.join(folder, 'board-core.js'));
  const core = await createBoardCore({ wasmBinary: Buffer.from(hex, 'hex') });
  const target = core._malloc(4 * 12);
  core.HEAP32.set([1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12], target / 4);
  core._boardDistancesTo(target);
  return core._boardDistanceBytes();
}

// The visual page opened from its file, until it takes a move: the time since the start of the
// navigation at which it marked itself ready.
async function timeBoardReady(folder) {
  const opened = await openPage(folder, { file: 'index.html' });
  let ready = '';
  while (!ready) ready = await opened.page.evaluate(() => document.body.dataset.ready || '');
  await opened.close();
  return Number(ready);
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

async function main() {
  const folder = path.resolve(pageFolder);
  const opened = await openPage(folder, { file: 'terminal.html' });
  await b.focusTerminal(opened.page);
  const board = await openPage(folder, { file: 'index.html' });
  const times = { native: [], node: [], page: [], 'visual page solve': [], 'visual page move': [],
                  'visual page ready': [], 'visual page new target (default)': [],
                  'visual page new target (32-bit values)': [] };
  const kWide = '-2147483648 2147483647 -5 7 1000000 -1000000 3 0 99 -99 123456789 -123456789';
  for (let i = 0; i < Number(runs); i++) {
    times.native.push(timeProcess(nativeProgram, []));
    times.node.push(timeProcess('node', [nodeProgram]));
    times.page.push(await timePage(opened.page));
    times['visual page solve'].push(await timeBoardSolve(board.page));
    times['visual page move'].push(await timeBoardMove(board.page));
    times['visual page ready'].push(await timeBoardReady(folder));
    times['visual page new target (32-bit values)'].push(await timeNewTarget(board.page, kWide));
    times['visual page new target (default)'].push(await timeNewTarget(board.page, '1 2 3 4 5 6 7 8 9 10 11 12'));
  }
  await opened.close();
  await board.close();
  console.log(`distance table: ${((await tableBytes(folder)) / 2 ** 20).toFixed(2)} MiB`);
  for (const [name, values] of Object.entries(times)) {
    console.log(`${name}: median ${median(values).toFixed(1)} ms of ${values.map((v) => v.toFixed(0)).join(' ')}`);
  }
}

main().catch((error) => {
  console.error(error.stack || String(error));
  process.exit(1);
});
