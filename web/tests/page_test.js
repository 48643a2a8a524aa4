// The page in a real browser, used as a person uses it: each test types or pastes into the page
// and reads what its terminal shows.
//   node page_test.js --list                                  the tests' names, one a line
//   node page_test.js NAME ENGINE PAGE_FOLDER NATIVE_PROGRAM README OUTPUT_FOLDER
// ENGINE is chromium, firefox or webkit.
'use strict';

const assert = require('assert/strict');
const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const { runTestFile, waitFor } = require('./browser.js');
const b = { ...require('./terminal_screen.js'), waitFor };

const [, , , engine, , nativeProgram, readmePath, outputFolder] = process.argv;

const kEnded = (status) => `mathieu12 ended with exit status ${status}. Press Enter to start it again.\n`;
const kMenu = '1: Launch Mathieu-12 solver\n2: Launch Mathieu-12 simulator\n' +
              '------------------------------\n';
const kInitialHeading = 'Enter the initial state:\n------------------------\n';
const kFinalHeading = 'Enter the final state.\nTo use the default configuration, enter -1.\n' +
                      '-------------------------------------------\n';
const kSimulatorHeading = 'Enter the initial state.\nTo use the default configuration, enter -1.\n' +
                          'To quit the simulation, hit Ctrl+C:\n' +
                          '-------------------------------------------\n';
const kMoveInstructions = '\nEnter move(s) using L and R (e.g. LLRLR).\n' +
                          'To quit and start another simulation, type -1:\n\n';
const kDefaultLine = 'Current state: 1 2 3 4 5 6 7 8 9 10 11 12\n';
// The screen at the simulator's first "Move(s): " for the default state.
const kAtMovePrompt = kMenu + '2\n\n' + kSimulatorHeading + '-1\n' + kMoveInstructions +
                      kDefaultLine + 'Move(s):';

// What the native program writes for `input`, with the blanks at the ends of lines dropped.
function native(input) {
  const out = execFileSync(nativeProgram, [], { input, stdio: ['pipe', 'pipe', 'ignore'] });
  return out.toString().replace(/ +$/gm, '');
}

// The state line that the native program prints after `tokens`, typed at the first "Move(s): "
// of a simulation of the default state.
function nativeStateAfter(tokens) {
  const last = native('2\n-1\n' + tokens + '\n').split('\n').at(-3);
  assert.match(last, /^Move\(s\): Current state: /);
  return last.slice('Move(s): '.length);
}

