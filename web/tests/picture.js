// Makes the README's picture of the visual page: the README's solver pair solved in Chromium and
// played back to its fourth move, in a window 900 px wide, from the top of the page to the foot
// of the plot of states by distance.
//   node picture.js PAGE_FOLDER OUTPUT_PNG
'use strict';

const path = require('path');
const { openPage, waitFor } = require('./browser.js');

const [, , pageFolder, output] = process.argv;

async function main() {
  const opened = await openPage(path.resolve(pageFolder), { width: 900, height: 900, reducedMotion: true });
  const page = opened.page;
  await waitFor(page, () => page.evaluate(() => document.body.dataset.ready || ''), Boolean, 'the page');
  await page.evaluate(() => { document.getElementById('target').value = '12 11 10 9 8 7 6 5 4 3 2 1'; });
  await page.click('#solve');
  await waitFor(page, () => page.evaluate(() => document.getElementById('solution').textContent), Boolean, 'the solution');
  await page.click('#solution li:nth-child(4) button');
  await page.evaluate(() => document.getElementById('board').focus());
  const bottom = await page.evaluate(() => document.getElementById('plot').getBoundingClientRect().bottom + scrollY + 8);
  await page.screenshot({ path: output, fullPage: true, clip: { x: 0, y: 0, width: 900, height: Math.ceil(bottom) } });
  await opened.close();
}

main().catch((error) => {
  console.error(error.stack || String(error));
  process.exit(1);
});
