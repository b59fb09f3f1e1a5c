// A plot group as a figure for a lab report, painted from the core's composition at twice
// the window's resolution, as the desktop's Copy Picture does.

import { cssColour, paintTrace, sizeCanvas } from "./draw.js";
import { deviceLineWidth, Scale, snap } from "./layout.js";
import type { Figure, FigureBox } from "./scene.js";

const RATIO = 2;

export function paintFigure(figure: Figure): HTMLCanvasElement {
  const canvas = document.createElement("canvas");
  const scale = new Scale(1);
  const ctx = sizeCanvas(canvas, scale.px(figure.width), scale.px(figure.height), RATIO);
  if (!ctx) return canvas;
  const dev = (t: number) => scale.px(t) * RATIO;
  ctx.fillStyle = cssColour("ButtonFace");
  ctx.fillRect(0, 0, canvas.width, canvas.height);

  const pictures: Array<[FigureBox, { colour: string; lines: number[] }]> = [
    [figure.timePicture, figure.time],
    [figure.spectrumPicture, figure.spectrum],
  ];
  for (const [box, drawing] of pictures) {
    ctx.save();
    ctx.beginPath();
    ctx.rect(dev(box.left), dev(box.top), dev(box.width), dev(box.height));
    ctx.clip();
    paintTrace({ ctx, scale, dpr: RATIO }, drawing.colour, drawing.lines, box.left, box.top);
    ctx.restore();
  }

  const ink = cssColour("WindowText");
  const w = deviceLineWidth(1, 1, RATIO);
  ctx.strokeStyle = ink;
  ctx.lineWidth = w;
  ctx.beginPath();
  const a = figure.axes;
  for (let i = 0; i + 3 < a.length; i += 4) {
    ctx.moveTo(snap(dev(a[i]!), w), snap(dev(a[i + 1]!), w));
    ctx.lineTo(snap(dev(a[i + 2]!), w), snap(dev(a[i + 3]!), w));
  }
  ctx.stroke();

  ctx.fillStyle = ink;
  ctx.textBaseline = "middle";
  for (const t of figure.texts) {
    ctx.font = `${t.bold ? "bold " : ""}${dev(t.fontTwips)}px "DejaVu Sans", sans-serif`;
    ctx.textAlign = t.align === "center" ? "center" : t.align;
    const x = t.align === "left" ? dev(t.left)
            : t.align === "right" ? dev(t.left + t.width) : dev(t.left + t.width / 2);
    ctx.fillText(t.text, x, dev(t.top + t.height / 2));
  }
  return canvas;
}
