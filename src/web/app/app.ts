// The page's window: one absolutely positioned layer laid out from the core's scene, scaled to
// fit the viewport. It keeps a view per panel, control and picture and brings each up to date
// from every new scene, touching the DOM only where something changed.

import type { WebWindow } from "./core.js";
import { ControlView } from "./controls.js";
import { paintLines, paintOutlines, sizeCanvas } from "./draw.js";
import { tabOrder } from "./focus.js";
import type { Host } from "./host.js";
import { fitFactor, Scale } from "./layout.js";
import { PictureView } from "./pictures.js";
import { Readout } from "./readout.js";
import type { Control, Panel, Scene, SceneUpdate } from "./scene.js";

class PanelView {
  readonly root: HTMLDivElement;
  readonly symbol: HTMLCanvasElement;
  readonly controls = new Map<string, ControlView>();
  private last = "";

  constructor(readonly name: string) {
    this.root = document.createElement("div");
    this.root.className = "panel";
    this.root.setAttribute("role", "group");
    this.root.dataset.name = name;
    this.symbol = document.createElement("canvas");
    this.symbol.className = "symbol";
    this.symbol.setAttribute("aria-hidden", "true");
    this.root.appendChild(this.symbol);
  }

  update(host: Host, p: Panel, force: boolean): void {
    const { scale, dpr } = host;
    this.root.setAttribute("aria-label", p.label);
    this.root.style.display = p.visible ? "" : "none";
    const key = JSON.stringify([p.left, p.top, p.width, p.height, p.lines, p.outlines]);
    if (force || key !== this.last) {
      this.last = key;
      const s = this.root.style;
      s.left = `${scale.px(p.left)}px`;
      s.top = `${scale.px(p.top)}px`;
      s.width = `${scale.px(p.width)}px`;
      s.height = `${scale.px(p.height)}px`;
      const ctx = sizeCanvas(this.symbol, scale.px(p.width), scale.px(p.height), dpr);
      if (ctx) {
        paintOutlines({ ctx, scale, dpr }, p.outlines);
        paintLines({ ctx, scale, dpr }, p.lines);
      }
    }
    const px = (t: number) => scale.px(t);
    const font = (pt: number) => scale.fontPx(pt);
    for (const c of p.controls) {
      let view = this.controls.get(c.name);
      if (!view) {
        view = new ControlView(host, p.name, c);
        this.controls.set(c.name, view);
        this.root.appendChild(view.root);
      }
      view.update(c, px, font, force);
    }
  }
}

export class App implements Host {
  scale = new Scale(1);
  dpr = 1;
  readonly layer: HTMLDivElement;
  readonly readout = new Readout();
  private readonly background: HTMLCanvasElement;
  private readonly panels = new Map<string, PanelView>();
  private readonly controls = new Map<string, ControlView>();
  private readonly pictures = new Map<string, PictureView>();
  private current: Scene | null = null;
  private backgroundKey = "";
  private orderKey = "";
  private zKey = "";
  // Whether the window layer has been sized and placed yet.
  private laidOut = false;

  constructor(public win: WebWindow, container: HTMLElement,
              private readonly reserved: () => number) {
    this.layer = document.createElement("div");
    this.layer.className = "window";
    this.background = document.createElement("canvas");
    this.background.className = "background";
    this.background.setAttribute("aria-hidden", "true");
    this.layer.appendChild(this.background);
    container.appendChild(this.layer);
    window.addEventListener("resize", () => this.relayout());
    this.watchPixelRatio();
  }

