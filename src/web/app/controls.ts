// The window's and the panels' controls as DOM elements, laid out from the scene's twips and
// brought up to date from each new scene. Each carries its design name in data-name, the core's
// accessible name as aria-label and the core's tooltip as title.

import { ComboBox } from "./combobox.js";
import { lazyTip, sendEdit, type Host } from "./host.js";
import { thumbShare } from "./layout.js";
import { cssColour } from "./draw.js";
import type { Control } from "./scene.js";

export class ControlView {
  readonly root: HTMLElement; // the positioned element
  readonly focusable: HTMLElement; // the element carrying data-name
  private last = "";
  private lastText: string | undefined;
  private arrow = 0; // a scroll bar's arrow length in CSS pixels
  private combo: ComboBox | null = null;
  private control: Control;

  constructor(private readonly host: Host, readonly panel: string, control: Control) {
    this.control = control;
    switch (control.kind) {
      case "combo":
        this.combo = new ComboBox({
          typed: (text) => this.act(text),
          picked: (item) => this.act(item),
          step: (direction) => this.step(direction),
        });
        this.root = this.combo.root;
        this.focusable = this.combo.input;
        break;
      case "textbox": {
        const input = document.createElement("input");
        input.type = "text";
        input.autocomplete = "off";
        input.spellcheck = false;
        input.addEventListener("input", () => this.act(input.value));
        if (panel !== "") {
          input.addEventListener("click", () => {
            host.win.clickBox(panel, this.control.name);
            host.refresh();
          });
        }
        this.root = this.focusable = input;
        break;
      }
      case "button": {
        const button = document.createElement("button");
        button.type = "button";
        button.addEventListener("click", () => this.act(""));
        this.root = this.focusable = button;
        break;
      }
      case "check": {
        const label = document.createElement("label");
        const box = document.createElement("input");
        box.type = "checkbox";
        const caption = document.createElement("span");
        label.append(box, caption);
        box.addEventListener("change", () => this.act(box.checked ? "1" : "0"));
        this.root = label;
        this.focusable = box;
        break;
      }
      case "range": {
        const range = document.createElement("input");
        range.type = "range";
        range.addEventListener("input", () => this.act(range.value));
        // The arrows at the bar's ends step it by one, as the desktop's scroll bars do.
        range.addEventListener("pointerdown", (e) => {
          const direction = this.arrowAt(range, e.clientX, e.clientY);
          if (direction === 0 || !this.control.range || !this.control.enabled) return;
          e.preventDefault();
          range.focus();
          const bar = this.control.range;
          const next = Number(range.value) + direction * (bar.step > 0 ? bar.step : 1);
          this.act(String(Math.max(bar.min, Math.min(bar.max, next))));
        });
        // A page up or down moves by the bar's page, as clicking its track does.
        range.addEventListener("keydown", (e) => {
          if (e.key !== "PageUp" && e.key !== "PageDown") return;
          const bar = this.control.range;
          if (!bar) return;
          e.preventDefault();
          const page = bar.page > 0 ? bar.page : bar.step;
          const next = Number(range.value) + (e.key === "PageDown" ? page : -page);
          this.act(String(Math.max(bar.min, Math.min(bar.max, next))));
        });
        this.root = this.focusable = range;
        break;
      }
      default: {
        const label = document.createElement("div");
        label.className = "label";
        this.root = this.focusable = label;
        break;
      }
    }
    this.root.classList.add("ctl", `ctl-${control.kind}`);
    this.focusable.dataset.name = control.name;
    const tips = () => {
      if (this.control.lazyTip) this.focusable.title = lazyTip(host, panel, this.control.name);
    };
    this.root.addEventListener("mouseenter", tips);
    this.focusable.addEventListener("focus", tips);
  }

  get name(): string {
    return this.control.name;
  }

  // -1 over the arrow at the bar's start, +1 over the one at its end, else 0.
  private arrowAt(range: HTMLElement, clientX: number, clientY: number): number {
    const box = range.getBoundingClientRect();
    const vertical = this.control.range?.vertical ?? false;
    const arrow = this.arrow;
    const along = vertical ? clientY - box.top : clientX - box.left;
    const length = vertical ? box.height : box.width;
    if (arrow <= 0) return 0;
    if (along < arrow) return -1;
    if (along > length - arrow) return 1;
    return 0;
  }

