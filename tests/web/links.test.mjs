// Setups as links: opening the page with #setup= and a setup applies it as a paste does, and the
// page then holds the setup the core natively makes of that text; Copy Link gives such a link
// back. A malformed link shows the parser's message in data-name="setupError" and leaves the
// start-up state. In test mode a fresh page's generator stands at its start, so after the same
// refreshes the page shows the native Pout caption and labels.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import {
  clipboardText,
  expected,
  launchChromium,
  newPage,
  pickFromMenu,
  selector,
  startSite,
  textOf,
  windowShown,
} from './support.mjs';

let server;
let browser;
const errors = [];
const table = await expected();

before(async () => {
  server = await startSite();
  browser = await launchChromium();
});

after(async () => {
  await browser?.close();
  await server?.close();
});

async function open(query, setup) {
  const page = await newPage(browser, errors, new URL(server.url).origin);
  await page.goto(`${server.url}${query}#setup=${encodeURIComponent(setup)}`);
  await windowShown(page);
  return page;
}

const good = table.cases.filter((c) => !c.setupError);
const bad = table.cases.find((c) => c.setupError);

for (const c of good.filter((c) => c.experiment < 0)) {
  test(`a link opens its chain: ${c.name}`, async () => {
    const page = await open('?test', c.setup);
    const message = await page.$eval(selector('setupError'), (e) =>
      e.closest('[hidden]') ? '' : e.textContent,
    );
    assert.equal(message, '', 'no parser message');
    await page.evaluate((n) => window.quorvaneTest.tick(n), c.ticks);
    assert.equal(await textOf(page, 'lblPowerOut'), c.lblPowerOut);
    for (const [name, text] of Object.entries(c.labels)) assert.equal(await textOf(page, name), text);
    await pickFromMenu(page, null, 'copySetup');
    assert.equal(await clipboardText(page), c.setupText);
    await page.close();
  });
}

test('Copy Link puts the setup into the address and on the clipboard, and the link opens it', async () => {
  const c = table.cases.find((x) => x.experiment === 1);
  const page = await newPage(browser, errors, new URL(server.url).origin);
  await page.goto(server.url);
  await windowShown(page);
  await pickFromMenu(page, null, 'experiments', `experiment(${c.experiment})`);
  await pickFromMenu(page, null, 'copyLink');
  const link = await clipboardText(page);
  assert.equal(link, `${server.url}#setup=${encodeURIComponent(c.setupText)}`);
  assert.equal(await page.evaluate(() => location.href), link);
  const again = await newPage(browser, errors, new URL(server.url).origin);
  await again.goto(link);
  await windowShown(again);
  await pickFromMenu(again, null, 'copySetup');
  assert.equal(await clipboardText(again), c.setupText);
  await page.close();
  await again.close();
});

test('a malformed link shows the parser\'s message and keeps the start-up state', async () => {
  const page = await open('', bad.setup);
  const message = await page.waitForSelector(`${selector('setupError')}`, { visible: true });
  assert.equal(await message.evaluate((e) => e.getAttribute('role')), 'alert');
  // The message's lines may be laid out as paragraphs: its words and their order must match.
  const words = (text) => text.replace(/\s+/g, ' ').trim();
  assert.equal(words(await message.evaluate((e) => e.innerText)), words(bad.setupError));
  await pickFromMenu(page, null, 'copySetup');
  assert.equal(await clipboardText(page), 'Quorvane setup 1\n');
  await page.close();
  assert.deepEqual(errors, [], 'console errors');
});
