// The page's start: loads the core, lays out its window, runs the timer (or, with "?test",
// hands the timer to the tests), and wires the menus, clipboard, links and shortcuts.

import { App } from "./app.js";
import { copyImage, copyText, pasteText } from "./clipboard.js";
import { loadCore, type CoreModule } from "./core.js";
import { paintFigure } from "./figure.js";
import { ContextMenu, type MenuItem } from "./menu.js";
import { buttonText, text, type Experiment, type Figure, type Scene, type Texts } from "./scene.js";
import { linkForSetup, setupFromHash } from "./setuplink.js";
import { installShortcuts } from "./shortcuts.js";

const TICK_MS = 250;

declare global {
  interface Window {
    quorvaneTest?: { reset(): void; tick(n?: number): void; scene(): Scene };
  }
}

function byId<T extends HTMLElement>(id: string): T {
  return document.getElementById(id) as T;
}

async function start(): Promise<void> {
  const testMode = new URLSearchParams(location.search).has("test");
  let core: CoreModule;
  try {
    core = await loadCore();
  } catch {
    byId("load-error").hidden = false;
    return;
  }
  const win = new core.WebWindow();
  const texts = JSON.parse(win.texts()) as Texts;
  document.title = text(texts, "title");

  const notes = byId<HTMLDivElement>("notes");
  const offline = byId<HTMLParagraphElement>("offline-note");
  const setupError = byId<HTMLDivElement>("setup-error");
  const setupMessage = byId<HTMLSpanElement>("setup-error-text");
  const setupClose = byId<HTMLButtonElement>("setup-error-close");
  if (!window.isSecureContext) {
    offline.textContent = text(texts, "notes.plainHttp");
    offline.hidden = false;
  }
  setupClose.textContent = buttonText(texts, "close");

  const app = new App(win, byId("stage"), () => notes.offsetHeight);
  const showSetupError = (message: string) => {
    const hadNote = !setupError.hidden;
    setupMessage.textContent = message;
    setupError.hidden = message === "";
    if (hadNote !== !setupError.hidden) app.relayout();
  };
  setupClose.addEventListener("click", () => showSetupError(""));

  // A setup in the address is applied as a paste; a refused one leaves the window as it was.
  const applySetup = (setup: string) => {
    showSetupError(app.win.applySetupText(setup));
    app.refresh();
  };
  const applyHash = () => {
    const setup = setupFromHash(location.hash);
    if (setup !== null) applySetup(setup);
  };
  window.addEventListener("hashchange", applyHash);

  // The window is laid out once, with the setup from the address when there is one.
  const linked = setupFromHash(location.hash);
  if (linked !== null) applySetup(linked);
  else app.refresh();
  performance.mark("quorvane-first-render");

  const menu = new ContextMenu();
  const experiments = JSON.parse(win.experiments()) as Experiment[];
  const item = (key: string, action: () => void): MenuItem =>
      ({ text: text(texts, `menu.${key}.text`), tip: text(texts, `menu.${key}.tip`), name: key,
         action });
  const pageItems = (): MenuItem[] => [
    item("copySetup", () => void copyText(texts, app.win.setupText())),
    item("pasteSetup", () => {
      void pasteText(texts).then((pasted) => {
        if (pasted !== null) applySetup(pasted);
      });
    }),
    {
      text: text(texts, "menu.experiments.text"),
      tip: text(texts, "menu.experiments.tip"),
      name: "experiments",
      submenu: experiments.map((x, i) => ({
        text: x.title,
        tip: x.tip,
        name: `experiment(${i})`,
        action: () => {
          app.win.runExperiment(i);
          showSetupError("");
          app.refresh();
        },
      })),
    },
    item("copyLink", () => {
      const link = linkForSetup(location.href, app.win.setupText());
      history.replaceState(null, "", link);
      void copyText(texts, link);
    }),
  ];
  document.addEventListener("contextmenu", (e) => {
    const target = e.target as HTMLElement;
    // Text boxes keep the browser's own menu, for cutting and pasting their text.
    if (target.closest("input[type=text], textarea, dialog, .menu")) return;
    e.preventDefault();
    const picture = app.pictureOf(target);
    let x = e.clientX, y = e.clientY;
    if (x === 0 && y === 0) {
      // From the keyboard: beside the element in focus.
      const box = target.getBoundingClientRect();
      x = box.left + 8;
      y = box.top + 8;
    }
    if (picture) {
      app.readout.hide(picture);
      menu.open([
        item("copyPicture", () => {
          const figure = JSON.parse(app.win.figure(picture.group)) as Figure;
          void copyImage(texts, paintFigure(figure), figure.title ?? "");
        }),
        item("copyData", () => void copyText(texts, app.win.copyData(picture.group, picture.kind))),
      ], x, y);
    } else {
      menu.open(pageItems(), x, y);
    }
  });
  installShortcuts(app, applySetup);

  if (testMode) {
    window.quorvaneTest = {
      reset() {
        core.WebWindow.resetRandom();
        app.replaceWindow(new core.WebWindow());
      },
      tick(n = 1) {
        for (let i = 0; i < n; ++i) app.win.tick();
        app.update();
      },
      scene() {
        return JSON.parse(app.win.scene()) as Scene;
      },
    };
  } else {
    window.setInterval(() => {
      app.win.tick();
      app.update();
    }, TICK_MS);
  }

  if ("serviceWorker" in navigator && window.isSecureContext) {
    navigator.serviceWorker.register("sw.js").catch(() => {
      // Without a worker the page still runs; it only cannot start offline.
    });
  }
  document.body.dataset.ready = "true";
}

void start();
