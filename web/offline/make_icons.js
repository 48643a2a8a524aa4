// Makes the installed app's PNG icons from its SVG icons, drawn by Chromium: favicon.svg at 192
// and 512 px, and icon-maskable.svg (the letter inside the middle 80%, which every mask keeps).
//   node make_icons.js PAGE_SOURCE_FOLDER   (writes the PNGs beside this script)
'use strict';

const path = require('path');
const { pathToFileURL } = require('url');
const { chromium } = require('playwright-core');

const kIcons = [['favicon.svg', 192, 'icon-192.png'], ['favicon.svg', 512, 'icon-512.png'],
                ['icon-maskable.svg', 512, 'icon-maskable-512.png']];

async function main() {
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', headless: true });
  const page = await browser.newPage();
  for (const [svg, size, png] of kIcons) {
    const folder = svg === 'favicon.svg' ? process.argv[2] : __dirname;
    await page.setViewportSize({ width: size, height: size });
    await page.goto(pathToFileURL(path.resolve(folder, svg)).href);
    await page.screenshot({ path: path.join(__dirname, png) });
  }
  await browser.close();
}

main().catch((error) => {
  console.error(error.stack || String(error));
  process.exit(1);
});
