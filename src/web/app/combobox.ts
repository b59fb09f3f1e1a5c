// An editable drop-down list in the ARIA combobox pattern: a text input (role=combobox) and a
// listbox popup. Typing edits the box as typed; Up and Down step the list from the shown
// value, as the desktop's list does; Alt+Down or the arrow button opens the popup, where Up
// and Down move through the items and Enter or a click picks one.

let nextId = 0;

export interface ComboActions {
  typed(text: string): void;
  picked(item: string): void;
  step(direction: number): void;
}

export class ComboBox {
  readonly root: HTMLDivElement;
  readonly input: HTMLInputElement;
  private readonly arrow: HTMLSpanElement;
  private readonly list: HTMLUListElement;
  private items: string[] = [];
  private active = -1;
  private readonly id = `combo${nextId++}`;

  constructor(private readonly actions: ComboActions) {
    this.root = document.createElement("div");
    this.root.className = "combo";
    this.input = document.createElement("input");
    this.input.type = "text";
    this.input.setAttribute("role", "combobox");
    this.input.setAttribute("aria-autocomplete", "none");
    this.input.setAttribute("aria-expanded", "false");
    this.input.setAttribute("aria-controls", `${this.id}-list`);
    this.input.autocomplete = "off";
    this.input.spellcheck = false;
    this.arrow = document.createElement("span");
    this.arrow.className = "combo-arrow";
    this.arrow.setAttribute("aria-hidden", "true");
    this.list = document.createElement("ul");
    this.list.id = `${this.id}-list`;
    this.list.className = "combo-list";
    this.list.setAttribute("role", "listbox");
    this.list.hidden = true;
    this.root.append(this.input, this.arrow, this.list);

    this.input.addEventListener("input", () => this.actions.typed(this.input.value));
    this.input.addEventListener("keydown", (e) => this.onKey(e));
    this.input.addEventListener("blur", () => this.close());
    this.arrow.addEventListener("mousedown", (e) => {
      e.preventDefault();
      if (this.input.disabled) return;
      this.input.focus();
      if (this.isOpen()) this.close();
      else this.open();
    });
    this.list.addEventListener("mousedown", (e) => {
      e.preventDefault();
      const option = (e.target as HTMLElement).closest("li");
      if (option) this.pick(Number(option.dataset.index));
    });
  }

  setItems(items: readonly string[], labelledBy: string): void {
    this.list.setAttribute("aria-label", labelledBy);
    if (items.length === this.items.length && items.every((s, i) => s === this.items[i])) return;
    this.items = [...items];
    this.list.replaceChildren(...this.items.map((item, i) => {
      const li = document.createElement("li");
      li.id = `${this.id}-opt${i}`;
      li.setAttribute("role", "option");
      li.dataset.index = String(i);
      li.textContent = item;
      return li;
    }));
  }

  isOpen(): boolean {
    return !this.list.hidden;
  }

  private open(): void {
    if (this.items.length === 0) return;
    this.list.hidden = false;
    this.input.setAttribute("aria-expanded", "true");
    this.setActive(Math.max(0, this.items.indexOf(this.input.value)));
  }

  close(): void {
    if (this.list.hidden) return;
    this.list.hidden = true;
    this.input.setAttribute("aria-expanded", "false");
    this.input.removeAttribute("aria-activedescendant");
    this.active = -1;
  }

  private setActive(index: number): void {
    const options = this.list.children;
    if (this.active >= 0 && options[this.active]) {
      options[this.active]!.removeAttribute("aria-selected");
    }
    this.active = Math.max(0, Math.min(this.items.length - 1, index));
    const option = options[this.active] as HTMLElement | undefined;
    if (!option) return;
    option.setAttribute("aria-selected", "true");
    this.input.setAttribute("aria-activedescendant", option.id);
    option.scrollIntoView({ block: "nearest" });
  }

  private pick(index: number): void {
    const item = this.items[index];
    this.close();
    if (item !== undefined) this.actions.picked(item);
  }

  private onKey(e: KeyboardEvent): void {
    if (e.ctrlKey || e.metaKey) return;
    const open = this.isOpen();
    switch (e.key) {
      case "ArrowDown":
      case "ArrowUp": {
        e.preventDefault();
        const direction = e.key === "ArrowDown" ? 1 : -1;
        if (e.altKey) {
          if (direction > 0 && !open) this.open();
          else if (direction < 0 && open) this.close();
        } else if (open) {
          this.setActive(this.active + direction);
        } else {
          this.actions.step(direction);
        }
        break;
      }
      case "F4":
        e.preventDefault();
        if (open) this.close();
        else this.open();
        break;
      case "Enter":
        if (open) {
          e.preventDefault();
          this.pick(this.active);
        }
        break;
      case "Escape":
        if (open) {
          e.preventDefault();
          this.close();
        }
        break;
      default:
        break;
    }
  }
}
