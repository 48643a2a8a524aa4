// Reading and typing into the terminal page: its screen as text from xterm.js's buffer, keys and
// pastes as a user gives them, and waits for what the program writes.
'use strict';

const { waitFor } = require('./browser.js');

// The terminal's buffer as text, up to the cursor's row: a row that wraps joins the next one,
// line ends are "\n", and blanks at the ends of lines are dropped, since a screen cannot show them.
function screen(page) {
  return page.evaluate(() => {
    const buffer = window.mathieu12Terminal.buffer.active;
    let text = '';
    for (let row = 0; row <= buffer.baseY + buffer.cursorY; row++) {
      const line = buffer.getLine(row);
      if (row > 0 && !line.isWrapped) text += '\n';
      text += line.translateToString(false);
    }
    return text.replace(/ +$/gm, '');
  });
}

// The cursor's column.
function cursorColumn(page) {
  return page.evaluate(() => window.mathieu12Terminal.buffer.active.cursorX);
}

// Waits until the screen satisfies `wanted` (a function of its text); fails with the screen.
function waitForScreen(page, wanted, what) {
  return waitFor(page, () => screen(page), wanted, what);
}

function waitForEnding(page, ending) {
  return waitForScreen(page, (text) => text.endsWith(ending), JSON.stringify(ending));
}

// Waits until the screen is the same for `quietMs`: the program is waiting for input, or done.
async function waitForQuiet(page, quietMs = 150) {
  let before = await screen(page);
  for (;;) {
    await page.waitForTimeout(quietMs);
    const now = await screen(page);
    if (now === before) return now;
    before = now;
  }
}

// Pastes `text` through xterm.js's own paste handling, as a paste from the clipboard arrives (a
// synthetic paste event carries no data in every engine).
function paste(page, text) {
  return page.evaluate((pasted) => window.mathieu12Terminal.paste(pasted), text);
}

// Types each line of `lines` and Enter.
async function typeLines(page, lines) {
  for (const line of lines) {
    await page.keyboard.type(line);
    await page.keyboard.press('Enter');
  }
}

// Gives the terminal the keyboard's focus, as a click on it does.
function focusTerminal(page) {
  return page.evaluate(() => window.mathieu12Terminal.focus());
}

module.exports = { screen, cursorColumn, waitForScreen, waitForEnding, waitForQuiet, paste, typeLines,
                   focusTerminal };
