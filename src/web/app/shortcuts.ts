// Keys the page really receives: Alt+1..8 click the test points (browsers keep Ctrl+1..8 for
// their tabs); Ctrl+V outside a text box pastes a setup, as on the desktop.

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
  document.addEventListener("paste", (e) => {
    const target = e.target as HTMLElement | null;
    if (target && (target.closest("input, textarea, dialog") !== null)) return;
    const pasted = e.clipboardData?.getData("text/plain");
    if (pasted === undefined || pasted === "") return;
    e.preventDefault();
    pasteSetup(pasted);
  });
}
