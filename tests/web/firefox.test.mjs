// A short smoke test in Debian's firefox-esr, driven over WebDriver BiDi by the same
// puppeteer-core: a link with a setup opens in test mode, and after the same refreshes the page
// shows the native Pout caption and plot labels, with no console errors. Skipped where the
// machine has no firefox-esr.
import assert from 'node:assert/strict';
import { existsSync } from 'node:fs';
import { after, before, test } from 'node:test';

import { expected, launchFirefox, newPage, startSite, textOf, windowShown } from './support.mjs';

const firefox = process.env.QUORVANE_FIREFOX ?? '/usr/bin/firefox-esr';
const skip = existsSync(firefox) ? false : `no ${firefox}`;
let server;
let browser;
const errors = [];

before(async () => {
  if (skip) return;
  server = await startSite();
  browser = await launchFirefox();
});

after(async () => {
  await browser?.close();
  await server?.close();
});

test('firefox-esr opens a setup link and shows the native caption and labels', { skip }, async () => {
  const table = await expected();
  const c = table.cases.find((x) => x.experiment < 0 && !x.setupError && x.setup.includes('Noise:'));
  const page = await newPage(browser, errors);
  await page.goto(`${server.url}?test#setup=${encodeURIComponent(c.setup)}`);
  await windowShown(page);
  await page.evaluate((n) => window.quorvaneTest.tick(n), c.ticks);
  assert.equal(await textOf(page, 'lblPowerOut'), c.lblPowerOut);
  for (const [name, text] of Object.entries(c.labels)) assert.equal(await textOf(page, name), text);
  assert.deepEqual(errors, [], 'console errors');
});
