// Canvas drawing: the diagram's lines and shapes, the panels' symbols and the plots' traces,
// sized by the device pixel ratio so every line lands on whole device pixels.

import { deviceLineWidth, Scale, snap, TWIPS_PER_PIXEL } from "./layout.js";
import type { Line, Outline } from "./scene.js";

const resolved = new Map<string, string>();

// A CSS colour the core names, system colours ("ButtonFace", "WindowText") made concrete.
export function cssColour(colour: string): string {
  if (colour === "" || colour.startsWith("#")) return colour;
  let value = resolved.get(colour);
  if (value === undefined) {
    const probe = document.createElement("span");
    probe.style.color = colour;
    probe.style.display = "none";
    document.body.appendChild(probe);
    value = getComputedStyle(probe).color || colour;
    probe.remove();
    resolved.set(colour, value);
  }
  return value;
}

// Sizes a canvas to a box in CSS pixels at the device pixel ratio; returns its 2D context with
// the transform cleared (drawing is in device pixels).
export function sizeCanvas(canvas: HTMLCanvasElement, widthPx: number, heightPx: number,
                           dpr: number): CanvasRenderingContext2D | null {
  const w = Math.max(1, Math.round(widthPx * dpr));
  const h = Math.max(1, Math.round(heightPx * dpr));
  if (canvas.width !== w) canvas.width = w;
  if (canvas.height !== h) canvas.height = h;
  // Unchanged sizes are not written again: a refresh that only redraws costs no style work.
  const cssWidth = `${widthPx}px`, cssHeight = `${heightPx}px`;
  if (canvas.style.width !== cssWidth) canvas.style.width = cssWidth;
  if (canvas.style.height !== cssHeight) canvas.style.height = cssHeight;
  const ctx = canvas.getContext("2d");
  if (!ctx) return null;
  ctx.setTransform(1, 0, 0, 1, 0, 0);
  ctx.clearRect(0, 0, w, h);
  return ctx;
}

export interface Painter {
  ctx: CanvasRenderingContext2D;
  scale: Scale;
  dpr: number;
}

function dev(p: Painter, twips: number): number {
  return p.scale.px(twips) * p.dpr;
}

// Straight lines in twips, offset by (dx, dy) twips.
export function paintLines(p: Painter, lines: readonly Line[], dx = 0, dy = 0): void {
  for (const line of lines) {
    const w = deviceLineWidth(line.width, p.scale.fit, p.dpr);
    p.ctx.strokeStyle = cssColour(line.colour);
    p.ctx.lineWidth = w;
    p.ctx.lineCap = "square";
    p.ctx.beginPath();
    const x1 = dev(p, line.x1 + dx), y1 = dev(p, line.y1 + dy);
    const x2 = dev(p, line.x2 + dx), y2 = dev(p, line.y2 + dy);
    // Straight runs keep to the pixel grid; slanted ones are smoothed.
    if (x1 === x2 || y1 === y2) {
      p.ctx.moveTo(snap(x1, w), snap(y1, w));
      p.ctx.lineTo(snap(x2, w), snap(y2, w));
    } else {
      p.ctx.moveTo(x1, y1);
      p.ctx.lineTo(x2, y2);
    }
    p.ctx.stroke();
  }
}

export function paintOutlines(p: Painter, outlines: readonly Outline[], dx = 0, dy = 0): void {
  for (const o of outlines) {
    const w = deviceLineWidth(o.border, p.scale.fit, p.dpr);
    const left = dev(p, o.left + dx), top = dev(p, o.top + dy);
    const width = dev(p, o.width), height = dev(p, o.height);
    p.ctx.beginPath();
    if (o.kind === "circle") {
      const r = Math.max(0, Math.min(width, height) / 2 - w / 2);
      p.ctx.arc(left + width / 2, top + height / 2, r, 0, 2 * Math.PI);
    } else {
      // The border lies inside the shape's box, as the desktop draws it.
      const x = snap(left + w / 2 - 0.5, w), y = snap(top + w / 2 - 0.5, w);
      const x2 = snap(left + width - w / 2 - 0.5, w), y2 = snap(top + height - w / 2 - 0.5, w);
      p.ctx.rect(x, y, x2 - x, y2 - y);
    }
    if (o.fill) {
      p.ctx.fillStyle = cssColour(o.fill);
      p.ctx.fill();
    }
    if (o.border > 0) {
      p.ctx.strokeStyle = cssColour(o.colour);
      p.ctx.lineWidth = w;
      p.ctx.stroke();
    }
  }
}

// A trace: flat x1,y1,x2,y2 in twips on the picture. The desktop draws it one pixel wide,
// unsmoothed, each twip landing on the pixel it lies in; here each of those pixels is scaled
// up whole, so the copy the plots draw one pixel lower still abuts its line and the trace
// keeps the desktop's even two-pixel stroke at any fit and pixel ratio.
export function paintTrace(p: Painter, colour: string, flat: ArrayLike<number>, dx = 0,
                           dy = 0): void {
  if (flat.length < 4) return;
  const unit = p.scale.fit * p.dpr; // device pixels per desktop pixel
  const at = (twips: number) => (Math.floor(twips / TWIPS_PER_PIXEL) + 0.5) * unit;
  p.ctx.strokeStyle = cssColour(colour);
  p.ctx.lineWidth = Math.max(1, unit);
  p.ctx.lineCap = "square";
  p.ctx.beginPath();
  for (let i = 0; i + 3 < flat.length; i += 4) {
    p.ctx.moveTo(at(flat[i]! + dx), at(flat[i + 1]! + dy));
    p.ctx.lineTo(at(flat[i + 2]! + dx), at(flat[i + 3]! + dy));
  }
  p.ctx.stroke();
}
