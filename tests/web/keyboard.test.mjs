// The keyboard alone: Tab reaches every control the window shows, in the core's focus order (a
// panel's name standing for its own boxes); Space toggles a switch, Up and Down step a stage
// list, Alt+n picks test point n. The setup these keys leave is the one the same steps leave in
// the core natively.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import {
  clipboardText,
  expected,
  focused,
  launchChromium,
  newPage,
  pickFromMenu,
  startSite,
  windowShown,
} from './support.mjs';

let server;
let browser;
let page;
const errors = [];
const { keyboard } = await expected();

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

// The names Tab should stop at, in order: the core's focus order, less what the page does not
// show or has disabled.
async function reachable() {
  const scene = await page.evaluate(() => window.quorvaneTest.scene());
  const shown = new Map();
  for (const panel of scene.panels) {
    const boxes = panel.controls.filter((c) => c.visible && c.enabled && c.kind !== 'label');
    shown.set(panel.name, panel.visible && boxes.length > 0);
  }
  for (const c of scene.controls) shown.set(c.name, c.visible && c.enabled && c.kind !== 'label');
  for (const p of scene.pictures) shown.set(p.name, true);
  return scene.focusOrder.filter((name) => shown.get(name));
}

// One whole round of Tab: where focus stops, a panel's boxes counted once under the panel's
// name, from the first name of `order` on (the browser's own stops between rounds left out).
async function tabRound(order) {
  const stops = [];
  for (let n = 0; n < 400; n += 1) {
    await page.keyboard.press('Tab');
    const { name, panel } = await focused(page);
    const stop = panel || name;
    if (stop === '' || stops.at(-1) === stop) continue;
    if (stops.length > 1 && stop === stops[0]) break;
    stops.push(stop);
  }
  const first = stops.indexOf(order[0]);
  return first < 0 ? stops : [...stops.slice(first), ...stops.slice(0, first)];
}

// Tabs on until focus stands on the named control.
async function tabTo(panel, control) {
  for (let n = 0; n < 400; n += 1) {
    await page.keyboard.press('Tab');
    const at = await focused(page);
    if (at.name === control && at.panel === panel) return;
  }
  assert.fail(`Tab never reached ${panel} ${control}`);
}

test('Tab reaches every control in the core\'s order, before and after switching stages in', async () => {
  let order = await reachable();
  assert.deepEqual(await tabRound(order), order);
  for (const key of keyboard.keys) {
    if (key.control.startsWith('Check1')) {
      await page.focus(`[data-name="${key.control}"]`);
      await page.keyboard.press('Space');
    }
  }
  order = await reachable();
  assert.ok(order.some((name) => name.startsWith('MixerControl1')), 'a stage panel shows');
  assert.deepEqual(await tabRound(order), order);
});

test('Space, Up, Down and Alt+n leave the setup the same keys leave natively', async () => {
  await page.evaluate(() => window.quorvaneTest.reset());
  await page.evaluate(() => document.activeElement?.blur());
  for (const key of keyboard.keys) {
    const point = /^cmdGraph\((\d)\)$/.exec(key.control);
    if (point) {
      await page.keyboard.down('Alt');
      await page.keyboard.press(point[1]);
      await page.keyboard.up('Alt');
      continue;
    }
    await tabTo(key.panel, key.control);
    if (key.direction === 0) {
      await page.keyboard.press('Space');
    } else {
      const before = await page.evaluate(() => document.activeElement.value);
      await page.keyboard.press(key.direction < 0 ? 'ArrowUp' : 'ArrowDown');
      const after = await page.evaluate(() => ({
        value: document.activeElement.value,
        role: document.activeElement.getAttribute('role'),
      }));
      assert.equal(after.role, 'combobox');
      assert.notEqual(after.value, before, `${key.panel} ${key.control} stepped`);
    }
    // Tab starts from the page's top again for the next key, as a student working through the
    // window would after a step.
    await page.evaluate(() => document.activeElement?.blur());
  }
  await pickFromMenu(page, null, 'copySetup');
  assert.equal(await clipboardText(page), keyboard.setupText);
  assert.deepEqual(errors, [], 'console errors');
});
