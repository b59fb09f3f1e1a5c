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
  lines: ArrayLike<number>;
  description: string;
  aria?: string;
}

// What ticks changed (WebWindow.update()): the window's controls that changed and every
// picture's texts with whether its drawing changed (the drawing itself is read from the core's
// memory). "full": something else changed and the whole scene is wanted.
export interface SceneUpdate {
  full?: boolean;
  controls?: Control[];
  pictures?: { name: string; colour: string; description: string; drawn: boolean }[];
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

// The page's fixed texts (texts()): {"title", "menu": {key: {"text", "tip"}},
// "testPointShortcuts": [..], "notes": {..}, "buttons": {..}}.
export type Texts = { [key: string]: unknown };

// A text the page shows, by its path in texts() ("menu.copySetup.text", "notes.plainHttp");
// a missing one shows its path, so it is seen rather than made up here.
export function text(texts: Texts, path: string): string {
  let at: unknown = texts;
  for (const key of path.split(".")) {
    at = at !== null && typeof at === "object" ? (at as Texts)[key] : undefined;
  }
  return typeof at === "string" ? at : `[${path}]`;
}

// The first of several texts the core has; null when it has none of them.
export function firstText(texts: Texts, ...paths: string[]): string | null {
  for (const path of paths) {
    const t = text(texts, path);
    if (t !== `[${path}]`) return t;
  }
  return null;
}

// A dialog's buttons: the core's words when it gives them, else the action's own menu text
// (OK) or a cross (Close, Cancel), which every reader knows.
export function buttonText(texts: Texts, kind: "ok" | "cancel" | "close"): string {
  const fallback = kind === "ok" ? firstText(texts, "menu.pasteSetup.text") : null;
  return firstText(texts, `buttons.${kind}`) ?? fallback ?? "\u2715";
}
