// Context menus (role=menu) with one level of submenus, worked by pointer or keyboard:
// Up/Down move, Enter or Space picks, Right opens a submenu, Left or Escape goes back.

export interface MenuItem {
  text: string;
  tip: string;
  name: string; // data-name, for tests and styling
  action?: () => void;
  submenu?: MenuItem[];
}

export class ContextMenu {
  private menus: HTMLUListElement[] = [];
  private returnFocus: HTMLElement | null = null;

  constructor() {
    document.addEventListener("pointerdown", (e) => {
      if (this.menus.length > 0 && !this.menus.some((m) => m.contains(e.target as Node))) {
        this.close();
      }
    }, true);
    window.addEventListener("resize", () => this.close());
    window.addEventListener("blur", () => this.close());
  }

  isOpen(): boolean {
    return this.menus.length > 0;
  }

  open(items: MenuItem[], x: number, y: number): void {
    this.close();
    this.returnFocus = document.activeElement as HTMLElement | null;
    this.openLevel(items, x, y);
  }

  close(): void {
    for (const m of this.menus) m.remove();
    const hadMenu = this.menus.length > 0;
    this.menus = [];
    if (hadMenu && this.returnFocus && document.contains(this.returnFocus)) {
      this.returnFocus.focus();
    }
    this.returnFocus = null;
  }

  private openLevel(items: MenuItem[], x: number, y: number): HTMLUListElement {
    const ul = document.createElement("ul");
    ul.className = "menu";
    ul.setAttribute("role", "menu");
    for (const item of items) {
      const li = document.createElement("li");
      li.setAttribute("role", "menuitem");
      li.tabIndex = -1;
      li.dataset.name = item.name;
      li.title = item.tip;
      li.textContent = item.text;
      if (item.submenu) {
        li.setAttribute("aria-haspopup", "menu");
        li.setAttribute("aria-expanded", "false");
        li.classList.add("has-submenu");
      }
      li.addEventListener("click", () => this.activate(ul, li, item));
      li.addEventListener("mouseenter", () => {
        li.focus();
        this.closeAfter(ul);
        if (item.submenu) this.openSubmenu(li, item.submenu, false);
      });
      li.addEventListener("keydown", (e) => this.onKey(e, ul, li, item));
      ul.appendChild(li);
    }
    document.body.appendChild(ul);
    this.menus.push(ul);
    const w = ul.offsetWidth, h = ul.offsetHeight;
    ul.style.left = `${Math.max(0, Math.min(x, window.innerWidth - w))}px`;
    ul.style.top = `${Math.max(0, Math.min(y, window.innerHeight - h))}px`;
    (ul.firstElementChild as HTMLElement | null)?.focus();
    return ul;
  }

  private closeAfter(ul: HTMLUListElement): void {
    const at = this.menus.indexOf(ul);
    for (const m of this.menus.splice(at + 1)) m.remove();
    for (const li of ul.querySelectorAll("[aria-expanded]")) {
      li.setAttribute("aria-expanded", "false");
    }
  }

  private openSubmenu(li: HTMLLIElement, items: MenuItem[], focusFirst: boolean): void {
    const box = li.getBoundingClientRect();
    li.setAttribute("aria-expanded", "true");
    const sub = this.openLevel(items, box.right, box.top);
    if (box.right + sub.offsetWidth > window.innerWidth) {
      sub.style.left = `${Math.max(0, box.left - sub.offsetWidth)}px`;
    }
    if (!focusFirst) li.focus();
  }

  private activate(ul: HTMLUListElement, li: HTMLLIElement, item: MenuItem): void {
    if (item.submenu) {
      this.closeAfter(ul);
      this.openSubmenu(li, item.submenu, true);
      return;
    }
    this.close();
    item.action?.();
  }

  private onKey(e: KeyboardEvent, ul: HTMLUListElement, li: HTMLLIElement,
                item: MenuItem): void {
    const siblings = [...ul.children] as HTMLElement[];
    const at = siblings.indexOf(li);
    switch (e.key) {
      case "ArrowDown":
        siblings[(at + 1) % siblings.length]?.focus();
        break;
      case "ArrowUp":
        siblings[(at - 1 + siblings.length) % siblings.length]?.focus();
        break;
      case "Home":
        siblings[0]?.focus();
        break;
      case "End":
        siblings[siblings.length - 1]?.focus();
        break;
      case "Enter":
      case " ":
        this.activate(ul, li, item);
        break;
      case "ArrowRight":
        if (item.submenu) this.activate(ul, li, item);
        break;
      case "ArrowLeft":
      case "Escape": {
        const level = this.menus.indexOf(ul);
        if (level > 0) {
          ul.remove();
          this.menus.splice(level);
          const parent = this.menus[level - 1]!;
          const opener = parent.querySelector<HTMLElement>("[aria-expanded=true]");
          opener?.setAttribute("aria-expanded", "false");
          opener?.focus();
        } else if (e.key === "Escape") {
          this.close();
        }
        break;
      }
      case "Tab":
        this.close();
        break;
      default:
        return;
    }
    e.preventDefault();
  }
}
