// A table of setups, the experiments among them, applied as a student applies them (the
// Experiments menu, or Paste Setup with the setup on the clipboard) in the page's test mode,
// where the generator is reset and the refreshes are stepped by hand: the page must show the
// same Pout caption, plot labels, read-outs and tooltips as the core natively, character for
// character. For the setup the parser refuses, the page shows the parser's message and keeps
// the start-up state. No console errors anywhere.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import {
  clipboardText,
  expected,
  launchChromium,
  newPage,
  pickFromMenu,
  readoutAt,
  selector,
  setClipboardText,
  startSite,
  textOf,
  windowShown,
} from './support.mjs';

let server;
let browser;
let page;
let scene;
const errors = [];
const table = await expected();

before(async () => {
  server = await startSite();
  browser = await launchChromium();
  page = await newPage(browser, errors, new URL(server.url).origin);
  await page.goto(`${server.url}?test`);
  await windowShown(page);
});

after(async () => {
  await browser?.close();
  await server?.close();
});

// The window as the core describes it, and the size of each picture in twips.
async function pictures() {
  scene = await page.evaluate(() => window.quorvaneTest.scene());
  return Object.fromEntries(scene.pictures.map((p) => [p.name, p]));
}

// The tooltip a hover on a control shows (lazy ones are asked of the core on hover).
async function hoverTip(name) {
  const element = await page.$(selector(name));
  await element.hover();
  await page.waitForFunction((s) => document.querySelector(s)?.title !== '', {}, selector(name));
  return page.$eval(selector(name), (e) => e.title);
}

for (const c of table.cases) {
  test(`setup: ${c.name}`, async () => {
    await page.evaluate(() => window.quorvaneTest.reset());
    if (c.experiment >= 0) {
      await pickFromMenu(page, null, 'experiments', `experiment(${c.experiment})`);
    } else {
      await setClipboardText(page, c.setup);
      await pickFromMenu(page, null, 'pasteSetup');
      // The clipboard is read asynchronously.
      await new Promise((resolve) => setTimeout(resolve, 200));
    }
    const message = await page.$eval(selector('setupError'), (e) =>
      e.closest('[hidden]') ? '' : e.textContent,
    );
    assert.equal(message, c.setupError, 'the parser\'s message, or none');
    // Closing the message gives the window its whole viewport back.
    if (message) await page.click('#setup-error-close');
    await pickFromMenu(page, null, 'copySetup');
    assert.equal(
      await clipboardText(page),
      c.setupError ? 'Quorvane setup 1\n' : c.setupText,
      'the setup the page now holds',
    );

    await page.evaluate((n) => window.quorvaneTest.tick(n), c.ticks);
    assert.equal(await textOf(page, 'lblPowerOut'), c.lblPowerOut);
    const shown = {};
    for (const name of Object.keys(c.labels)) shown[name] = await textOf(page, name);
    assert.deepEqual(shown, c.labels, 'the plot groups\' labels');

    const places = await pictures();
    for (const r of c.readouts) {
      const p = places[r.picture];
      const read = await readoutAt(page, r.picture, r.x, r.y, p.width, p.height);
      const where = `the read-out on ${r.picture} at (${r.x}, ${r.y}) twips`;
      assert.equal(read.picture, r.picture, where);
      assert.ok(Math.abs(read.x - r.x) < 1e-6 && Math.abs(read.y - r.y) < 1e-6,
        `${where}: read at (${read.x}, ${read.y})`);
      assert.equal(read.text, r.text, where);
    }
    assert.equal(await hoverTip(`cmdGraph(${c.testPoint})`), c.testPointTip, 'the test point tip');
    assert.equal(await hoverTip('lblPowerOut'), c.powerOutTip, 'the output power tip');
    assert.deepEqual(errors, [], 'console errors');
  });
}
