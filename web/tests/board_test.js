// The visual page in a real browser, used as a person uses it (buttons, keys, taps, typed fields,
// the address), checked against the native program's simulator and run report.
//   node board_test.js --list                                  the tests' names, one a line
//   node board_test.js NAME ENGINE PAGE_FOLDER NATIVE_PROGRAM README OUTPUT_FOLDER
'use strict';

const assert = require('assert/strict');
const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const { runTestFile, waitFor } = require('./browser.js');

const [, , , engine, , nativeProgram, , outputFolder] = process.argv;
const kDefault = [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12];
const kAxeTags = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'];

const native = (input) => execFileSync(nativeProgram, [], { input, stdio: ['pipe', 'pipe', 'ignore'] })
  .toString().split('\n');
// The native simulator's state after `tokens`, typed one a line from `start`.
const simulated = (start, tokens) => native(`2\n${start.join(' ')}\n${tokens.join('\n')}\n`)
  .filter((line) => line.includes('Current state: ')).at(-1).split('Current state: ')[1].trim();
// The native run report's lines from `from` to `to`.
const report = (from, to) => native(`1\n${from.join(' ')}\n${to.join(' ')}\n`);
// The native shortest solution's letters from `from` to `to`, or null when it is unsolvable.
function solution(from, to) {
  const lines = report(from, to);
  if (lines.some((line) => line === 'Solvability: Unsolvable')) return null;
  return (lines.find((line) => line.startsWith('Shortest solution: ')) || '').slice(19);
}
const movesCount = (count) => (count === 1 ? '1 move' : `${count} moves`);
// The page's words for the distance that the native solution `letters` gives.
const distanceWords = (letters) => (letters === null ? 'Out of reach' : letters === '' ? 'At the target' : movesCount(letters.length));

// A generator of numbers in [0, 1) from a seed, so that a failing sequence can be played again.
function seeded(seed) {
  let x = seed;
  return () => ((x = (Math.imul(x, 1103515245) + 12345) >>> 0) / 2 ** 32);
}
const seed = Number(process.env.MATHIEU12_SEED || Date.now() % 100000);

const boardText = (page) => page.evaluate(() => [...document.querySelectorAll('#board [role="listitem"]')]
  .map((item, i) => { if (item.dataset.position !== String(i + 1)) throw new Error('order'); return item.dataset.value; })
  .join(' '));
const text = (page, id) => page.evaluate((which) => document.getElementById(which).textContent, id);
const waitForBoard = (page, wanted) => waitFor(page, () => boardText(page), (seen) => seen === wanted, wanted);
// What the page shows around the board: the live region, the distance, the undo and redo
// buttons' states, the address's fragment.
const standing = (page) => page.evaluate(() => ({
  status: document.getElementById('status').textContent, distance: document.getElementById('distance').textContent,
  undo: document.getElementById('undo').disabled, redo: document.getElementById('redo').disabled,
  hash: location.hash, solved: document.getElementById('board').dataset.solved }));
const enabled = (page, ids) => page.evaluate((which) => which.filter((id) => !document.getElementById(id).disabled), ids);
async function scrambleTo(page, distance) {
  await page.evaluate((value) => { document.getElementById('scramble-to').value = value; }, String(distance));
  await page.click('#scramble');
  return (await boardText(page)).split(' ').map(Number);
}

async function fill(page, id, value) {
  await page.evaluate(([which, typed]) => { document.getElementById(which).value = typed; }, [id, value]);
}
async function typeInto(page, id, value) {
  await fill(page, id, '');
  await page.click(`#${id}`);
  await page.keyboard.type(value);
}
const focusBoard = (page) => page.evaluate(() => document.getElementById('board').focus());
// Types the last character of `target` into the Target field and leaves it, as a person does.
async function enterTarget(page, target) {
  await fill(page, 'target', target.slice(0, -1));
  await page.evaluate(() => { const field = document.getElementById('target'); field.focus(); field.setSelectionRange(999, 999); });
  await page.keyboard.type(target.slice(-1));
  await page.click('#hint');
  await waitFor(page, () => page.evaluate(() => location.hash), (hash) => hash.endsWith(target.replace(/ /g, ',')), 'the target');
}
// Makes `target` the target as leaving its field does, with nothing else said after it.
async function takeTarget(page, target) {
  await fill(page, 'target', target.join(' '));
  await page.evaluate(() => document.getElementById('target').dispatchEvent(new Event('change')));
}
// Plays `letters` by keys on the board, up to the target.
async function walkToTheTarget(page, letters) {
  await focusBoard(page);
  await page.keyboard.type(letters);
  await waitFor(page, () => standing(page), (seen) => seen.distance === 'At the target', 'the target');
}

