// What every web test needs: the site served on a free port of the loopback address, Debian's
// chromium driven by puppeteer-core from the page's own npm packages (nothing is downloaded), the
// texts the native program says the page must show, and a page that records every console error.
import { execFile } from 'node:child_process';
import { mkdtempSync, rmSync, existsSync } from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { promisify } from 'node:util';

import { serveSite } from '../../scripts/serve-site.mjs';

export const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
export const site = path.join(root, 'build-web/site');

// puppeteer-core is one of the page's development packages (src/web/package.json).
const require = createRequire(path.join(root, 'src/web/package.json'));
const puppeteer = (await import(require.resolve('puppeteer-core'))).default;

// The size at which the window fits the viewport exactly at one CSS pixel per 15 twips, so a
// pointer on whole pixels reads at whole pixels' twips, as on the desktop.
export const viewport = { width: 1028, height: 689 };

const chromiumFlags = [
  '--no-sandbox',
  '--disable-gpu',
  '--disable-quic',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
];

// The texts the page must show, as the native program over the core prints them.
export async function expected(...args) {
  const program =
    process.env.QUORVANE_WEB_EXPECTED ??
    path.join(root, 'build/tests/web/expected/quorvane_web_expected');
  if (!existsSync(program)) {
    throw new Error(`no ${program}: build the target quorvane_web_expected (scripts/web.sh test)`);
  }
  const { stdout } = await promisify(execFile)(program, args, { maxBuffer: 64 << 20 });
  return JSON.parse(stdout);
}

// The site on a free port; close() stops it.
export async function startSite() {
  if (!existsSync(path.join(site, 'index.html'))) {
    throw new Error(`no ${site}/index.html: run "bash scripts/web.sh build" first`);
  }
  const { server, url } = await serveSite(site, 0);
  return { url, close: () => new Promise((resolve) => server.close(resolve)) };
}

// Debian's chromium, headless, in a fresh profile that is removed on close().
export async function launchChromium(extraArgs = []) {
  const profile = mkdtempSync(path.join(os.tmpdir(), 'quorvane-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.QUORVANE_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: [...chromiumFlags, ...extraArgs],
    defaultViewport: viewport,
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    rmSync(profile, { recursive: true, force: true });
  };
  return browser;
}

// Debian's firefox-esr over WebDriver BiDi, in a fresh profile.
export async function launchFirefox() {
  const profile = mkdtempSync(path.join(os.tmpdir(), 'quorvane-firefox-'));
  const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: process.env.QUORVANE_FIREFOX ?? '/usr/bin/firefox-esr',
    headless: true,
    userDataDir: profile,
    defaultViewport: viewport,
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    rmSync(profile, { recursive: true, force: true });
  };
  return browser;
}

// A new page that records console errors, uncaught exceptions and failed requests in `errors`.
export async function newPage(browser, errors, origin) {
  const context = browser.defaultBrowserContext();
  if (origin) {
    await context.overridePermissions(origin, [
      'clipboard-read',
      'clipboard-write',
      'clipboard-sanitized-write',
    ]);
  }
  const page = await browser.newPage();
  page.on('console', (message) => {
    if (message.type() === 'error') errors.push(`console: ${message.text()}`);
  });
  page.on('pageerror', (error) => errors.push(`page: ${error.message}`));
  page.on('requestfailed', (request) => {
    errors.push(`request: ${request.url()} ${request.failure()?.errorText ?? ''}`);
  });
  return page;
}

// Waits until the page has laid the window out from the core: the Pout caption is there.
export async function windowShown(page) {
  await page.waitForSelector('[data-name="lblPowerOut"]', { timeout: 20000 });
}

export function selector(name) {
  return `[data-name="${name.replace(/["\\]/g, '\\$&')}"]`;
}

export async function textOf(page, name) {
  return page.$eval(selector(name), (element) =>
    'value' in element && element.tagName !== 'BUTTON' ? element.value : element.textContent,
  );
}

// The page's data-name of the focused control, and of the panel it stands in.
export async function focused(page) {
  return page.evaluate(() => {
    const element = document.activeElement;
    if (!element || element === document.body) return { name: '', panel: '' };
    const panel = element.closest('[role="group"][data-name]');
    const named = element.closest('[data-name]');
    return {
      name: named?.getAttribute('data-name') ?? '',
      panel: panel && panel !== named ? panel.getAttribute('data-name') : '',
    };
  });
}

// Where the page's own context menu opens: a place on the window with no control under it (the
// space under the diagram's signal line).
export const windowBackground = { x: 600, y: 250 };

// Opens the page's context menu, over a picture or on the window's background, and picks items
// by their data-name, going through submenus ('experiments', 'experiment(2)'), with the mouse.
export async function pickFromMenu(page, picture, ...items) {
  let at = windowBackground;
  if (picture) {
    const box = await (await page.$(selector(picture))).boundingBox();
    at = { x: box.x + box.width / 2, y: box.y + box.height / 2 };
  }
  await page.mouse.click(at.x, at.y, { button: 'right' });
  for (const item of items) {
    const element = await page.waitForSelector(`[role="menuitem"]${selector(item)}`, {
      visible: true,
      timeout: 5000,
    });
    await element.hover();
    if (!(await element.evaluate((e) => e.hasAttribute('aria-haspopup')))) await element.click();
  }
}

// The clipboard's text, as the page's Copy actions left it.
export async function clipboardText(page) {
  return page.evaluate(() => navigator.clipboard.readText());
}

export async function setClipboardText(page, text) {
  await page.evaluate((t) => navigator.clipboard.writeText(t), text);
}

// Moves the pointer to (x, y) twips on a picture, as the page lays it out, and gives what the
// read-out then says ("" when it shows none) and where the page says it read it.
export async function readoutAt(page, picture, x, y, widthTwips, heightTwips) {
  const box = await (await page.$(selector(picture))).boundingBox();
  await page.mouse.move(box.x + (x * box.width) / widthTwips, box.y + (y * box.height) / heightTwips);
  return page.$eval(selector('readout'), (element) => ({
    text: element.hidden ? '' : element.textContent,
    picture: element.dataset.picture,
    x: Number(element.dataset.x),
    y: Number(element.dataset.y),
  }));
}
