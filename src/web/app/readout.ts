// The read-out box beside the pointer over a picture: the core's text, shown as it is.

export class Readout {
  readonly el: HTMLDivElement;
  private owner: object | null = null;

  constructor() {
    this.el = document.createElement("div");
    this.el.className = "readout";
    this.el.dataset.name = "readout";
    this.el.setAttribute("role", "tooltip");
    this.el.hidden = true;
    document.body.appendChild(this.el);
    // A tap outside every picture puts a touch read-out away.
    document.addEventListener("pointerdown", (e) => {
      if (this.owner && !(e.target instanceof HTMLCanvasElement)) this.hide(this.owner);
    });
  }

  // `at` names where the text was read: the picture and the place in twips on it.
  show(owner: object, text: string, clientX: number, clientY: number,
       at: { picture: string; x: number; y: number }): void {
    this.owner = owner;
    this.el.dataset.picture = at.picture;
    this.el.dataset.x = String(at.x);
    this.el.dataset.y = String(at.y);
    if (text === "") {
      this.el.hidden = true;
      return;
    }
    if (this.el.textContent !== text) this.el.textContent = text;
    this.el.hidden = false;
    // Beside the pointer, kept inside the viewport.
    const gap = 16;
    const w = this.el.offsetWidth, h = this.el.offsetHeight;
    let left = clientX + gap, top = clientY + gap;
    if (left + w > window.innerWidth) left = Math.max(0, clientX - gap - w);
    if (top + h > window.innerHeight) top = Math.max(0, clientY - gap - h);
    this.el.style.left = `${left}px`;
    this.el.style.top = `${top}px`;
  }

  hide(owner: object): void {
    if (this.owner !== owner) return;
    this.owner = null;
    this.el.hidden = true;
  }
}