const kUnreadable = 'The kept game could not be read; a new game starts.';
const kNotKept = 'This browser does not keep the game: it is lost when the page closes.';
const isReady = (page) => waitFor(page, () => page.evaluate(() => document.body.dataset.ready || ''), Boolean, 'the page');
// What a player sees of the game: the board, the target, the moves, the distance, Undo and Redo.
const game = async (page) => ({ board: await boardText(page), ...await page.evaluate(() => {
  const id = (name) => document.getElementById(name);
  return { target: id('target').value, moves: id('moves-made').textContent, distance: id('distance').textContent,
           undo: id('undo').disabled, redo: id('redo').disabled };
}) });
// Loads `url` in `page` afresh (never as a change of the fragment alone) and waits until it is ready.
async function visit(page, url) {
  await page.goto('about:blank');
  await page.goto(url);
  await isReady(page);
}
// Opens the page on `date` (YYYY-MM-DD, at noon) and starts today's puzzle.
async function startDay(page, opened, date) {
  await page.clock.setFixedTime(`${date}T12:00:00`);
  await visit(page, opened.base + 'index.html');
  await page.click('#today');
  assert.ok((await text(page, 'status')).startsWith(`Today's puzzle, ${date}: `), date);
}
// The record's figures (played, solved, at the shortest, current and best streak) and its table.
const record = (page) => page.evaluate(() => [...document.querySelectorAll('.figures dd')].map((figure) => Number(figure.textContent))
  .concat([...document.querySelectorAll('#record-table tbody tr')].map((row) => row.cells[1].textContent).join(' ')));
// Undoes one step at a time back to the start of the undo stack; the game after each step.
async function undoAll(page) {
  const seen = [];
  while (!(await page.evaluate(() => document.getElementById('undo').disabled))) {
    await page.click('#undo');
    seen.push(await game(page));
  }
  return seen;
}