// The README's sample sessions, the blocks that start with the menu.
function readmeSessions() {
  const blocks = fs.readFileSync(readmePath, 'utf8').split(/^```\n?/m).filter((_, i) => i % 2);
  return blocks.filter((block) => block.startsWith(kMenu)).map((s) => s.replace(/ +$/gm, ''));
}

// Plays `session` as its user did: whenever the page is quiet, the screen is the session up to
// there, and the rest of the session's line from the cursor is what the user typed.
async function playSession(page, session) {
  for (;;) {
    const text = await b.waitForQuiet(page);
    assert.ok(session.startsWith(text), `the screen:\n${text}\nis not the start of:\n${session}`);
    if (text.length === session.length) return;
    const lineStart = text.lastIndexOf('\n') + 1;
    const lineEnd = session.indexOf('\n', text.length);
    const typed = session.slice(lineStart + (await b.cursorColumn(page)), lineEnd);
    await b.typeLines(page, [typed]);
  }
}

// Starts the simulator with the default state and waits at its first "Move(s): ".
async function reachMovePrompt(page) {
  await b.waitForEnding(page, kMenu);
  await b.typeLines(page, ['2', '-1']);
  await b.waitForEnding(page, kAtMovePrompt);
}

const tests = {
  async SolverSessionIsWhatATerminalShows(page) {
    const session = readmeSessions().find((s) => s.includes('Run report'));
    await playSession(page, session + kEnded(0));
  },

  async SimulatorSessionWithSeveralTokensAndRestartIsWhatATerminalShows(page) {
    const session = readmeSessions().find((s) => s.includes('Move(s): l r'));
    await playSession(page, session);
  },

  async BackspaceErasesAndTabSeparatesTokens(page) {
    await reachMovePrompt(page);
    await page.keyboard.type('LR');
    await page.keyboard.press('Backspace');
    await page.keyboard.press('Tab');
    await page.keyboard.type('L');
    await page.keyboard.press('Enter');
    const tokens = native('2\n-1\nL\tL\n').split(kDefaultLine + 'Move(s): ')[1];
    const typed = 'L' + ' '.repeat(6) + 'L';  // the tab moves from column 10 to the stop at 16
    await b.waitForEnding(page, kAtMovePrompt + ' ' + typed + '\n' + tokens.replace(/\n$/, ''));
  },

  async PastedLinesAreTypedOneAfterAnother(page) {
    await b.waitForEnding(page, kMenu);
    const lines = '2\n-1\nLLRLR\nl r\n';
    await b.paste(page, lines);
    const output = native(lines).slice(kMenu.length).replace(/\n$/, '');
    // The echo of the whole paste comes first, as at a terminal, then the program's answers.
    await b.waitForEnding(page, kMenu + lines + output);
  },

  async PastedTokenOfTenThousandCharactersGivesTheNativeResult(page) {
    await reachMovePrompt(page);
    const token = 'LrRlxL'.repeat(1666) + 'RLLR';
    assert.equal(token.length, 10000);
    await b.paste(page, token + '\n');
    await b.waitForEnding(page, token + '\n' + nativeStateAfter(token) + '\nMove(s):');
  },

  async CtrlDAtTheStartOfALineEndsTheInput(page) {
    await b.waitForEnding(page, kMenu);
    await b.typeLines(page, ['1', '1 2 3']);
    await page.keyboard.press('Control+D');
    await b.waitForEnding(page, kInitialHeading + '1 2 3\n\n' +
      'mathieu12: input ended before the initial state was complete\n' + kEnded(1));
    await page.keyboard.press('Enter');
    await reachMovePrompt(page);
    await page.click('button[data-keys="ctrl-d"]');  // the button, for a screen without Ctrl
    await b.waitForEnding(page, kAtMovePrompt + '\n' + kEnded(0));
  },

  async CtrlDAfterAPartialLineSendsItWithoutALineEnd(page) {
    await b.waitForEnding(page, kMenu);
    await b.typeLines(page, ['1', '1 2 3 4 5 6 7 8 9 10 11 12']);
    await page.keyboard.type('5 6');
    await page.keyboard.press('Control+D');
    await page.keyboard.press('Control+D');
    await b.waitForEnding(page, kFinalHeading + '5 6\n' +
      'mathieu12: input ended before the final state was complete\n' + kEnded(1));
    await page.keyboard.press('Enter');
    await reachMovePrompt(page);
    await page.keyboard.type('LL');
    await page.keyboard.press('Control+D');
    await page.keyboard.type('R');
    await page.keyboard.press('Enter');
    await b.waitForEnding(page, kAtMovePrompt + ' LLR\n' + nativeStateAfter('LLR') + '\nMove(s):');
  },

  async CtrlCEndsTheProgramAndEnterStartsItAgain(page) {
    await reachMovePrompt(page);
    await page.keyboard.type('LL');
    await page.keyboard.press('Control+C');
    await b.waitForEnding(page, kAtMovePrompt + ' LL^C\n' +
      'mathieu12 was ended by Ctrl+C with exit status 130. Press Enter to start it again.\n');
    await page.keyboard.type('1');  // ignored: nothing runs until Enter
    await page.keyboard.press('Enter');
    await b.waitForEnding(page, 'Press Enter to start it again.\n' + kMenu);
    await b.typeLines(page, ['3']);
    await b.waitForEnding(page, kMenu + '3\n\n' + kEnded(0));
    await page.keyboard.press('Enter');
    await b.waitForEnding(page, kEnded(0) + kMenu);
    await page.keyboard.type('2');
    await page.keyboard.press('Control+\\');  // quit, as SIGQUIT ends it at a terminal
    await b.waitForEnding(page, kMenu + '2^\\\n' +
      'mathieu12 was ended by Ctrl+\\ with exit status 131. Press Enter to start it again.\n');
  },

  async CtrlWCtrlUAndCtrlVEditTheLineAsAtATerminal(page) {
    await reachMovePrompt(page);
    await page.keyboard.type('LL RR');
    await page.keyboard.press('Control+W');  // the word RR
    await page.keyboard.type('R');
    await page.keyboard.press('Control+U');  // the whole line
    await page.keyboard.type('L');
    await page.keyboard.press('Control+V');
    await page.keyboard.press('Control+D');  // a literal Ctrl+D, a character of the token
    await page.keyboard.type('R');
    await page.keyboard.press('Enter');
    await b.waitForEnding(page, kAtMovePrompt + ' L^DR\n' + nativeStateAfter('L\x04R') +
                                '\nMove(s):');
  },

  async JunkIsReportedOnStandardErrorInItsOwnColour(page) {
    await b.waitForEnding(page, kMenu);
    await b.typeLines(page, ['abc 2']);
    await b.waitForEnding(page, kMenu + 'abc 2\nmathieu12: ignored "abc": not a number\n\n' +
                                kSimulatorHeading);
    // The message's span and the menu's, once drawn; the spans show blanks as no-break spaces.
    const colours = () => page.evaluate(() => ['"abc"', 'Launch'].map((text) => {
      const span = [...document.querySelectorAll('.xterm-rows span')]
        .find((candidate) => candidate.textContent.includes(text));
      return span && getComputedStyle(span).color;
    }));
    const [colour, plain] = await b.waitFor(page, colours, (both) => both.every(Boolean), 'the spans');
    assert.notEqual(colour, plain);
  },

  async ControlCharactersAndArrowsEchoInCaretNotation(page) {
    await reachMovePrompt(page);
    await b.paste(page, 'L\x1b[2J\x1b]0;owned\x07R');
    await page.keyboard.press('ArrowLeft');
    await page.keyboard.press('Enter');
    await b.waitForEnding(page, kAtMovePrompt + ' L^[[2J^[]0;owned^GR^[[D\n' +
                                nativeStateAfter('LR') + '\nMove(s):');
    assert.equal(await page.title(), 'mathieu12');
  },

  async TerminalFillsWindowsOfTwoSizes(page) {
    const sizes = [];
    for (const [width, height] of [[640, 480], [1400, 900]]) {
      await page.setViewportSize({ width, height });
      await page.waitForTimeout(300);
      sizes.push(await page.evaluate(() => {
        const box = document.querySelector('.xterm-screen').getBoundingClientRect();
        return { cols: window.mathieu12Terminal.cols, rows: window.mathieu12Terminal.rows,
                 right: box.right, bottom: box.bottom, width: innerWidth, height: innerHeight };
      }));
      await page.screenshot({ path: path.join(outputFolder, `page-${engine}-${width}x${height}.png`) });
    }
    for (const size of sizes) {
      assert.ok(size.width - size.right < 40, `the terminal leaves room at the right: ${JSON.stringify(size)}`);
      assert.ok(size.height - size.bottom < 80, `the terminal leaves room below: ${JSON.stringify(size)}`);
    }
    assert.ok(sizes[1].cols > sizes[0].cols && sizes[1].rows > sizes[0].rows, JSON.stringify(sizes));
    await b.waitForEnding(page, kMenu);
  },
};

// As a phone (390×844 and touch where the engine emulates it): nothing wider than the screen,
// every control in sight and big enough for a finger, the terminal and the buttons taken by tap,
// the prompt in sight when an on-screen keyboard takes half the screen, and the manual as narrow.
tests.PhoneLayoutFitsAndTakesTaps = async function (page, _engine, opened) {
  const layout = () => page.evaluate(() => ({
    scrollWidth: document.documentElement.scrollWidth,
    width: Math.min(innerWidth, screen.width),  // a phone's page may grow wider than its screen
    height: visualViewport.height,
    controls: [...document.querySelectorAll('a, button')].map((control) => {
      const box = control.getBoundingClientRect();
      return { name: control.textContent, left: box.left, top: box.top, right: box.right,
               bottom: box.bottom, width: box.width, height: box.height };
    }),
  }));
  const checkFits = (seen) => {
    assert.ok(seen.scrollWidth <= seen.width, `the page scrolls sideways: ${JSON.stringify(seen)}`);
    for (const control of seen.controls) {
      const inside = control.left >= 0 && control.top >= 0 && control.right <= seen.width &&
                     control.bottom <= seen.height;
      assert.ok(inside && control.width >= 44 && control.height >= 44, JSON.stringify(control));
    }
  };
  await b.waitForEnding(page, kMenu);
  await page.screenshot({ path: path.join(outputFolder, `page-${_engine}-phone.png`) });
  checkFits(await layout());
  await page.tap('#terminal');
  await reachMovePrompt(page);
  await page.keyboard.type('LL');
  await page.tap('button[data-keys="ctrl-d"]');
  await b.waitForEnding(page, kAtMovePrompt + ' LL');
  await page.tap('button[data-keys="ctrl-c"]');
  await b.waitForEnding(page, 'LL^C\nmathieu12 was ended by Ctrl+C with exit status 130. ' +
                              'Press Enter to start it again.\n');
  await page.setViewportSize({ width: 390, height: 420 });  // as an on-screen keyboard leaves it
  await page.tap('#terminal');
  await page.keyboard.press('Enter');
  await b.waitForEnding(page, kMenu);
  const small = await b.waitFor(page, layout, (seen) => seen.height <= 420, 'the smaller window');
  checkFits(small);
  const cursorInSight = await page.evaluate(() => {
    const terminal = window.mathieu12Terminal;
    const cursor = terminal.element.querySelector('.xterm-cursor-layer, .xterm-rows');
    const buffer = terminal.buffer.active;
    const row = buffer.baseY + buffer.cursorY - buffer.viewportY;
    return row >= 0 && row < terminal.rows && cursor.getBoundingClientRect().bottom > 0 &&
           terminal.element.getBoundingClientRect().bottom <= visualViewport.height + 1;
  });
  assert.ok(cursorInSight, 'the prompt is out of sight in the smaller window');
  await page.click('header a[href="mathieu12.html"]');
  const manualLoaded = () => page.evaluate(() => `${document.title} ${document.readyState}`);
  await b.waitFor(page, manualLoaded, (state) => state === 'MATHIEU12(1) complete', 'the manual');
  const manual = await page.evaluate(() => [document.documentElement.scrollWidth,
                                             Math.min(innerWidth, screen.width)]);
  assert.ok(manual[0] <= manual[1], `the manual scrolls sideways: ${manual}`);
};
tests.PhoneLayoutFitsAndTakesTaps.options = { phone: true };

// Each test opens the page once from its file and once served over http, with the keyboard's
// focus in the terminal.
runTestFile(tests, b.focusTerminal, { file: 'terminal.html' });
