// WebKit for the browser tests: Debian's WebKitGTK MiniBrowser under its own Xvfb, driven by
// WebKitWebDriver through a small W3C WebDriver client, behind the same few methods of
// playwright's Page that the tests use.
'use strict';

const { spawn } = require('child_process');
const fs = require('fs');
const net = require('net');
const os = require('os');
const path = require('path');

const kMiniBrowser = process.env.MATHIEU12_MINIBROWSER ||
                     '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
const kStartMs = 10000;
// WebDriver's codes of the keys that the tests press by name.
const kKeys = {
  Enter: '\uE007', Backspace: '\uE003', Tab: '\uE004', Escape: '\uE00C', Shift: '\uE008',
  Control: '\uE009', Alt: '\uE00A', ArrowLeft: '\uE012', ArrowUp: '\uE013',
  ArrowRight: '\uE014', ArrowDown: '\uE015', Delete: '\uE017', Home: '\uE011', End: '\uE010',
};

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function freePort() {
  return new Promise((resolve) => {
    const server = net.createServer().listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

// Starts Xvfb on a display it picks itself and resolves to that display's name.
function startXvfb() {
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1600x1200x24', '-nolisten', 'tcp'],
                     { stdio: ['ignore', 'ignore', 'ignore', 'pipe'], detached: true });
  return new Promise((resolve, reject) => {
    xvfb.on('error', reject);
    xvfb.stdio[3].once('data', (data) => resolve({ process: xvfb, display: ':' + String(data).trim() }));
  });
}

// Sends one WebDriver command; fails with the driver's message.
async function command(base, method, route, body) {
  const response = await fetch(base + route, {
    method, headers: { 'Content-Type': 'application/json' },
    body: body === undefined ? undefined : JSON.stringify(body),
  });
  const answer = await response.json();
  if (!response.ok) throw new Error(`WebDriver ${route}: ${JSON.stringify(answer.value).slice(0, 500)}`);
  return answer.value;
}

// Starts WebKitWebDriver and waits until it answers; with `reducedMotion`, the browser it starts
// finds GTK's animations off, which WebKitGTK reports as prefers-reduced-motion: reduce.
async function startDriver(display, reducedMotion) {
  const port = await freePort();
  const env = { ...process.env, DISPLAY: display };
  if (reducedMotion) {
    env.XDG_CONFIG_HOME = fs.mkdtempSync(path.join(os.tmpdir(), 'mathieu12-gtk-'));
    fs.mkdirSync(path.join(env.XDG_CONFIG_HOME, 'gtk-3.0'));
    fs.writeFileSync(path.join(env.XDG_CONFIG_HOME, 'gtk-3.0', 'settings.ini'),
                     '[Settings]\ngtk-enable-animations=false\n');
  }
  const driver = spawn('WebKitWebDriver', [`--port=${port}`], { stdio: 'ignore', detached: true, env });
  const base = `http://127.0.0.1:${port}`;
  const deadline = Date.now() + kStartMs;
  for (;;) {
    try {
      if ((await command(base, 'GET', '/status')).ready) return { process: driver, base };
    } catch (error) {
      if (Date.now() > deadline) throw error;
    }
    await sleep(50);
  }
}

// The key actions that type `keys` (WebDriver key values) as one chord: each pressed in order,
// then released in reverse.
function chord(keys) {
  return [...keys.map((value) => ({ type: 'keyDown', value })),
          ...[...keys].reverse().map((value) => ({ type: 'keyUp', value }))];
}

// A page of a WebDriver session in its window `handle`, with the methods of playwright's Page
// that the tests use; `windows.current` is the window that the session's commands go to.
function createPage(session, windows, handle) {
  const send = async (method, route, body) => {
    if (windows.current !== handle) await command(session, 'POST', '/window', { handle });
    windows.current = handle;
    return command(session, method, route, body);
  };
  const keyActions = (actions) => send('POST', '/actions', { actions: [{ type: 'key', id: 'keys', actions }] });
  const element = async (selector) => {
    const found = await send('POST', '/element', { using: 'css selector', value: selector });
    return Object.values(found)[0];
  };
  const page = {
    goto: (url) => send('POST', '/url', { url }),
    reload: () => send('POST', '/refresh', {}),
    close: () => page.goto('about:blank'),  // the session's first window stays for the next page
    closeWindow: () => send('DELETE', '/window'),
    // Another window of the session, as a page of the same context; closed, its window goes.
    context: () => ({
      async newPage() {
        const opened = await send('POST', '/window/new', { type: 'window' });
        const other = createPage(session, windows, opened.handle);
        // The copy's init scripts run in every page of the folder: in effect, the context's.
        other.addInitScript = (script, arg) => page.addInitScript(script, arg);
        other.clock = page.clock;
        other.close = async () => {
          const problems = [];
          await other.watched(problems);
          if (problems.length > 0) throw new Error(problems.join('\n'));
          await other.closeWindow();
        };
        return other;
      },
    }),
    title: () => send('GET', '/title'),
    waitForTimeout: sleep,
    // Runs `fn(arg)` in the page, or `fn` itself when it is a script's text; a promise it
    // returns is awaited, as playwright does.
    evaluate: (fn, arg) => send('POST', '/execute/sync', {
      script: typeof fn === 'string' ? fn : `return (${fn})(arguments[0]);`,
      args: [arg === undefined ? null : arg] }),
    // As playwright does, an element under another (the board's sticky stage) is first scrolled
    // to the middle of the window.
    click: async (selector) => {
      await page.evaluate((which) => {
        const target = document.querySelector(which);
        const box = target.getBoundingClientRect();
        const top = document.elementFromPoint(box.left + box.width / 2, box.top + box.height / 2);
        if (!target.contains(top)) target.scrollIntoView({ block: 'center', inline: 'center' });
      }, selector);
      return send('POST', `/element/${await element(selector)}/click`, {});
    },
    keyboard: {
      type: (text) => keyActions([...text].flatMap((character) => chord([character]))),
      // A key by name, or a chord such as Control+D ("Control++" for Control and +).
      press: (name) => {
        const parts = name.length > 1 ? name.split(/\+(?!$)/) : [name];
        const last = parts.at(-1);
        const single = last.length === 1 && parts.length > 1 ? last.toLowerCase() : last;
        return keyActions(chord([...parts.slice(0, -1).map((part) => kKeys[part]), kKeys[single] || single]));
      },
    },
    // Makes the page's area `width`×`height` CSS px, as far as the window can shrink.
    async setViewportSize({ width, height }) {
      for (let attempt = 0; attempt < 2; attempt++) {
        const outer = await send('GET', '/window/rect');
        const inner = await page.evaluate(() => [innerWidth, innerHeight]);
        await send('POST', '/window/rect', { width: outer.width + width - inner[0],
                                             height: outer.height + height - inner[1] });
      }
    },
    async screenshot({ path }) {
      fs.writeFileSync(path, Buffer.from(await send('GET', '/screenshot'), 'base64'));
    },
    // What watch.js recorded in the current document: adds its problems to `problems` and
    // gives the addresses that the document requested.
    async watched(problems) {
      const seen = await page.evaluate(() => ({
        problems: window.mathieu12Problems || ['watch.js did not run'],
        requests: [location.href, ...performance.getEntriesByType('resource').map((entry) => entry.name)],
      }));
      problems.push(...seen.problems);
      return seen.requests;
    },
  };
  return page;
}

// A browser like playwright's (`reducedMotion` as the user's setting): newPage() opens a WebKit window at the size asked; close() ends the
// session and stops the driver and Xvfb by their process ids.
async function launchWebKit({ reducedMotion = false } = {}) {
  const xvfb = await startXvfb();
  let driver = null;
  const stop = () => {
    for (const child of [driver && driver.process, xvfb.process]) {
      if (child) try { process.kill(-child.pid, 'SIGTERM'); } catch { /* already gone */ }
    }
  };
  try {
    driver = await startDriver(xvfb.display, reducedMotion);
    const options = { binary: kMiniBrowser, args: ['--automation'] };
    const created = await command(driver.base, 'POST', '/session', {
      capabilities: { alwaysMatch: { browserName: 'MiniBrowser', 'webkitgtk:browserOptions': options } },
    });
    const session = `${driver.base}/session/${created.sessionId}`;
    const windows = { current: null };
    return {
      async newPage({ viewport }) {
        const page = createPage(session, windows, await command(session, 'GET', '/window'));
        await page.goto('about:blank');
        await page.setViewportSize(viewport);
        return page;
      },
      async close() {
        await command(session, 'DELETE', '').catch(() => {});
        stop();
      },
    };
  } catch (error) {
    stop();
    throw error;
  }
}

module.exports = { launchWebKit };
