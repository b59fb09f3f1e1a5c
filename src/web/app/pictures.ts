// The plot groups' pictures: each a canvas at the device pixel ratio showing the core's
// drawing, with the core's read-out under the pointer (or where a finger taps).

import { paintTrace, sizeCanvas } from "./draw.js";
import type { Host } from "./host.js";
import type { Readout } from "./readout.js";
import type { Picture } from "./scene.js";

function sameDrawing(a: Picture | null, b: Picture): boolean {
  if (!a || a.colour !== b.colour || a.lines.length !== b.lines.length) return false;
  for (let i = 0; i < a.lines.length; ++i) {
    if (a.lines[i] !== b.lines[i]) return false;
  }
  return true;
}

export class PictureView {
  readonly canvas: HTMLCanvasElement;
  private picture: Picture;
  private drawn: Picture | null = null;
  private pointer: { x: number; y: number; clientX: number; clientY: number } | null = null;

  constructor(private readonly host: Host, private readonly readout: Readout,
              picture: Picture) {
    this.picture = picture;
    const canvas = document.createElement("canvas");
    canvas.className = "picture";
    canvas.dataset.name = picture.name;
    canvas.dataset.group = String(picture.group);
    canvas.dataset.kind = picture.kind;
    canvas.setAttribute("role", "img");
    canvas.tabIndex = 0;
    this.canvas = canvas;

    canvas.addEventListener("pointermove", (e) => {
      if (e.pointerType === "mouse") this.point(e);
    });
    canvas.addEventListener("pointerdown", (e) => {
      if (e.pointerType !== "mouse") this.point(e);
    });
    canvas.addEventListener("pointerleave", (e) => {
      if (e.pointerType === "mouse") this.leave();
    });
  }

  get name(): string {
    return this.picture.name;
  }
  get group(): number {
    return this.picture.group;
  }
  get kind(): "time" | "spectrum" {
    return this.picture.kind;
  }

  private point(e: PointerEvent): void {
    const box = this.canvas.getBoundingClientRect();
    this.pointer = {
      x: this.host.scale.twips(e.clientX - box.left),
      y: this.host.scale.twips(e.clientY - box.top),
      clientX: e.clientX,
      clientY: e.clientY,
    };
    this.showReadout();
  }

  leave(): void {
    this.pointer = null;
    this.readout.hide(this);
  }

  // The read-out at the pointer, from the latest drawing.
  private showReadout(): void {
    if (!this.pointer) return;
    const { x, y, clientX, clientY } = this.pointer;
    const g = this.picture.group;
    const text = this.picture.kind === "time" ? this.host.win.timeReadout(g, x, y)
                                              : this.host.win.spectrumReadout(g, x, y);
    this.readout.show(this, text, clientX, clientY, { picture: this.picture.name, x, y });
  }

  // `drawn`, when the core says so, tells whether the drawing changed since the last update.
  update(p: Picture, force: boolean, drawn?: boolean): void {
    const moved = force || p.left !== this.picture.left || p.top !== this.picture.top ||
                  p.width !== this.picture.width || p.height !== this.picture.height;
    this.picture = p;
    const scale = this.host.scale;
    const s = this.canvas.style;
    if (moved) {
      s.left = `${scale.px(p.left)}px`;
      s.top = `${scale.px(p.top)}px`;
    }
    const label = p.aria ?? p.description;
    if (this.canvas.getAttribute("aria-label") !== label) this.canvas.setAttribute("aria-label", label);
    if (p.aria && this.canvas.getAttribute("aria-description") !== p.description) {
      this.canvas.setAttribute("aria-description", p.description);
    }
    // Only a new drawing is painted: a frozen or empty picture costs nothing per tick.
    const changed = drawn ?? !sameDrawing(this.drawn, p);
    if (moved || changed) {
      const ctx = sizeCanvas(this.canvas, scale.px(p.width), scale.px(p.height), this.host.dpr);
      if (ctx) paintTrace({ ctx, scale, dpr: this.host.dpr }, p.colour, p.lines);
      this.drawn = p;
    }
    if (this.pointer) this.showReadout();
  }
}