async function axe(page) {
  const source = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
  await page.evaluate(source);
  const violations = await page.evaluate((tags) => window.axe.run(document, { runOnly: tags, preload: false })
    .then((result) => result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`)), kAxeTags);
  assert.deepEqual(violations, []);
}
async function screenshot(page, name) {
  // Playwright's screenshot in Firefox adds an inline style that the page's policy refuses.
  if (engine !== 'firefox') await page.screenshot({ path: path.join(outputFolder, `board-${engine}-${name}.png`) });
}

// Solves from `from` to `to` in the page and checks the report and the playback against the
// native program's report.
async function checkSolve(page, from, to) {
  await fill(page, 'state', from.join(', '));
  await page.click('#state-form button');
  await fill(page, 'target', to.join(' '));
  await page.click('#solve');
  const lines = report(from, to);
  const investigated = await waitFor(page, () => text(page, 'investigated'), Boolean, 'the report');
  assert.equal(investigated, lines.find((line) => line.startsWith('Investigated')));
  const solvability = lines.find((line) => line.startsWith('Solvability: ')).slice(13);
  assert.ok((await text(page, 'solvability')).startsWith(solvability), solvability);
  const letters = (lines.find((line) => line.startsWith('Shortest solution: ')) || '').slice(19);
  assert.equal(await text(page, 'solution'), letters);
  if (solvability === 'Unsolvable' || letters.length === 0) return;
  const kPlayback = ['to-start', 'step-back', 'play', 'step-forward', 'to-end'];
  assert.deepEqual(await enabled(page, kPlayback), ['play', 'step-forward', 'to-end']);
  // Enter on To end, which disables itself, leaves the focus on Play.
  await page.evaluate(() => document.getElementById('to-end').focus());
  await page.keyboard.press('Enter');
  await waitForBoard(page, to.join(' '));
  assert.equal(await page.evaluate(() => document.activeElement.id), 'play');
  assert.deepEqual(await enabled(page, kPlayback), ['to-start', 'step-back', 'play']);
  await page.click('#solution li:first-child button');
  await waitForBoard(page, simulated(from, [letters[0]]));
  await page.evaluate(() => { document.getElementById('speed').value = '100'; });
  await page.click('#to-end');
  // At the end, Play starts again from the start.
  assert.equal(await page.evaluate(() => { document.getElementById('play').click();
    return [...document.querySelectorAll('#board [role="listitem"]')].map((tile) => tile.dataset.value).join(' '); }), from.join(' '));
  await waitFor(page, () => text(page, 'play'), (seen) => seen === 'Play', 'the end of playback');
  const seen = await standing(page);
  assert.ok(seen.status.startsWith('The solution reached the target.') && seen.solved === 'no', seen.status);
  await waitForBoard(page, to.join(' '));
  assert.ok((await text(page, 'solution')) === letters && (await text(page, 'investigated')) !== '');
  return letters;
}

const tests = {
  // Buttons, keys (some while a move still travels), typed strings, undo and redo, each state
  // compared with the native simulator's after the same moves.
  async PlayIsTheSimulatorsState(page) {
    const random = seeded(seed);
    const done = [];  // the tokens behind the board, as the undo stack holds them
    const undone = [];
    const pick = (items) => items[Math.floor(random() * items.length)];
    const kinds = {
      button: async () => { const letter = pick(['L', 'R']); await page.click(`#move-${letter.toLowerCase()}`); return [letter]; },
      keys: async () => { const keys = [...Array(1 + Math.floor(random() * 4))].map(() => pick('LlRr')).join('');
        // From the board, a button or the checkbox: keys move from anywhere but a field.
        await page.evaluate((id) => document.getElementById(id).focus(), pick(['board', 'hint', 'show-distance']));
        await page.keyboard.type(keys); return [...keys]; },  // a step each
      typed: async () => { const typed = [...Array(Math.floor(random() * 12))].map(() => pick('LlRrx7-é')).join('');
        await typeInto(page, 'moves', typed + 'L'); await page.click('#moves-form button'); return [typed + 'L']; },
      undo: async () => { await focusBoard(page); await page.keyboard.press('Control+Z'); if (done.length) undone.push(done.pop()); },
      redo: async () => {
        if (undone.length && random() < 0.5) await page.click('#redo');
        else { await focusBoard(page); await page.keyboard.press('Control+Y'); }
        if (undone.length) done.push(undone.pop());
      },
    };
    console.log(`seed ${seed}`);
    // The tiles of 1 to 12 (the default board) are at least 30° apart in the hue of their colour.
    const hues = await page.evaluate(() => [...document.querySelectorAll('#board [role="listitem"]')].map((tile) => {
      const [r, g, b] = getComputedStyle(tile).backgroundColor.match(/\d+/g).map(Number);
      const max = Math.max(r, g, b), span = max - Math.min(r, g, b);
      const sector = max === r ? (g - b) / span : max === g ? 2 + (b - r) / span : 4 + (r - g) / span;
      return (sector * 60 + 360) % 360;
    }));
    const apart = hues.flatMap((a, i) => hues.slice(i + 1).map((b) => Math.min(Math.abs(a - b), 360 - Math.abs(a - b))));
    assert.ok(Math.min(...apart) >= 30, JSON.stringify(hues));
    for (let step = 0; step < 30; step++) {
      const kind = pick(Object.keys(kinds));
      const tokens = await kinds[kind]();
      if (tokens) { done.push(...tokens); undone.length = 0; }
      const wanted = simulated(kDefault, done);
      await waitForBoard(page, wanted);
      // The distance is the native solution's length, and the announcement gives it before the board.
      const seen = await standing(page);
      const words = distanceWords(solution(wanted.split(' '), kDefault));
      assert.equal(seen.distance, words, kind);
      assert.ok(seen.status.endsWith(` ${words}: ${wanted}.`), seen.status);  // an undo of nothing says nothing
      assert.deepEqual([seen.undo, seen.redo], [done.length === 0, undone.length === 0], kind);
      const letters = done.join('').replace(/[^LlRr]/g, '').toUpperCase();
      const shown = await text(page, 'moves-made');  // the whole line, or its ends and its count
      assert.ok(shown === (letters || '(none)') || (shown.startsWith(letters.slice(0, 20)) && shown.includes(letters.slice(-20) + ` (${letters.length} moves)`)), shown);
    }
    const travels = await page.evaluate(() => { document.getElementById('move-l').click(); return document.getAnimations().length; });
    assert.ok(travels > 0, 'a move shows no travel');
  },

  async SolveIsTheProgramsReportAndPlaysToTheTarget(page) {
    const random = seeded(seed);
    const values = kDefault.map(() => Math.floor((random() - 0.5) * 2 ** 32));
    const scrambled = (from) => simulated(from, [[...Array(30)].map(() => (random() < 0.5 ? 'L' : 'R')).join('')]).split(' ').map(Number);
    await axe(page);
    await checkSolve(page, kDefault, [12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1]);
    await screenshot(page, 'desktop');
    await axe(page);
    await checkSolve(page, values, scrambled(values));
    await checkSolve(page, [1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3], scrambled([1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3]));
    await checkSolve(page, kDefault, [2, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12]);
    await checkSolve(page, values, values);
    // A move leaves the solution: its report and its list go.
    await checkSolve(page, kDefault, [12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1]);
    await page.click('#move-l');
    assert.equal(await text(page, 'solution') + await text(page, 'investigated'), '');
    // Solve during playback stops the playback: the new solution waits at its start.
    await page.click('#solve');
    await waitFor(page, () => text(page, 'solution'), Boolean, 'the solution');
    await page.click('#play');
    await page.click('#solve');
    await waitFor(page, () => text(page, 'investigated'), Boolean, 'the report');
    const stopped = await boardText(page);
    await page.waitForTimeout(1200);
    assert.equal(await boardText(page), stopped);
    assert.equal(await text(page, 'play'), 'Play');
    // The worst case, with a key pressed while it runs: the key is applied, never lost, and the
    // report of the board it left is not shown.
    await fill(page, 'target', '0 1 2 3 4 5 6 7 8 9 10 11');
    await page.evaluate(() => ['solve', 'move-r'].forEach((id) => document.getElementById(id).click()));
    await waitForBoard(page, simulated(stopped.split(' '), ['R']));
    await waitFor(page, () => page.evaluate(() => document.getElementById('busy').hidden), Boolean, 'the search');
    assert.equal(await text(page, 'status'), 'The board moved during the search: solve again.');
    assert.equal(await text(page, 'investigated'), '');
    await page.click('#hint');
    await waitFor(page, () => text(page, 'hint-text'), (seen) => seen.startsWith('Unsolvable'), 'the hint');
  },

  // The address's fragment shows a state and a target, follows the board, and Back returns;
  // a wrong fragment or entry shows the message that names its fault, and changes nothing.
  async AddressAndEntriesAreReadAsTheProgramReadsNumbers(page, _engine, opened) {
    const shared = simulated(kDefault, ['LRRLLRLR']).split(' ').map(Number);
    await page.goto(opened.base + `index.html#state=${shared.join(',')}&target=${kDefault.join(',')}`);
    await waitForBoard(page, shared.join(' '));
    await page.click('#move-r');
    assert.ok((await page.evaluate(() => location.hash)).startsWith(`#state=${simulated(shared, ['R']).replace(/ /g, ',')}&target=1,2`));
    await page.click('#hint');
    const hint = await waitFor(page, () => text(page, 'hint-text'), Boolean, 'the hint');
    const letters = report(simulated(shared, ['R']).split(' '), kDefault).at(-2).slice(19);
    assert.equal(hint, `Next move: ${letters[0]}; ${letters.length} moves remain.`);
    // The move replaced the opened link's entry of history: Back leaves it, Forward comes back.
    await page.evaluate(() => history.back());
    await waitForBoard(page, kDefault.join(' '));
    await page.evaluate(() => history.forward());
    await waitForBoard(page, simulated(shared, ['R']));
    assert.ok((await text(page, 'status')).startsWith('The board from the address: '));
    const wrong = { '1,2,3': '3 numbers instead of twelve', '1,2,x3,4': '"x3" is not a number',
                    [`2147483648${',1'.repeat(11)}`]: '"2147483648" is out of range' };
    for (const [fragment, message] of Object.entries(wrong)) {
      await page.evaluate((hash) => { location.hash = hash; }, `state=${fragment}`);
      await waitForBoard(page, kDefault.join(' '));
      // Said, beside the field and in the live region, and the address is the board's.
      const seen = await standing(page);
      assert.ok((await text(page, 'state-message')).startsWith(message) && seen.status.includes(message), message);
      assert.equal(seen.hash, `#state=${kDefault.join(',')}`);
      await page.click('#move-l');
      await typeInto(page, 'state', fragment.replace(/,/g, ' '));
      await page.keyboard.press('Enter');
      assert.ok((await text(page, 'state-message')).startsWith(message), message);
      assert.ok((await text(page, 'status')).includes(message), message);
      await waitForBoard(page, simulated(kDefault, ['L']));
    }
    // A scramble adds an entry to the history and moves replace it: Back goes to the board
    // before the scramble.
    const one = await scrambleTo(page, 1);
    await page.click('#hint');
    assert.equal(await text(page, 'hint-text'), `Next move: ${solution(one, kDefault)}; 1 move remains.`);
    for (let i = 0; i < 10; i++) await page.click('#move-r');
    await page.evaluate(() => history.back());
    await waitForBoard(page, simulated(kDefault, ['L']));
    await page.click('#copy-link');
    await waitFor(page, () => page.evaluate(() => document.getElementById('status').textContent), (seen) => seen.includes('cop'), 'the copy');
    const link = await page.evaluate(() => [document.getElementById('link').hidden, document.getElementById('link').value, location.href]);
    assert.ok(link[0] || link[1] === link[2], JSON.stringify(link));
  },

  // The game comes back whole after every change, whether the page that made it closed, crashed or
  // is still open; the most recent change of two pages wins; a link is a new attempt whose first
  // undo is the kept game; Forget forgets it.
  async TheGameIsKeptAtEveryChangeAndComesBack(page, _engine, opened) {
    const url = opened.base + 'index.html';
    await enterTarget(page, simulated(kDefault, ['LRL']));
    const start = await scrambleTo(page, 6);
    for (const id of ['move-l', 'move-r', 'move-l', 'undo']) await page.click(`#${id}`);
    const left = await game(page);
    if (engine === 'chromium') {  // the renderer crashed: no unload handler runs
      const crashed = new Promise((resolve) => page.once('crash', resolve));
      (await page.context().newCDPSession(page)).send('Page.crash').catch(() => {});  // never answered
      await crashed;
    }
    const other = await page.context().newPage();
    await visit(other, url);
    assert.deepEqual(await game(other), left);
    assert.ok((await text(other, 'status')).startsWith('The game you left: '));
    await other.reload();
    await isReady(other);
    assert.deepEqual(await game(other), left);
    assert.deepEqual((await undoAll(other)).map((seen) => [seen.board, seen.moves]),
                     [[simulated(start, ['L']), 'L'], [start.join(' '), '(none)'], [kDefault.join(' '), '(none)']]);
    // Two pages: the one that changed the game last gives it, whole.
    const third = await page.context().newPage();
    await visit(third, url);
    await third.click('#move-l');
    await other.click('#move-r');
    await other.click('#move-r');
    const newest = await game(other);
    await visit(third, url);
    assert.deepEqual(await game(third), newest);
    await third.click('#undo');
    assert.equal(await boardText(third), simulated(kDefault, ['R']));
    await third.click('#redo');
    // A link to another board and target: Undo brings the kept game back, target and all.
    await visit(third, url + '#state=' + simulated(kDefault, ['RRR']).replace(/ /g, ','));
    assert.equal(await boardText(third), simulated(kDefault, ['RRR']));
    await third.click('#undo');
    assert.deepEqual(await game(third), { ...newest, redo: false });
    await third.click('#forget');
    await third.click('#forget-cancel');
    assert.equal(await third.evaluate(() => document.getElementById('forget-yes').hidden), true);
    await third.click('#forget');
    await third.click('#forget-yes');
    await visit(third, url);
    assert.deepEqual([await game(third), await text(third, 'status')],
                     [{ board: kDefault.join(' '), target: '', moves: '(none)', distance: 'At the target', undo: true, redo: true },
                      `The board: At the target: ${kDefault.join(' ')}.`]);
    for (const each of [other, third]) await each.close();
  },

  // Whatever the page finds under its keys, and storage that throws: the page plays, says why
  // once, and keeps the game again at the next change where it can.
  async BadOrMissingStorageNeverBreaksThePage(page, _engine, opened) {
    const url = opened.base + 'index.html';
    await page.click('#move-l');
    const keys = await page.evaluate(() => Object.keys(localStorage));
    const good = await page.evaluate((key) => localStorage.getItem(key), keys[0]);
    const firstArray = /\[[^\]]*\]/;
    const bad = ['{', '{"format":1}', good.replace('"format":1', '"format":2'), 'x'.repeat(2 << 20),
      good.replace(firstArray, JSON.stringify(kDefault.map((value) => value + 12))),
      good.replace(firstArray, JSON.stringify([2 ** 31, ...kDefault.slice(1)])), good.replace(firstArray, '[1.5,2]')];
    for (const value of bad) {
      await page.evaluate(([names, written]) => names.forEach((name) => localStorage.setItem(name, written)), [keys, value]);
      await visit(page, url);
      const seen = await standing(page);
      assert.ok(seen.status.startsWith(kUnreadable) && !seen.status.includes('NaN'), value.slice(0, 80));
      assert.equal(await boardText(page), kDefault.join(' '));
      await page.click('#move-r');
      await visit(page, url);
      assert.equal(await boardText(page), simulated(kDefault, ['R']), value.slice(0, 80));
    }
    // A bad record costs neither the game nor a day's attempt its moves, and is replaced.
    await page.click('#today');
    await page.click('#move-l');
    await page.evaluate(() => localStorage.setItem('mathieu12.record', '[]'));
    const kept = await game(page);
    await visit(page, url);
    assert.ok((await text(page, 'status')).startsWith(kUnreadable + ' The game you left: '));
    assert.deepEqual(await game(page), kept);
    const blocked = await page.context().newPage();
    await blocked.addInitScript(() => {
      Storage.prototype.setItem = () => { throw new DOMException('The quota has been exceeded.', 'QuotaExceededError'); };
    });
    for (const kind of ['a write', 'a read']) {
      await visit(blocked, url);
      const said = [await text(blocked, 'status')];
      for (const id of ['move-l', 'move-l']) {
        await blocked.click(`#${id}`);
        said.push(await text(blocked, 'status'));
      }
      assert.equal(said.filter((line) => line.includes(kNotKept)).length, 1, kind);
      assert.equal(await blocked.evaluate(() => document.getElementById('not-kept').hidden), false, kind);
      await waitForBoard(blocked, simulated(kind === 'a read' ? kDefault : kept.board.split(' '), ['LL']));
      await blocked.addInitScript(() => Object.defineProperty(window, 'localStorage', {
        get() { throw new DOMException('The operation is insecure.', 'SecurityError'); } }));
    }
    await blocked.close();
  },

  // Today's puzzle: the README's boards on its dates; fourteen days, fourteen boards, each at its
  // weekday's distance; and with the distance off, nothing on the page gives it.
  async TodaysPuzzleIsOneBoardADayWithTheDistanceHidden(page, _engine, opened) {
    const readme = fs.readFileSync(process.argv[6], 'utf8');
    const listed = Object.fromEntries([...readme.matchAll(/\| (\d{4}-\d{2}-\d{2}) \| \w+ \| `([-0-9 ]+)` \|/g)].map((row) => row.slice(1)));
    const boards = new Set();
    for (let day = 0; day < 14; day++) {
      const date = new Date(Date.UTC(2026, 11, 7 + day)).toISOString().slice(0, 10);  // from a Monday
      await startDay(page, opened, date);
      const board = await boardText(page);
      assert.equal(solution(board.split(' '), kDefault).length, 15 + (day % 7), date);
      if (listed[date]) assert.equal(board, listed[date], date);
      boards.add(board);
    }
    assert.equal(boards.size, 14);
    await page.click('#move-l');
    const hidden = await page.evaluate(() => ({
      status: document.getElementById('status').textContent, distance: document.getElementById('distance').textContent,
      plot: document.getElementById('plot').getAttribute('aria-label') + document.querySelectorAll('#plot .here, #plot .marker').length,
      rows: document.querySelectorAll('#distance-table [aria-current]').length }));
    assert.deepEqual(hidden, { status: `After L, ${await text(page, 'in-place')}: ${await boardText(page)}.`, distance: 'Not shown',
                               plot: 'States at each distance from the target, from 0 to 21 moves. The table beside gives the numbers.0', rows: 0 });
    // A new target, the distance hidden: the tiles in place are counted against the new target.
    const target = simulated(kDefault, ['R']).split(' ').map(Number);
    await takeTarget(page, target);
    const inPlace = (await boardText(page)).split(' ').filter((value, i) => Number(value) === target[i]).length;
    assert.equal(await text(page, 'status'), `New target ${target.join(' ')}; the board has ${inPlace} of 12 in place.`);
  },

  // The day's result is recorded once, on its own date, and shared without a move; a day a few
  // moves over, a missed day, a shown solution; the record and the share text survive a reload.
  async TheDaysResultIsRecordedOnceAndShared(page, _engine, opened) {
    await page.addInitScript(() => { navigator.share = async ({ text }) => { document.body.dataset.shared = text; }; });
    const address = opened.base + 'index.html';
    const solveDay = async (date, detour) => {
      await startDay(page, opened, date);
      const board = (await boardText(page)).split(' ');
      await fill(page, 'moves', detour + solution(detour ? simulated(board, [detour]).split(' ') : board, kDefault));
      await page.click('#moves-form button');
      return (await text(page, 'status')).split(' After')[0];
    };
    const share = async () => {
      await page.click('#share-result');
      return waitFor(page, () => page.evaluate(() => document.body.dataset.shared || ''), Boolean, 'the shared text');
    };
    await startDay(page, opened, '2026-12-10');
    await page.click('#hint');
    assert.equal(await solveDay('2026-12-10', ''), "Solved in 18 moves; the shortest was 18. Today's puzzle is solved.");
    await page.click('#undo');
    await page.click('#redo');
    assert.ok((await text(page, 'status')).startsWith('Solved in 18 moves; the shortest was 18. After redo'));
    const first = 'mathieu12 2026-12-10\nSolved in 18 moves; the shortest was 18. Help: 1 hint.\nStreak: 1 day\n' + address;
    assert.equal(await share(), first);
    await visit(page, address);
    assert.deepEqual([await record(page), await share()], [[1, 1, 1, 1, 1, '1 0 0 0 0 0'], first]);
    const over = (await solveDay('2026-12-11', 'LL')).match(/Solved in (\d+) moves/)[1] - 19;
    await startDay(page, opened, '2026-12-13');  // the 12th missed
    await page.click('#solve');
    await waitFor(page, () => text(page, 'solvability'), Boolean, 'the solution');
    await page.click('#to-end');
    await page.click('#undo');
    await page.click('#redo');
    assert.equal(await page.evaluate(() => document.getElementById('board').dataset.solved), 'no');
    assert.ok((await text(page, 'status')).startsWith('At the target, with the solution shown. After redo'));
    assert.equal(await share(), `mathieu12 2026-12-13\nSolution shown.\nStreak: 0 days\n${address}`);
    await solveDay('2026-12-14', '');
    const columns = [2, 0, 0, 0, 0, 0];  // the 10th and the 14th at the shortest, the 11th `over`
    columns[Math.min(over, 5)]++;
    assert.deepEqual(await record(page), [4, 3, 2 + (over === 0 ? 1 : 0), 1, 2, columns.join(' ')]);
  },

  async ReducedMotionShowsTheNewStateAtOnce(page) {
    await page.click('#move-l');
    assert.equal(await page.evaluate(() => document.getAnimations().length), 0);
    await waitForBoard(page, simulated(kDefault, ['L']));
    await walkToTheTarget(page, solution(simulated(kDefault, ['L']).split(' '), kDefault));
    assert.equal(await page.evaluate(() => document.getAnimations().length), 0, 'a celebration');
  },

  // Distances, the table and scrambles to a distance, for targets of distinct values, of
  // repeated values and of values at both ends of the 32-bit range, and for one out of reach.
  async DistancesAreTheProgramsSolutionLengths(page) {
    const random = seeded(seed);
    const wide = kDefault.map((_, i) => (i < 2 ? [-2147483648, 2147483647][i] : Math.floor((random() - 0.5) * 2 ** 32)));
    for (const target of [[1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2], wide, kDefault]) {
      await enterTarget(page, target.join(' '));
      const missing = [target[0] + 1, target[0] - 1].find((value) => !target.includes(value));
      const states = Number(report(target, [missing, ...target.slice(1)]).find((line) => line.startsWith('Investigated')).split(' ')[1]);
      const counts = await page.evaluate(() => [...document.querySelectorAll('#distance-table tbody tr')].map((row) => Number(row.cells[1].textContent)));
      assert.equal(counts.reduce((sum, count) => sum + count, 0), states);
      const choices = await page.evaluate(() => [...document.getElementById('scramble-to').options].map((option) => option.text));
      assert.deepEqual(choices, ['any distance', ...counts.slice(1).map((_, i) => movesCount(i + 1))]);
      assert.equal(await page.evaluate(() => document.querySelectorAll('#plot .column').length), counts.length);
      for (const distance of [1 + Math.floor(random() * (counts.length - 1)), counts.length - 1]) {
        const board = await scrambleTo(page, distance);
        const letters = solution(board, target);
        assert.equal(letters.length, distance);
        assert.equal((await standing(page)).distance, movesCount(distance));
        await page.click('#hint');
        assert.ok((await text(page, 'hint-text')).startsWith(`Next move: ${letters[0]}; `));
      }
    }
    await enterTarget(page, '2 1 3 4 5 6 7 8 9 10 11 12');
    await page.click('#reset');
    assert.equal((await standing(page)).distance, 'Out of reach');
    await page.click('#hint');
    assert.ok((await text(page, 'hint-text')).startsWith('Unsolvable'));
    assert.equal(solution(await scrambleTo(page, 5), [2, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12]).length, 5);
  },

  // The player's walk ends in the solved message, its N counting as the line of moves does;
  // a solution played to its end is not the player's.
  // On a fixed sequence: the start on the first screen, Undo and Redo disabled exactly at the
  // ends, the table's marked row, a long string said by its count and its line folded, every
  // tile's mark against a target of repeated values, and a new target said as a target.
  async EveryChangeShowsExactlyWhereTheBoardStands(page) {
    for (const size of [{ width: 844, height: 390 }, { width: 390, height: 844 }, { width: 1024, height: 700 }]) {
      await page.setViewportSize(size);
      const below = await page.evaluate(() => ['goal', 'today', 'scramble', 'scramble-to'].filter((id) =>
        document.getElementById(id).getBoundingClientRect().bottom > innerHeight));
      assert.deepEqual(below, [], JSON.stringify(size));
    }
    const ends = [];
    for (const id of ['move-l', 'move-r', 'undo', 'undo', 'redo', 'redo']) {
      ends.push((await enabled(page, ['undo', 'redo'])).join(' '));
      await page.click(`#${id}`);
    }
    ends.push((await enabled(page, ['undo', 'redo'])).join(' '));
    assert.deepEqual(ends, ['', 'undo', 'undo', 'undo redo', 'redo', 'undo redo', 'undo']);
    const marked = await page.evaluate(() => document.querySelector('#distance-table [aria-current]').cells[0].textContent);
    assert.equal(Number(marked), solution(simulated(kDefault, ['LR']).split(' '), kDefault).length);
    const long = 'LR'.repeat(50) + 'L';
    for (const letters of [long.slice(0, 41), long]) {
      await fill(page, 'moves', letters);
      await page.click('#moves-form button');
      assert.ok((await text(page, 'status')).startsWith(`After ${letters.length} moves, `));
    }
    const all = 'LR' + long.slice(0, 41) + long;
    assert.equal(await text(page, 'moves-made'), `${all.slice(0, 24)} … ${all.slice(-24)} (${all.length} moves)`);
    const board = [2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1];
    await fill(page, 'state', board.join(' '));
    await page.click('#state-form button');
    const target = [1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2];
    await takeTarget(page, target);
    const marks = await page.evaluate(() => [...document.querySelectorAll('#board [role="listitem"]')].map((tile) => tile.dataset.inPlace));
    assert.deepEqual(marks, board.map((value, i) => (value === target[i] ? 'yes' : 'no')));
    const distance = solution(board, target).length;
    assert.equal(await text(page, 'status'), `New target ${target.join(' ')}; the board is ${movesCount(distance)} from it.`);
  },

  // Back after each kind of new start gives the board before it; a step back travels backwards;
  // a step of Play is said briefly and its travel fits it; a hint asked again is said again.
  async HistoryPlaybackAndHintsGoTheWayTheyShould(page) {
    await page.click('#move-l');
    const starts = [await boardText(page)];
    for (const start of ['#scramble', '#state-form button', '#target-form button', '#reset']) {
      if (start === '#state-form button') await fill(page, 'state', simulated(kDefault, ['RRL']));
      if (start === '#target-form button') await fill(page, 'target', simulated(kDefault, ['L']));
      await page.click(start);
      await page.click('#move-r');
      starts.push(await boardText(page));
    }
    for (const before of starts.slice(0, -1).reverse()) {
      await page.evaluate(() => history.back());
      await waitForBoard(page, before);
    }
    await scrambleTo(page, 6);
    await page.click('#solve');
    await waitFor(page, () => text(page, 'solution'), Boolean, 'the solution');
    for (const id of ['step-forward', 'step-forward']) await page.click(`#${id}`);
    const travel = await page.evaluate(() => {
      const tiles = [...document.querySelectorAll('#board [role="listitem"]')];
      const before = tiles.map((tile) => tile.dataset.value);
      document.getElementById('step-back').click();
      return document.getAnimations().map((animation) => {
        const [dx, dy = 0] = animation.effect.getKeyframes()[0].transform.match(/-?[\d.]+/g).map(Number);
        const to = tiles.indexOf(animation.effect.target.parentElement);
        const box = tiles[to].getBoundingClientRect();
        const from = tiles.findIndex((tile) => Math.abs(tile.getBoundingClientRect().left - box.left - dx) < 1 &&
                                               Math.abs(tile.getBoundingClientRect().top - box.top - dy) < 1);
        return before[from] === tiles[to].dataset.value;
      });
    });
    assert.ok(travel.length > 0 && travel.every(Boolean), JSON.stringify(travel));
    await page.evaluate(() => {
      window.said = [];
      new MutationObserver(() => said.push(document.getElementById('status').textContent))
        .observe(document.getElementById('status'), { childList: true, characterData: true, subtree: true });
      window.travels = [];
      setInterval(() => travels.push(...document.getAnimations().map((animation) => animation.effect.getTiming().duration)), 20);
      document.getElementById('speed').value = '100';
      document.getAnimations().forEach((animation) => animation.finish());  // the step back's
    });
    await page.click('#play');
    await waitForBoard(page, kDefault.join(' '));
    const play = await page.evaluate(() => ({ said, longest: Math.max(...travels) }));
    assert.ok(play.longest <= 100, JSON.stringify(play));
    assert.ok(play.said.slice(0, -1).every((line) => /^Move \d of 6, \d moves?\.$/.test(line)), JSON.stringify(play.said));
    assert.ok(play.said.at(-1).startsWith(`The solution reached the target. Move 6 of 6, At the target: ${kDefault.join(' ')}.`));
    await scrambleTo(page, 6);
    await page.click('#hint');
    const hint = await text(page, 'status');
    await page.click('#hint');
    assert.equal(await text(page, 'status'), `Again: ${hint}`);
  },

  async APlayersWalkToTheTargetIsCelebrated(page) {
    const start = await scrambleTo(page, 4);
    await page.click('#move-l');
    await page.click('#move-r');
    await page.click('#undo');
    const detour = simulated(start, ['L']).split(' ');
    const letters = solution(detour, kDefault);
    await walkToTheTarget(page, letters);
    const solved = `Solved in ${movesCount(1 + letters.length)}; the shortest was 4.`;
    assert.ok((await standing(page)).status.startsWith(solved));
    assert.equal(await page.evaluate(() => getComputedStyle(document.getElementById('solved-mark')).display !== 'none'), true);
    await page.click('#undo');
    assert.equal((await standing(page)).solved, 'no');
    await page.click('#redo');
    assert.ok((await standing(page)).status.startsWith(solved));
    await scrambleTo(page, 2);
    await page.click('#solve');
    await waitFor(page, () => text(page, 'solution'), Boolean, 'the solution');
    await page.click('#to-end');
    const seen = await standing(page);
    assert.ok(seen.status.startsWith('The solution reached the target.') && seen.solved === 'no', seen.status);
  },

  // As a phone: nothing wider than the screen, every control big enough for a finger, play and
  // solve by taps alone, and the field in use in sight when an on-screen keyboard takes half.
  async PhoneLayoutPlaysByTaps(page) {
    const layout = await page.evaluate(() => ({
      width: Math.min(innerWidth, screen.width), scrollWidth: document.documentElement.scrollWidth,
      small: [...document.querySelectorAll('a, button, input, select, #board')].filter((control) => {
        const box = control.getBoundingClientRect();
        return !control.hidden && (box.width < 44 || box.height < 44 || box.left < 0 || box.right > Math.min(innerWidth, screen.width));
      }).map((control) => control.id || control.textContent),
    }));
    assert.ok(layout.scrollWidth <= layout.width && layout.small.length === 0, JSON.stringify(layout));
    await screenshot(page, 'phone');
    await axe(page);
    for (const id of ['move-l', 'move-r', 'move-r', 'undo']) await page.tap(`#${id}`);
    await waitForBoard(page, simulated(kDefault, ['L', 'R']));
    await page.tap('#solve');
    await waitFor(page, () => text(page, 'solution'), (seen) => seen.length > 0, 'the solution');
    await axe(page);
    await page.tap('#to-end');
    await waitForBoard(page, kDefault.join(' '));
    // While a solution plays, the board, its buttons and the live region stay in sight, in
    // landscape and portrait, wherever the page is scrolled, and the page never scrolls itself.
    await scrambleTo(page, 12);
    await page.tap('#solve');
    await waitFor(page, () => text(page, 'solution'), Boolean, 'the solution');
    await page.evaluate(() => { document.getElementById('speed').value = '1000'; });
    await page.tap('#play');
    const portrait = await page.evaluate(() => ({ width: innerWidth, height: innerHeight }));
    for (const size of [{ width: 844, height: 390 }, portrait]) {
      await page.setViewportSize(size);
      for (const top of [0, 1e6]) {
        const scrolled = await page.evaluate((y) => { window.scrollTo(0, y); return scrollY; }, top);
        const board = await boardText(page);
        await waitFor(page, () => boardText(page), (seen) => seen !== board, 'a step of playback');
        const out = await page.evaluate(() => {
          const { clientWidth, clientHeight, scrollWidth } = document.documentElement;  // without scroll bars
          return ['board', 'move-l', 'move-r', 'undo', 'redo', 'to-start', 'step-back', 'play', 'step-forward', 'to-end',
            'status'].filter((id) => {
            const box = document.getElementById(id).getBoundingClientRect();
            return box.top < 0 || box.left < 0 || box.bottom > clientHeight || box.right > clientWidth;
          }).concat([scrollY, scrollWidth - clientWidth]);
        });
        assert.deepEqual(out, [scrolled, 0], JSON.stringify(size));
      }
    }
    assert.equal(await text(page, 'play'), 'Pause');
    await page.tap('#play');
    await page.setViewportSize({ width: 390, height: 420 });  // as an on-screen keyboard leaves it
    await page.tap('#target');
    const inSight = () => page.evaluate(() => {
      const field = document.getElementById('target');
      const box = field.getBoundingClientRect();
      const onTop = document.elementFromPoint(box.left + box.width / 2, box.top + box.height / 2) === field;
      return onTop && box.top >= -1 && box.bottom <= visualViewport.height + 1;  // a fraction of a pixel
    });
    await waitFor(page, inSight, Boolean, 'the target field in sight');
  },
};
tests.ReducedMotionShowsTheNewStateAtOnce.options = { reducedMotion: true };
tests.PhoneLayoutPlaysByTaps.options = { phone: true };

runTestFile(tests, (page) => waitFor(page, () => page.evaluate(() => document.body.dataset.ready || ''),
                                     Boolean, 'the page'));
