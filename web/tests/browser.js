// What the browser tests share: Debian's Chromium driven by playwright-core, the page opened from
// its file or served on 127.0.0.1, keys typed and text pasted as a user does, and the screen read
// back, with every request, console error and policy violation watched.
'use strict';

const fs = require('fs');
const http = require('http');
const path = require('path');
const { pathToFileURL } = require('url');
const { chromium } = require('playwright-core');

const kChromium = process.env.MATHIEU12_CHROMIUM || '/usr/bin/chromium';
const kWaitMs = 10000;
const kTypes = {
  '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.svg': 'image/svg+xml',
};

// Serves `folder` under /mathieu12/ on a free port of 127.0.0.1; every request is recorded.
function serve(folder) {
  const requests = [];
  const server = http.createServer((request, response) => {
    requests.push(request.url);
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = name.startsWith('/mathieu12/') && path.join(folder, name.slice(11) || 'index.html');
    if (!file || !file.startsWith(folder) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': kTypes[path.extname(file)] || 'text/plain' });
    response.end(fs.readFileSync(file));
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      const base = `http://127.0.0.1:${server.address().port}/mathieu12/`;
      resolve({ base, requests, close: () => new Promise((done) => server.close(done)) });
    });
  });
}

// Opens the page in a new headless Chromium: from its file (`over` 'file') or served ('http').
async function openPage(folder, { over = 'file', width = 1024, height = 700 } = {}) {
  const server = over === 'http' ? await serve(folder) : null;
  const base = server ? server.base : pathToFileURL(folder).href + '/';
  const browser = await chromium.launch({ executablePath: kChromium, headless: true });
  const page = await browser.newPage({ viewport: { width, height } });
  const problems = [];
  const requested = [];
  const kShown = 300;  // characters of a message kept for the report
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push('console error: ' + message.text().slice(0, kShown));
  });
  page.on('pageerror', (error) => problems.push('page error: ' + error.message.slice(0, kShown)));
  page.on('request', (request) => requested.push(request.url().slice(0, kShown)));
  await page.addInitScript(() => {
    document.addEventListener('securitypolicyviolation', (event) => {
      console.error(`policy violation: ${event.violatedDirective} ${event.blockedURI}`);
    });
  });
  await page.goto(base + 'index.html');
  const policy = await page.getAttribute('meta[http-equiv="Content-Security-Policy"]', 'content');
  if (!policy || !policy.includes("default-src 'none'")) problems.push('no policy: ' + policy);
  await page.locator('.xterm-helper-textarea').focus();
  return {
    page,
    // Closes the browser; fails on any console error or violation, and on any request that
    // left the page's folder.
    async close() {
      await browser.close();
      if (server) await server.close();
      const outside = requested.filter((url) => !url.startsWith(base) && url !== 'about:blank');
      if (outside.length > 0) problems.push('requests outside the folder: ' + outside.join(' '));
      if (server && server.requests.some((url) => !url.startsWith('/mathieu12/'))) {
        problems.push('the server saw: ' + server.requests.join(' '));
      }
      if (problems.length > 0) throw new Error(problems.join('\n'));
    },
  };
}

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
async function waitForScreen(page, wanted, what) {
  const deadline = Date.now() + kWaitMs;
  let text = await screen(page);
  while (!wanted(text)) {
    if (Date.now() > deadline) throw new Error(`waited for ${what}; the screen is:\n${text}`);
    await page.waitForTimeout(20);
    text = await screen(page);
  }
  return text;
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

// Pastes `text` as the browser does from the clipboard, through xterm.js's own paste handling.
function paste(page, text) {
  return page.evaluate((pasted) => {
    const data = new DataTransfer();
    data.setData('text/plain', pasted);
    document.querySelector('.xterm-helper-textarea')
      .dispatchEvent(new ClipboardEvent('paste', { clipboardData: data, bubbles: true }));
  }, text);
}

// Types each line of `lines` and Enter.
async function typeLines(page, lines) {
  for (const line of lines) {
    await page.keyboard.type(line);
    await page.keyboard.press('Enter');
  }
}

module.exports = { openPage, screen, cursorColumn, waitForScreen, waitForEnding, waitForQuiet, paste, typeLines };
