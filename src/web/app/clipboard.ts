// The clipboard through the browser's API, and where that is out of reach (plain HTTP off
// localhost, or a refused permission) a dialog with a text field to copy from or paste into.

import { buttonText, firstText, text, type Texts } from "./scene.js";

function dialog(heading: string): { dlg: HTMLDialogElement; body: HTMLDivElement;
                                     buttons: HTMLDivElement } {
  const dlg = document.createElement("dialog");
  dlg.className = "fallback";
  const h = document.createElement("p");
  h.id = `dlg-h-${Date.now()}`;
  h.textContent = heading;
  dlg.setAttribute("aria-labelledby", h.id);
  const body = document.createElement("div");
  const buttons = document.createElement("div");
  buttons.className = "buttons";
  dlg.append(h, body, buttons);
  document.body.appendChild(dlg);
  dlg.addEventListener("close", () => dlg.remove());
  return { dlg, body, buttons };
}

function button(label: string, onClick: () => void): HTMLButtonElement {
  const b = document.createElement("button");
  b.type = "button";
  b.textContent = label;
  b.addEventListener("click", onClick);
  return b;
}

export function clipboardReachable(): boolean {
  return window.isSecureContext && navigator.clipboard !== undefined;
}

// A text field holding the text, selected, for the student to copy.
export function showTextToCopy(texts: Texts, value: string): void {
  const { dlg, body, buttons } = dialog(text(texts, "notes.copyFallback"));
  const area = document.createElement("textarea");
  area.readOnly = true;
  area.value = value;
  area.rows = 12;
  body.appendChild(area);
  buttons.appendChild(button(buttonText(texts, "close"), () => dlg.close()));
  dlg.showModal();
  area.focus();
  area.select();
}

export async function copyText(texts: Texts, value: string): Promise<void> {
  if (clipboardReachable()) {
    try {
      await navigator.clipboard.writeText(value);
      return;
    } catch {
      // Refused: the text field below.
    }
  }
  showTextToCopy(texts, value);
}

// The text to paste: from the clipboard, or typed or pasted into a text field. Null when the
// student cancels.
export async function pasteText(texts: Texts): Promise<string | null> {
  if (clipboardReachable() && typeof navigator.clipboard.readText === "function") {
    try {
      return await navigator.clipboard.readText();
    } catch {
      // Refused: the text field below.
    }
  }
  return new Promise((resolve) => {
    const { dlg, body, buttons } = dialog(text(texts, "notes.pasteFallback"));
    const area = document.createElement("textarea");
    area.rows = 12;
    body.appendChild(area);
    let result: string | null = null;
    buttons.append(
        button(buttonText(texts, "ok"), () => {
          result = area.value;
          dlg.close();
        }),
        button(buttonText(texts, "cancel"), () => dlg.close()));
    dlg.addEventListener("close", () => resolve(result));
    dlg.showModal();
    area.focus();
  });
}

export async function copyImage(texts: Texts, canvas: HTMLCanvasElement,
                                alt: string): Promise<void> {
  if (clipboardReachable() && typeof ClipboardItem !== "undefined") {
    try {
      const blob = new Promise<Blob>((resolve, reject) =>
          canvas.toBlob((b) => (b ? resolve(b) : reject(new Error("no image"))), "image/png"));
      await navigator.clipboard.write([new ClipboardItem({ "image/png": blob })]);
      return;
    } catch {
      // Refused: the picture in a dialog, for the browser's own menu.
    }
  }
  const { dlg, body, buttons } = dialog(firstText(texts, "notes.pictureFallback") ?? "");
  const img = document.createElement("img");
  img.src = canvas.toDataURL("image/png");
  img.alt = alt;
  img.style.width = canvas.style.width;
  body.appendChild(img);
  buttons.appendChild(button(buttonText(texts, "close"), () => dlg.close()));
  dlg.showModal();
}
