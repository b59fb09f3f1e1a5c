// The page's own logic that no browser is needed for: fitting the window, the setup links,
// the Tab order and the test-point keys.
import assert from "node:assert/strict";
import { test } from "node:test";

import { tabOrder } from "../app/focus.js";
import { fitFactor, Scale, snap, thumbShare } from "../app/layout.js";
import { buttonText, firstText, text } from "../app/scene.js";
import { hashForSetup, linkForSetup, setupFromHash } from "../app/setuplink.js";
import { testPointOfKey } from "../app/shortcuts.js";

test("the whole window fits the viewport and fills one side", () => {
  const cases = [
    { w: 15420, h: 10335, vw: 1366, vh: 768 },
    { w: 15420, h: 10335, vw: 1920, vh: 1080 },
    { w: 15420, h: 10335, vw: 800, vh: 1280 },
    { w: 15420, h: 10335, vw: 1028, vh: 689 },
  ];
  for (const c of cases) {
    const s = new Scale(fitFactor(c.w, c.h, c.vw, c.vh));
    const width = s.px(c.w), height = s.px(c.h);
    assert.ok(width <= c.vw + 1e-9 && height <= c.vh + 1e-9, JSON.stringify(c));
    assert.ok(Math.abs(width - c.vw) < 1e-9 || Math.abs(height - c.vh) < 1e-9,
              JSON.stringify(c));
    // A pointer's place in pixels reads back as the twips it lies on.
    assert.ok(Math.abs(s.twips(s.px(4321)) - 4321) < 1e-9);
  }
  // The desktop's own size: 15 twips to the pixel, 8 points = 10.67 pixels.
  const desktop = new Scale(fitFactor(15420, 10335, 1028, 689));
  assert.equal(desktop.px(15420), 1028);
  assert.ok(Math.abs(desktop.fontPx(8) - 32 / 3) < 1e-9);
});

test("lines keep to device pixels and scroll thumbs keep a size one can grab", () => {
  for (const [x, w, want] of [[10.2, 1, 10.5], [10.7, 1, 10.5], [10.4, 2, 10], [10.6, 2, 11],
                              [3, 3, 3.5]] as const) {
    assert.equal(snap(x, w), want, `snap(${x}, ${w})`);
  }
  assert.equal(thumbShare(0, 60, 10), 10 / 70);
  assert.equal(thumbShare(0, 0, 0), 0.1);
  assert.ok(thumbShare(0, 10000, 1) >= 0.08);
  assert.ok(thumbShare(0, 1, 1000) <= 0.9);
});

test("a setup goes into the address and back unchanged", () => {
  const setups = [
    "Architecture = Single-Conversion Heterodyne\nLNA.G = 10 dB\n",
    "a#b%c&d=e+f ?g",
    "Fc = 5 MHz; 290 K; µV; Δ — ü",
    "",
  ];
  for (const s of setups) {
    const hash = hashForSetup(s);
    assert.ok(!/[\s#&%+]/.test(hash.slice("#setup=".length).replace(/%[0-9A-F]{2}/g, "")));
    assert.equal(setupFromHash(hash), s);
    const link = linkForSetup("http://localhost:8000/index.html?test#setup=old", s);
    assert.equal(link, `http://localhost:8000/index.html?test${hash}`);
    assert.equal(setupFromHash(new URL(link).hash), s);
  }
  assert.equal(setupFromHash(""), null);
  assert.equal(setupFromHash("#other=1"), null);
  // A malformed escape reaches the parser as typed, so its message names it.
  assert.equal(setupFromHash("#setup=%E0%A4%A"), "%E0%A4%A");
});

test("the Tab order follows the core's list, panels standing for their boxes", () => {
  const panels = [
    { name: "FilterControl1(0)", controls: ["cmbFreq", "cmbRange"] },
    { name: "OscillatorControl1(0)", controls: ["cmdWorking", "Text1", "vscPower"] },
  ];
  const order = tabOrder(
      ["Check1(0)", "OscillatorControl1(0)", "nosuch", "cmbMode", "Check1(0)"],
      ["Check1(0)", "cmbMode", "cmdGraph(1)"], panels);
  assert.deepEqual(order, [
    "Check1(0)",
    "OscillatorControl1(0)/cmdWorking", "OscillatorControl1(0)/Text1",
    "OscillatorControl1(0)/vscPower",
    "cmbMode",
    // Left out of the list, still reached: panels' boxes, then the window's controls.
    "FilterControl1(0)/cmbFreq", "FilterControl1(0)/cmbRange",
    "cmdGraph(1)",
  ]);
});

test("Alt with a digit 1..8 and nothing else selects a test point", () => {
  const key = (code: string, mods: Partial<Record<"altKey" | "ctrlKey" | "metaKey" |
                                                  "shiftKey", boolean>> = {}) =>
      testPointOfKey({ code, altKey: false, ctrlKey: false, metaKey: false, shiftKey: false,
                       ...mods });
  assert.equal(key("Digit3", { altKey: true }), 3);
  assert.equal(key("Numpad8", { altKey: true }), 8);
  assert.equal(key("Digit1", { altKey: true }), 1);
  assert.equal(key("Digit9", { altKey: true }), 0);
  assert.equal(key("Digit0", { altKey: true }), 0);
  assert.equal(key("Digit3"), 0);
  assert.equal(key("Digit3", { altKey: true, ctrlKey: true }), 0);
  assert.equal(key("Digit3", { altKey: true, shiftKey: true }), 0);
  assert.equal(key("KeyA", { altKey: true }), 0);
});

test("page texts are read by path; a missing one shows its path or the agreed stand-in", () => {
  const texts = {
    title: "Quorvane",
    menu: { pasteSetup: { text: "Paste Setup", tip: "Paste Setup: ..." } },
    notes: { plainHttp: "plain HTTP" },
  };
  assert.equal(text(texts, "title"), "Quorvane");
  assert.equal(text(texts, "menu.pasteSetup.tip"), "Paste Setup: ...");
  assert.equal(text(texts, "notes.plainHttp"), "plain HTTP");
  assert.equal(text(texts, "menu.copyLink.text"), "[menu.copyLink.text]");
  assert.equal(text(texts, "menu.pasteSetup"), "[menu.pasteSetup]"); // an object is no text
  assert.equal(text(texts, "title.more"), "[title.more]");
  assert.equal(firstText(texts, "buttons.ok", "menu.pasteSetup.text"), "Paste Setup");
  assert.equal(firstText(texts, "buttons.ok"), null);
  assert.equal(buttonText(texts, "ok"), "Paste Setup");
  assert.equal(buttonText(texts, "close"), "\u2715");
  assert.equal(buttonText({ ...texts, buttons: { close: "Close" } }, "close"), "Close");
});
