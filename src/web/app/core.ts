// The core compiled to WebAssembly: the window's model behind the page. Every number and text
// the page shows comes through this door.

export interface WebWindow {
  tick(): void;
  scene(): string;
  render(): string;
  update(): string;
  drawing(index: number): Float32Array;
  edit(control: string, value: string): string;
  editPanel(panel: string, box: string, value: string): string;
  stepList(panel: string, box: string, dir: number): string;
  clickBox(panel: string, box: string): string;
  toolTip(name: string): string;
  panelToolTip(panel: string, box: string): string;
  testPointToolTip(n: number): string;
  powerOutToolTip(): string;
  timeReadout(group: number, x: number, y: number): string;
  spectrumReadout(group: number, x: number, y: number): string;
  setupText(): string;
  applySetupText(text: string): string;
  experiments(): string;
  runExperiment(index: number): void;
  summary(): string;
  copyData(group: number, kind: string): string;
  figure(group: number): string;
  texts(): string;
  delete(): void;
}

export interface WebWindowClass {
  new (): WebWindow;
  resetRandom(): void;
}

export interface CoreModule {
  WebWindow: WebWindowClass;
}

// The module sits beside the bundle in the site; esbuild leaves this import as it is.
import createQuorvaneCore from "./quorvane_core.js";

export async function loadCore(): Promise<CoreModule> {
  return (await createQuorvaneCore()) as CoreModule;
}
