// The window as the core describes it: places in twips, texts, colours, visibility.

export interface RangeSpec {
  min: number;
  max: number;
  step: number;
  page: number;
  value: number;
  vertical: boolean;
}

export type ControlKind = "label" | "combo" | "textbox" | "button" | "check" | "range";

export interface Control {
  name: string;
  kind: ControlKind;
  left: number;
  top: number;
  width: number;
  height: number;
  visible: boolean;
  enabled: boolean;
  text?: string;
  items?: string[];
  align?: "left" | "right" | "center";
  points?: number;
  checked?: boolean;
  colour?: string;
  range?: RangeSpec;
  tip?: string;
  lazyTip?: boolean;
  aria?: string;
  description?: string;
}

export interface Line {
  x1: number;
  y1: number;
  x2: number;
  y2: number;
  width: number;
  colour: string;
}

export interface Outline {
  kind: "rect" | "circle";
  left: number;
  top: number;
  width: number;
  height: number;
  border: number;
  colour: string;
  fill: string;
}

export interface Panel {
  name: string;
  label: string;
  left: number;
  top: number;
  width: number;
  height: number;
  visible: boolean;
  controls: Control[];
  lines: Line[];
  outlines: Outline[];
}

export interface Picture {
  name: string;
  group: number;
  kind: "time" | "spectrum";
  left: number;
  top: number;
  width: number;
  height: number;
  colour: string;
  lines: number[];
  description: string;
  aria?: string;
}

export interface Scene {
  width: number;
  height: number;
  panels: Panel[];
  controls: Control[];
  lines: Line[];
  outlines: Outline[];
  pictures: Picture[];
  focusOrder: string[];
}

export interface FigureBox {
  left: number;
  top: number;
  width: number;
  height: number;
}

export interface FigureText extends FigureBox {
  align: "left" | "right" | "center";
  fontTwips: number;
  bold: boolean;
  text: string;
}

export interface Figure {
  width: number;
  height: number;
  timePicture: FigureBox;
  spectrumPicture: FigureBox;
  axes: number[];
  texts: FigureText[];
  time: { colour: string; lines: number[] };
  spectrum: { colour: string; lines: number[] };
  title?: string;
}

export interface Experiment {
  title: string;
  tip: string;
}

export type Texts = Record<string, string>;

// A text the page shows, from the core's texts(); a missing one shows its key, so it is seen.
export function text(texts: Texts, key: string): string {
  const value = texts[key];
  return typeof value === "string" ? value : `[${key}]`;
}
