// What the browser tests share: a page opened in one of three engines (Chromium and Firefox through
// playwright-core, WebKit through its WebDriver), from its file or served on 127.0.0.1, driven
// through one small interface (a subset of playwright's Page), with every request, console error
// and policy violation watched.
'use strict';

const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const { pathToFileURL } = require('url');
const { chromium, firefox } = require('playwright-core');
const { launchWebKit } = require('./webdriver.js');

const kWaitMs = 10000;
const kShown = 300;  // characters of a message kept for the report
const kTypes = {
  '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.svg': 'image/svg+xml',
  '.png': 'image/png', '.webmanifest': 'application/manifest+json',
};
// Each engine: how to start it, and the options of a phone's page (390×844) in it: touch where
// the engine emulates it; elsewhere a tap is a click.
const kEngines = {
  chromium: {
    launch: () => chromium.launch({
      executablePath: process.env.MATHIEU12_CHROMIUM || '/usr/bin/chromium', headless: true }),
    phone: { hasTouch: true, isMobile: true },
  },
  firefox: {
    // A stock Firefox over WebDriver BiDi: the channel that playwright-core 1.64 offers for it.
    // Reduced motion is Firefox's own preference: playwright's emulation of it does not reach
    // a stock Firefox over BiDi.
    launch: ({ reducedMotion }) => firefox.launch({ channel: 'moz-firefox', headless: true,
      executablePath: process.env.MATHIEU12_FIREFOX || '/usr/bin/firefox-esr',
      firefoxUserPrefs: reducedMotion ? { 'ui.prefersReducedMotion': 1 } : {} }),
    phone: {},  // its touch emulation over BiDi sends no events: a phone is its window size
  },
  webkit: { launch: launchWebKit, phone: {} },
};
const kEngineNames = Object.keys(kEngines);

// Serves `folder` under /mathieu12/ on a free port of 127.0.0.1; every request is recorded.
// While `down` is set, the server drops every connection, as a network that is gone.
function serve(folder) {
  const requests = [];
  // Down, it drops every connection; hanging, it takes requests and never answers them.
  const served = { down: false, hanging: false };
  const server = http.createServer((request, response) => {
    if (served.down) {
      request.socket.destroy();
      return;
    }
    if (served.hanging) return;
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
      // drop() ends every open connection, the hanging ones too, as a network that comes back.
      resolve(Object.assign(served, { base, requests, drop: () => server.closeAllConnections(), close: () => new Promise((done) => {
        server.close(done);
        server.closeAllConnections();
      }) }));
    });
  });
}

// A copy of the page's folder whose pages load watch.js before anything else, for an engine whose
// driver reports no console; `remove` deletes it.
function watchedCopy(folder) {
  const copy = fs.mkdtempSync(path.join(os.tmpdir(), 'mathieu12-page-'));
  fs.cpSync(folder, copy, { recursive: true });
  fs.copyFileSync(path.join(__dirname, 'watch.js'), path.join(copy, 'watch.js'));
  const pages = fs.readdirSync(copy).filter((file) => file.endsWith('.html')).map((name) => path.join(copy, name));
  // Adds `script` to every page after the scripts added before it, ahead of the page's own.
  const kMark = '<!--init-->';
  const addToHead = (name) => pages.forEach((file) => {
    const html = fs.readFileSync(file, 'utf8');
    fs.writeFileSync(file, html.includes(kMark) ? html.replace(kMark, `<script src="${name}"></script>${kMark}`)
                                                : html.replace('<head>', `<head><script src="${name}"></script>${kMark}`));
  });
  addToHead('watch.js');
  let inits = 0;
  return {
    folder: copy,
    remove: () => fs.rmSync(copy, { recursive: true, force: true }),
    // Each script in a file of its own, so that no cached copy of an earlier one stands in for it.
    addInitScript(script, arg) {
      const name = `init-${++inits}.js`;
      fs.writeFileSync(path.join(copy, name), `(${script})(${JSON.stringify(arg)});\n`);
      addToHead(name);
    },
  };
}

// Records what goes wrong in the pages of a playwright context: console errors, uncaught errors
// and policy violations (through a script run before the page's own).
async function watchPlaywrightContext(context, problems, requested) {
  context.on('console', (message) => {
    if (message.type() === 'error') problems.push('console error: ' + message.text().slice(0, kShown));
  });
  context.on('weberror', (error) => problems.push('page error: ' + error.error().message.slice(0, kShown)));
  context.on('request', (request) => requested.push(request.url().slice(0, kShown)));
  await context.addInitScript(() => {
    document.addEventListener('securitypolicyviolation', (event) => {
      console.error(`policy violation: ${event.violatedDirective} ${event.blockedURI}`);
    });
  });
}

// Makes the page's Date always `time` (ms since 1970), as playwright's clock.setFixedTime does.
function fixDate(time) {
  const RealDate = Date;
  window.Date = class extends RealDate {
    constructor(...args) {
      super(...(args.length === 0 ? [time] : args));
    }
    static now() {
      return time;
    }
  };
}

