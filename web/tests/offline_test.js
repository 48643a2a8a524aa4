// The page folder served on 127.0.0.1 in Chromium, as a phone keeps it: installable, and after one
// visit usable with the network gone or never answering (the visual page plays, solves and plays
// back; the terminal page runs a solver session; the manual opens), and a new build reaches it at
// the next visit.
//   node offline_test.js PAGE_FOLDER NATIVE_PROGRAM OFFLINE_SOURCE_FOLDER
'use strict';

const assert = require('assert/strict');
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { chromium } = require('playwright-core');
const { serve, waitFor } = require('./browser.js');
const b = require('./terminal_screen.js');

const [, , pageFolder, nativeProgram, offlineSource] = process.argv;
const kFrom = '1 2 3 4 5 6 7 8 9 10 11 12';
const kTo = '12 11 10 9 8 7 6 5 4 3 2 1';
const kPromptMs = 5000;

// The worker's stores once it controls the page: the one store of the build that wrote it.
const storesOnce = (page, folder) => {
  const store = /kStore = '([^']+)'/.exec(fs.readFileSync(path.join(folder, 'service-worker.js'), 'utf8'))[1];
  return waitFor(page, () => page.evaluate(async () => (navigator.serviceWorker.controller ? (await caches.keys()).join(' ') : '')),
                 (stores) => stores === store, `the worker's store ${store} alone`);
};
const heading = (page) => page.evaluate(() => document.querySelector('h1').textContent);

async function visitBoard(page, base) {
  await page.goto(base + 'index.html');
  await waitFor(page, () => page.evaluate(() => document.body.dataset.ready || ''), Boolean, 'the page');
}

// Plays, solves and plays back on the visual page, then runs a solver session at the terminal
// page and opens the manual.
async function useEveryPage(page, base) {
  await visitBoard(page, base);
  await page.click('#move-l');
  await page.fill('#target', kTo);
  await page.click('#solve');
  await waitFor(page, () => page.evaluate(() => document.getElementById('solution').textContent), Boolean, 'the solution');
  await page.click('#to-end');
  assert.equal(await page.evaluate(() => document.getElementById('distance').textContent), 'At the target');
  await page.goto(base + 'terminal.html');
  await b.waitForEnding(page, 'simulator\n------------------------------\n');
  await b.typeLines(page, ['1', kFrom, kTo]);
  const letters = execFileSync(nativeProgram, [], { input: `1\n${kFrom}\n${kTo}\n` }).toString().split('\n').at(-2);
  await b.waitForScreen(page, (text) => text.includes(letters), letters);
  await page.goto(base + 'mathieu12.html');
  assert.match(await page.evaluate(() => document.body.textContent), /mathieu12/);
}

async function main() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'mathieu12-offline-'));
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'mathieu12-profile-'));
  fs.cpSync(path.resolve(pageFolder), folder, { recursive: true });
  const server = await serve(folder);
  // A profile on disk: Chromium calls a throwaway context incognito, which installs nothing.
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.MATHIEU12_CHROMIUM || '/usr/bin/chromium', headless: true });
  const page = context.pages()[0] || await context.newPage();
  const problems = [];
  page.on('console', (message) => { if (message.type() === 'error') problems.push(message.text()); });
  try {
    await visitBoard(page, server.base);
    await storesOnce(page, folder);
    const { installabilityErrors } = await (await context.newCDPSession(page)).send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors, []);
    // A network that takes the requests and never answers: the visited page shows and plays at once.
    server.hanging = true;
    const started = Date.now();
    await visitBoard(page, server.base);
    await page.click('#move-l');
    await waitFor(page, () => page.evaluate(() => document.getElementById('moves-made').textContent), (moves) => moves === 'L', 'the move');
    assert.ok(Date.now() - started < kPromptMs, `the page took ${Date.now() - started} ms`);
    server.hanging = false;
    server.drop();
    server.down = true;
    await useEveryPage(page, server.base);
    // A new build: the changed file reaches the page online, and is kept for the next time offline.
    server.down = false;
    const index = path.join(folder, 'index.html');
    fs.writeFileSync(index, fs.readFileSync(index, 'utf8').replace('<h1>mathieu12</h1>', '<h1>mathieu12, rebuilt</h1>'));
    execFileSync('cmake', [`-DFOLDER=${folder}`, `-DTEMPLATE=${path.join(offlineSource, 'service-worker.js.in')}`,
                           '-DVERSION=rebuilt', '-P', path.join(offlineSource, 'service_worker.cmake')]);
    await visitBoard(page, server.base);
    assert.equal(await heading(page), 'mathieu12, rebuilt');
    await storesOnce(page, folder);
    server.down = true;
    await visitBoard(page, server.base);
    assert.equal(await heading(page), 'mathieu12, rebuilt');
    assert.deepEqual(problems, []);
    assert.deepEqual(server.requests.filter((url) => !url.startsWith('/mathieu12/')), []);
    console.log('the page folder works offline and takes a new build');
  } finally {
    await context.close();
    await server.close();
    fs.rmSync(folder, { recursive: true, force: true });
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(error.stack || String(error));
  process.exit(1);
});
