// Opens Tavorel's reports in Debian's headless Chromium, over file:// as a user would, and
// fails when a picture did not load, when a picture is not the size its caption gives, or
// when a page holds an element that its writer does not make: markup that came from a name
// or a line of a text. Writes a PNG screenshot of the first report.
//
//   node check.mjs <screenshot.png> <report.html> [--shows <text>]... [<report.html> ...]
//
// --shows names a text that the report before it must show as it is written (a hostile name).
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

// The elements the report's writer makes, and no others.
const kWritten = new Set(['html', 'head', 'meta', 'title', 'style', 'body', 'h1', 'h2', 'h3', 'p', 'table',
  'tbody', 'tr', 'th', 'td', 'a', 'span', 'ul', 'li', 'section', 'div', 'figure', 'img', 'figcaption']);

const [screenshot, ...rest] = process.argv.slice(2);
const reports = [];
for (let i = 0; i < rest.length; ++i) {
  if (rest[i] === '--shows' && reports.length > 0 && i + 1 < rest.length) reports.at(-1).shows.push(rest[++i]);
  else reports.push({ path: rest[i], shows: [] });
}
if (!screenshot || reports.length === 0) {
  console.log('usage: node check.mjs <screenshot.png> <report.html> [--shows <text>]... [<report.html> ...]');
  process.exit(2);
}

const profile = mkdtempSync(join(tmpdir(), 'tavorel-report-check-'));
const context = await chromium.launchPersistentContext(profile, {
  executablePath: '/usr/bin/chromium',
  headless: true,
  viewport: { width: 1200, height: 1000 },
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
let failed = 0;
try {
  for (const [index, { path: report, shows }] of reports.entries()) {
    const failures = [];
    const page = await context.newPage();
    const blocked = [];
    page.on('console', (message) => { if (message.type() === 'error') blocked.push(message.text()); });
    await page.goto(pathToFileURL(resolve(report)).href, { waitUntil: 'load' });
    const seen = await page.evaluate(() => ({
      tags: [...document.querySelectorAll('*')].map((element) => element.localName),
      pictures: [...document.images].map((image) => ({
        src: image.getAttribute('src'),
        loaded: image.complete && image.naturalWidth > 0,
        size: `${image.naturalWidth} \u00d7 ${image.naturalHeight}`,
        caption: image.parentElement.querySelector('figcaption')?.textContent ?? '',
      })),
      text: document.body.innerText,
    }));
    const strange = [...new Set(seen.tags.filter((tag) => !kWritten.has(tag)))];
    if (strange.length > 0) failures.push(`${report}: elements that the report does not write: ${strange.join(', ')}`);
    if (seen.pictures.length === 0) failures.push(`${report}: no picture at all`);
    for (const picture of seen.pictures) {
      if (!picture.loaded) failures.push(`${report}: the picture ${picture.src} did not load`);
      else if (!picture.caption.endsWith(`, ${picture.size}`)) {
        failures.push(`${report}: the picture ${picture.src} is ${picture.size}, its caption reads ${picture.caption}`);
      }
    }
    for (const text of shows) if (!seen.text.includes(text)) failures.push(`${report}: the text ${text} does not show`);
    for (const error of blocked) failures.push(`${report}: the browser reported: ${error}`);
    console.log(`${report}: ${seen.pictures.length} pictures, ${seen.tags.length} elements`);
    for (const failure of failures) console.log(failure);
    if (failures.length > 0) ++failed;
    // The top of the page: the run, its scenarios, and the first one's messages and rules.
    const clip = { x: 0, y: 0, width: 1200, height: 1240 };
    if (index === 0) await page.screenshot({ path: screenshot, fullPage: true, clip });
    await page.close();
  }
} finally {
  await context.close();
  rmSync(profile, { recursive: true, force: true });
}
console.log(`${reports.length - failed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
