// What a view asks of the page: the window behind it, the scale it is laid out at, and a
// refresh after each edit.

import type { WebWindow } from "./core.js";
import type { Scale } from "./layout.js";

export interface Host {
  readonly win: WebWindow;
  readonly scale: Scale;
  readonly dpr: number;
  // Shows what the window now holds, after an edit, a click or a tick.
  refresh(): void;
}

// Sends a control's edit to the core: the window's own controls by name, a panel's boxes by
// panel and box. Returns why the core refused it ("" when taken).
export function sendEdit(host: Host, panel: string, name: string, value: string): string {
  return panel === "" ? host.win.edit(name, value) : host.win.editPanel(panel, name, value);
}

// The tooltip of a control whose tip the core computes when asked.
export function lazyTip(host: Host, panel: string, name: string): string {
  if (panel !== "") return host.win.panelToolTip(panel, name);
  const testPoint = /^cmdGraph\((\d+)\)$/.exec(name);
  if (testPoint) return host.win.testPointToolTip(Number(testPoint[1]));
  if (name === "lblPowerOut") return host.win.powerOutToolTip();
  return host.win.toolTip(name);
}
