// Makes the README's picture of the visual page: the README's solver pair solved in Chromium and
// played back to its fourth move, with a record of five days, in a window 900 px wide, from the
// top of the page to the foot of the plot of states by distance.
//   node picture.js PAGE_FOLDER OUTPUT_PNG
'use strict';

const path = require('path');
const { openPage, waitFor } = require('./browser.js');

const [, , pageFolder, output] = process.argv;

async function main() {
  const opened = await openPage(path.resolve(pageFolder), { width: 900, height: 900, reducedMotion: true });
  const page = opened.page;
  const ready = () => waitFor(page, () => page.evaluate(() => document.body.dataset.ready || ''), Boolean, 'the page');
  await ready();
  // A record of five days solved up to 2026-12-10, written as the page keeps it.
  await page.clock.setFixedTime('2026-12-10T12:00:00');
  await page.evaluate((days) => createKeeper().write('mathieu12.record', { days, attempt: null }), Object.fromEntries(
    [['06', 23, 21], ['07', 15, 15], ['08', 18, 16], ['09', 17, 17], ['10', 19, 18]].map(([day, moves, shortest]) =>
      [`2026-12-${day}`, { hints: day === '08' ? 1 : 0, distanceShown: false, result: { moves, shortest } }])));
  await page.reload();
  await ready();
  await page.evaluate(() => { document.getElementById('target').value = '12 11 10 9 8 7 6 5 4 3 2 1'; });
  await page.click('#solve');
  await waitFor(page, () => page.evaluate(() => document.getElementById('solution').textContent), Boolean, 'the solution');
  await page.click('#solution li:nth-child(4) button');
  await page.evaluate(() => {
    document.getElementById('board').focus({ preventScroll: true });
    scrollTo(0, 0);  // the board's stage is drawn where it sits at the top
  });
  const bottom = await page.evaluate(() => document.getElementById('plot').getBoundingClientRect().bottom + scrollY + 8);
  await page.screenshot({ path: output, fullPage: true, clip: { x: 0, y: 0, width: 900, height: Math.ceil(bottom) } });
  await opened.close();
}

main().catch((error) => {
  console.error(error.stack || String(error));
  process.exit(1);
});
