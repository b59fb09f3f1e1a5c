// From the core's twips to the page's CSS pixels: 15 twips are one pixel of the desktop's
// window, times a fit factor that lets the whole window fit the browser's.

export const TWIPS_PER_PIXEL = 15;

// The fit factor for a window of the given size in twips inside a viewport in CSS pixels.
export function fitFactor(widthTwips: number, heightTwips: number, viewWidth: number,
                          viewHeight: number): number {
  if (widthTwips <= 0 || heightTwips <= 0 || viewWidth <= 0 || viewHeight <= 0) return 1;
  return Math.min(viewWidth / (widthTwips / TWIPS_PER_PIXEL),
                  viewHeight / (heightTwips / TWIPS_PER_PIXEL));
}

// A mapping from twips to CSS pixels and back.
export class Scale {
  constructor(readonly fit: number) {}
  px(twips: number): number {
    return (twips / TWIPS_PER_PIXEL) * this.fit;
  }
  twips(px: number): number {
    return (px / this.fit) * TWIPS_PER_PIXEL;
  }
  // A font of so many points at 96 pixels to the inch, as the desktop draws it.
  fontPx(points: number): number {
    return ((points * 96) / 72) * this.fit;
  }
}

// Device pixels for a line a given number of desktop pixels wide, never thinner than one.
export function deviceLineWidth(pixels: number, fit: number, dpr: number): number {
  return Math.max(1, Math.round(Math.max(pixels, 1) * fit * dpr));
}

// Where a coordinate lands on a device-pixel grid so that a line of that width stays sharp:
// odd widths sit on pixel centres, even widths on pixel edges.
export function snap(device: number, lineWidth: number): number {
  return lineWidth % 2 === 1 ? Math.floor(device) + 0.5 : Math.round(device);
}

// The share of a scroll bar's track its thumb takes: the page against the whole range.
export function thumbShare(min: number, max: number, page: number): number {
  const span = max - min;
  if (!(span > 0) || !(page > 0)) return 0.1;
  return Math.min(0.9, Math.max(0.08, page / (span + page)));
}
