// Keys the page really receives: Alt+1..8 click the test points (browsers keep Ctrl+1..8 for
// their tabs). Outside a text box, Ctrl+V pastes a setup and Ctrl+C copies the window's summary
// with its setup, as on the desktop; both go through the browser's own copy and paste events,
// which work over plain HTTP too.

import type { App } from "./app.js";

export function testPointOfKey(e: Pick<KeyboardEvent, "altKey" | "ctrlKey" | "metaKey" |
                                                       "shiftKey" | "code">): number {
  if (!e.altKey || e.ctrlKey || e.metaKey || e.shiftKey) return 0;
  const m = /^(?:Digit|Numpad)([1-8])$/.exec(e.code);
  return m ? Number(m[1]) : 0;
}

export function installShortcuts(app: App, pasteSetup: (text: string) => void): void {
  document.addEventListener("keydown", (e) => {
    const n = testPointOfKey(e);
    if (n === 0) return;
    e.preventDefault();
    app.win.edit(`cmdGraph(${n})`, "");
    app.refresh();
  });
  const inTextBox = (e: Event) => {
    const target = e.target as HTMLElement | null;
    return target !== null && typeof target.closest === "function" &&
           target.closest("input, textarea, dialog") !== null;
  };
  document.addEventListener("copy", (e) => {
    if (inTextBox(e) || (window.getSelection()?.toString() ?? "") !== "") return;
    e.preventDefault();
    e.clipboardData?.setData("text/plain", `${app.win.summary()}\n${app.win.setupText()}`);
  });
  document.addEventListener("paste", (e) => {
    if (inTextBox(e)) return;
    const pasted = e.clipboardData?.getData("text/plain");
    if (pasted === undefined || pasted === "") return;
    e.preventDefault();
    pasteSetup(pasted);
  });
}