  private act(value: string): void {
    sendEdit(this.host, this.panel, this.control.name, value);
    this.host.refresh();
  }

  private step(direction: number): void {
    const refused = this.host.win.stepList(this.panel, this.control.name, direction);
    if (refused !== "" && this.panel === "") {
      // A window list the core cannot step: pick the neighbouring item of the shown one.
      const items = this.control.items ?? [];
      const at = items.indexOf(this.control.text ?? "");
      const item = at < 0 ? undefined : items[at + direction];
      if (item !== undefined) sendEdit(this.host, "", this.control.name, item);
    }
    this.host.refresh();
  }

  // Shows a new state of the control; `force` after a change of scale.
  update(c: Control, px: (twips: number) => number, fontPx: (points: number) => number,
         force: boolean): void {
    this.control = c;
    const key = JSON.stringify(c);
    if (!force && key === this.last) return;
    this.last = key;
    const s = this.root.style;
    s.left = `${px(c.left)}px`;
    s.top = `${px(c.top)}px`;
    s.width = `${px(c.width)}px`;
    s.height = `${px(c.height)}px`;
    s.display = c.visible ? "" : "none";
    s.fontSize = `${fontPx(c.points ?? 8)}px`;
    const f = this.focusable;
    if (c.aria !== undefined && c.aria !== "") f.setAttribute("aria-label", c.aria);
    else f.removeAttribute("aria-label");
    if (!c.lazyTip) f.title = c.tip ?? "";
    if (c.description) f.setAttribute("aria-description", c.description);
    if (f instanceof HTMLInputElement || f instanceof HTMLButtonElement) f.disabled = !c.enabled;
    else f.setAttribute("aria-disabled", String(!c.enabled));
    this.root.classList.toggle("disabled", !c.enabled);
    const text = c.text ?? "";
    switch (c.kind) {
      case "combo":
      case "textbox": {
        const input = f as HTMLInputElement;
        // What the core holds changed: show it; a box being typed in keeps its caret.
        if (text !== this.lastText && input.value !== text) input.value = text;
        this.lastText = text;
        input.style.textAlign = c.align ?? "left";
        if (this.combo) this.combo.setItems(c.items ?? [], c.aria ?? c.name);
        if (!c.visible || !c.enabled) this.combo?.close();
        break;
      }
      case "button": {
        const button = f as HTMLButtonElement;
        if (button.textContent !== text) button.textContent = text;
        button.style.backgroundColor = cssColour(c.colour ?? "ButtonFace");
        if (c.checked !== undefined) button.setAttribute("aria-pressed", String(c.checked));
        break;
      }
      case "check": {
        const box = f as HTMLInputElement;
        box.checked = c.checked ?? false;
        const caption = this.root.querySelector("span")!;
        if (caption.textContent !== text) caption.textContent = text;
        break;
      }
      case "range": {
        const range = f as HTMLInputElement;
        const bar = c.range;
        if (bar) {
          range.min = String(bar.min);
          range.max = String(bar.max);
          range.step = String(bar.step > 0 ? bar.step : 1);
          if (range.value !== String(bar.value)) range.value = String(bar.value);
          range.classList.toggle("vertical", bar.vertical);
          const thickness = px(bar.vertical ? c.width : c.height);
          const full = px(bar.vertical ? c.height : c.width);
          // Square arrows at both ends; a short bar shrinks them to leave its thumb a little
          // room, as the desktop's short power bars do.
          const arrow = Math.max(0, Math.min(thickness, (full - 0.4 * thickness) / 2));
          range.style.setProperty("--arrow", `${arrow}px`);
          this.arrow = arrow;
          const length = full - 2 * arrow;
          // Never thinner than a finger's grip on the desktop: ten pixels.
          const thumb = Math.min(length,
                                 Math.max(thumbShare(bar.min, bar.max, bar.page) * length,
                                          Math.min(px(150), 0.6 * length)));
          range.style.setProperty("--thumb", `${thumb}px`);
        }
        break;
      }
      default: {
        if (f.textContent !== text) f.textContent = text;
        s.textAlign = c.align ?? "left";
        f.classList.toggle("align-right", c.align === "right");
        f.classList.toggle("align-center", c.align === "center");
        s.color = cssColour(c.colour && c.colour !== "ButtonFace" ? c.colour : "WindowText");
        break;
      }
    }
  }
}
