// The Tab order from the scene: the core lists names, a panel's name standing for its own
// controls in their order. Every control the list leaves out follows, in scene order, so the
// keyboard reaches it too.

export interface FocusEntry {
  key: string; // "name" for a window control, "panel/name" for a panel's control
  panel: string; // "" for the window's own controls
}

export function tabOrder(focusOrder: readonly string[], windowControls: readonly string[],
                         panels: ReadonlyArray<{ name: string; controls: readonly string[] }>):
    string[] {
  const order: string[] = [];
  const seen = new Set<string>();
  const add = (key: string) => {
    if (!seen.has(key)) {
      seen.add(key);
      order.push(key);
    }
  };
  const panelByName = new Map(panels.map((p) => [p.name, p]));
  const windowSet = new Set(windowControls);
  for (const name of focusOrder) {
    const panel = panelByName.get(name);
    if (panel) {
      for (const c of panel.controls) add(`${panel.name}/${c}`);
    } else if (windowSet.has(name)) {
      add(name);
    }
  }
  for (const p of panels)
    for (const c of p.controls) add(`${p.name}/${c}`);
  for (const c of windowControls) add(c);
  return order;
}