  // A move to a screen of another pixel ratio (or a zoom) redraws the canvases at the new one.
  private watchPixelRatio(): void {
    const query = matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`);
    query.addEventListener("change", () => {
      this.relayout();
      this.watchPixelRatio();
    }, { once: true });
  }

  get scene(): Scene | null {
    return this.current;
  }

  // A picture's view by its element, for its context menu.
  pictureOf(target: EventTarget | null): PictureView | undefined {
    if (!(target instanceof HTMLCanvasElement)) return undefined;
    return this.pictures.get(target.dataset.name ?? "");
  }

  replaceWindow(win: WebWindow): void {
    this.win.delete();
    this.win = win;
    this.refresh();
  }

  refresh(): void {
    this.current = JSON.parse(this.win.render()) as Scene;
    this.render(false);
  }

  // The refresh after ticks: only what the core says changed, the drawings read straight from
  // its memory; the whole scene when more than ticks happened since.
  update(): void {
    const scene = this.current;
    const u = JSON.parse(this.win.update()) as SceneUpdate;
    if (!scene || u.full) {
      this.refresh();
      return;
    }
    const scale = this.scale;
    const px = (t: number) => scale.px(t);
    const font = (pt: number) => scale.fontPx(pt);
    const replace = (list: Control[], c: Control) => {
      const i = list.findIndex((x) => x.name === c.name);
      if (i >= 0) list[i] = c;
    };
    for (const c of u.controls ?? []) {
      replace(scene.controls, c);
      this.controls.get(c.name)?.update(c, px, font, false);
    }
    (u.pictures ?? []).forEach((p, i) => {
      const picture = scene.pictures[i];
      const view = picture && this.pictures.get(picture.name);
      if (!picture || !view) return;
      picture.colour = p.colour;
      picture.description = p.description;
      // A view of the core's memory, good until the core runs again: kept as a copy.
      if (p.drawn) picture.lines = this.win.drawing(i).slice();
      view.update(picture, false, p.drawn);
    });
  }

  relayout(): void {
    this.render(true);
  }

  private render(force: boolean): void {
    const scene = this.current;
    if (!scene) return;
    const top = this.reserved();
    const fit = fitFactor(scene.width, scene.height, window.innerWidth,
                          Math.max(1, window.innerHeight - top));
    const dpr = window.devicePixelRatio || 1;
    if (!this.laidOut || fit !== this.scale.fit || dpr !== this.dpr) {
      this.laidOut = true;
      this.scale = new Scale(fit);
      this.dpr = dpr;
      force = true;
    }
    const scale = this.scale;
    const width = scale.px(scene.width), height = scale.px(scene.height);
    if (force) {
      const s = this.layer.style;
      s.width = `${width}px`;
      s.height = `${height}px`;
      s.left = `${Math.max(0, (window.innerWidth - width) / 2)}px`;
      s.top = `${top}px`;
      s.setProperty("--fit", String(scale.fit));
      // Read-outs in the size of the desktop's tooltips, scaled with the window.
      this.readout.el.style.fontSize = `${Math.max(12, scale.fontPx(9))}px`;
    }

    const backgroundKey = JSON.stringify([scene.lines, scene.outlines]);
    if (force || backgroundKey !== this.backgroundKey) {
      this.backgroundKey = backgroundKey;
      const ctx = sizeCanvas(this.background, width, height, dpr);
      if (ctx) {
        paintOutlines({ ctx, scale, dpr }, scene.outlines);
        paintLines({ ctx, scale, dpr }, scene.lines);
      }
    }

    for (const p of scene.panels) {
      let view = this.panels.get(p.name);
      if (!view) {
        view = new PanelView(p.name);
        this.panels.set(p.name, view);
        this.layer.appendChild(view.root);
      }
      view.update(this, p, force);
    }
    for (const p of scene.pictures) {
      let view = this.pictures.get(p.name);
      if (!view) {
        view = new PictureView(this, this.readout, p);
        this.pictures.set(p.name, view);
        this.layer.appendChild(view.canvas);
      }
      view.update(p, force);
    }
    const px = (t: number) => scale.px(t);
    const font = (pt: number) => scale.fontPx(pt);
    for (const c of scene.controls) {
      let view = this.controls.get(c.name);
      if (!view) {
        view = new ControlView(this, "", c);
        this.controls.set(c.name, view);
        this.layer.appendChild(view.root);
      }
      view.update(c, px, font, force);
    }
    this.stack(scene);
    this.order(scene);
  }

  // Back to front as the scene lists them: panels, then the pictures, then the window's
  // own controls.
  private stack(scene: Scene): void {
    const key = [...scene.panels.map((p) => p.name), ...scene.controls.map((c) => c.name)]
                    .join("\n");
    if (key === this.zKey) return;
    this.zKey = key;
    let z = 1;
    for (const p of scene.panels) this.panels.get(p.name)!.root.style.zIndex = String(z++);
    for (const p of scene.pictures) this.pictures.get(p.name)!.canvas.style.zIndex = String(z);
    z++;
    for (const c of scene.controls) this.controls.get(c.name)!.root.style.zIndex = String(z++);
  }

  // The Tab order the core gives, as tabindex values (the DOM stays in stacking order).
  private order(scene: Scene): void {
    const key = scene.focusOrder.join("\n");
    if (key === this.orderKey) return;
    this.orderKey = key;
    const windowNames = [...scene.controls.filter((c) => c.kind !== "label").map((c) => c.name),
                         ...scene.pictures.map((p) => p.name)];
    const panels = scene.panels.map((p) => ({
      name: p.name,
      controls: p.controls.filter((c) => c.kind !== "label").map((c) => c.name),
    }));
    tabOrder(scene.focusOrder, windowNames, panels).forEach((key, i) => {
      const slash = key.indexOf("/");
      const el = slash < 0
          ? (this.controls.get(key)?.focusable ?? this.pictures.get(key)?.canvas)
          : this.panels.get(key.slice(0, slash))?.controls.get(key.slice(slash + 1))?.focusable;
      if (el) el.tabIndex = i + 1;
    });
  }
}