// Opens `file` (index.html by default) of the page in `folder` in a new browser of `engine`: from
// its file (`over` 'file') or served ('http'), in a window of `width`×`height`, or as a phone;
// with `reducedMotion`, as for a user who asks for reduced motion.
async function openPage(folder, { engine = 'chromium', over = 'file', file = 'index.html', width = 1024,
                                  height = 700, phone = false, reducedMotion = false, browser = null } = {}) {
  const kind = kEngines[engine];
  if (!kind) throw new Error(`no engine named ${engine}`);
  const watched = engine === 'webkit' ? watchedCopy(folder) : null;
  const served = watched ? watched.folder : folder;
  const server = over === 'http' ? await serve(served) : null;
  const base = server ? server.base : pathToFileURL(served).href + '/';
  const ownBrowser = browser ? null : await kind.launch({ reducedMotion });
  const size = phone ? { width: 390, height: 844 } : { width, height };
  const pageOptions = { viewport: size, ...(phone ? kind.phone : {}), ...(reducedMotion ? { reducedMotion: 'reduce' } : {}) };
  // A context of its own, where the engine has them, so that a test can open more pages in it.
  const context = watched ? null : await (browser || ownBrowser).newContext(pageOptions);
  const page = context ? await context.newPage() : await (browser || ownBrowser).newPage(pageOptions);
  const problems = [];
  const requested = [];
  if (!watched) await watchPlaywrightContext(page.context(), problems, requested);
  else {
    page.addInitScript = async (script, arg) => watched.addInitScript(script, arg);
    // The clock's one method that the tests use, from the next page loaded on.
    page.clock = { setFixedTime: (time) => page.addInitScript(fixDate, new Date(time).getTime()) };
  }
  // A tap is a click where the engine emulates no touch, or its driver has no taps (WebKit's).
  if (!page.tap || (phone && !kind.phone.hasTouch)) page.tap = (selector) => page.click(selector);
  await page.goto(base + file);
  const policy = await page.evaluate(() => {
    const meta = document.querySelector('meta[http-equiv="Content-Security-Policy"]');
    return meta && meta.content;
  });
  if (!policy || !policy.includes("default-src 'none'")) problems.push('no policy: ' + policy);
  return {
    page,
    base,
    // Closes the page (and the browser, unless it was given); fails on any console error or
    // violation, and on any request that left the page's folder.
    async close() {
      if (page.watched) requested.push(...await page.watched(problems));
      await (ownBrowser ? ownBrowser.close() : context ? context.close() : page.close());
      if (server) await server.close();
      if (watched) watched.remove();
      const outside = requested.filter((url) => !url.startsWith(base) && url !== 'about:blank');
      if (outside.length > 0) problems.push('requests outside the folder: ' + outside.join(' '));
      if (server && server.requests.some((url) => !url.startsWith('/mathieu12/'))) {
        problems.push('the server saw: ' + server.requests.join(' '));
      }
      if (problems.length > 0) throw new Error(problems.join('\n'));
    },
  };
}

// Runs `test(page, engine, opened)` with the page opened once from its file and once served over
// http, in one browser.
async function runBothWays(name, engine, pageFolder, test, options = {}) {
  const browser = await kEngines[engine].launch(options);
  try {
    for (const over of ['file', 'http']) {
      const opened = await openPage(path.resolve(pageFolder), { engine, over, browser, ...options });
      try {
        await test(opened.page, engine, opened);
      } finally {
        await opened.close();
      }
      console.log(`${name} passed in ${engine}, page opened over ${over}`);
    }
  } finally {
    await browser.close();
  }
}

// Waits until `read()` gives a value that satisfies `wanted`; fails with the last value.
async function waitFor(page, read, wanted, what) {
  const deadline = Date.now() + kWaitMs;
  let value = await read();
  while (!wanted(value)) {
    if (Date.now() > deadline) throw new Error(`waited for ${what}; the page shows:\n${value}`);
    await page.waitForTimeout(20);
    value = await read();
  }
  return value;
}

// A test file's command line: `--list` lists `tests` by name; `NAME ENGINE PAGE_FOLDER ... OUTPUT`
// runs one, both ways, after `prepare(page)`, with the options the test carries.
function runTestFile(tests, prepare, defaults = {}) {
  const [, , testName, engine, pageFolder] = process.argv;
  const outputFolder = process.argv.at(-1);
  async function main() {
    if (testName === '--list') {
      console.log(Object.keys(tests).join('\n'));
      return;
    }
    const test = tests[testName];
    if (!test) throw new Error(`no test named ${testName}`);
    fs.mkdirSync(outputFolder, { recursive: true });
    await runBothWays(testName, engine, pageFolder, async (page, ...rest) => {
      await prepare(page);
      await test(page, ...rest);
    }, { ...defaults, ...test.options });
  }
  main().catch((error) => {
    console.error(error.stack || String(error));
    process.exit(1);
  });
}

module.exports = { kEngineNames, openPage, runBothWays, runTestFile, serve, waitFor };
