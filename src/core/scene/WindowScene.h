#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

class WindowModel;

// The whole window as a flat description that any front end can lay out and fill without knowing
// the panels: every control by its design name with its place, text, state, tooltip and the name
// a screen reader gives it, the symbols' and the diagram's lines, the frames and the pictures with
// their drawings. Places are in twips: a panel's controls, lines and outlines from the panel's
// top-left, everything else from the client area's top-left. Colours are CSS texts: "#rrggbb",
// or the system colours "ButtonFace" and "WindowText".

enum class SceneKind { Label, Combo, TextBox, Button, Check, Range };
enum class SceneAlign { Left, Right, Centre };

struct SceneRange {
    int minimum = 0, maximum = 0, step = 1, page = 1, value = 0;
    bool vertical = false;
    bool operator==(const SceneRange&) const = default;
};

struct SceneControl {
    std::string name;
    SceneKind kind = SceneKind::Label;
    int left = 0, top = 0, width = 0, height = 0;
    bool visible = true;
    bool enabled = true;
    std::string text;                // a label's text, a box's text, a check box's caption
    std::vector<std::string> items;  // a drop-down list's items
    SceneAlign align = SceneAlign::Left;
    double points = 12.0;  // font size
    bool checked = false;
    std::string colour;  // a button's face, a label's text colour
    std::optional<SceneRange> range;
    std::string tip;          // empty with lazyTip: the tooltip is worked out when it shows
    bool lazyTip = false;     // ask the model's ToolTip / TestPointToolTip / PowerOutToolTip
    std::string aria;         // the accessible name
    std::string description;  // the accessible description, if any
    bool operator==(const SceneControl&) const = default;
};

struct SceneLine {
    std::string name;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // a leader line starts at a button's centre
    int width = 1;                          // pixels
    std::string colour;
    bool operator==(const SceneLine&) const = default;
};

enum class SceneShape { Rectangle, Circle };

// A circle takes the smaller side of its bounds as its diameter, centred; the border lies
// inside the bounds.
struct SceneOutline {
    std::string name;
    SceneShape kind = SceneShape::Rectangle;
    int left = 0, top = 0, width = 0, height = 0;
    int border = 1;  // pixels
    std::string colour;
    std::string fill;  // empty: not filled
    bool operator==(const SceneOutline&) const = default;
};

struct ScenePicture {
    std::string name;  // picSignal(g), picSpectrum(g)
    int group = 0;
    bool spectrum = false;
    int left = 0, top = 0, width = 0, height = 0;
    std::string colour;        // the drawing's
    std::vector<float> lines;  // x1, y1, x2, y2 of each line, twips on the picture
    std::string description;   // what a screen reader says the picture shows
    std::string aria;
    bool operator==(const ScenePicture&) const = default;
};

struct ScenePanel {
    std::string name;   // OscillatorControl1(0), NoiseControl1, FilterControl1(2), ...
    std::string label;  // the panel's title, its accessible name
    int left = 0, top = 0, width = 0, height = 0;
    bool visible = true;
    // The labels first, which lie behind the boxes they overlap, then the controls a student
    // reaches with Tab, in the order Tab reaches them (focusOrder).
    std::vector<SceneControl> controls;
    std::vector<SceneLine> lines;
    std::vector<SceneOutline> outlines;
    std::vector<std::string> focusOrder;
    bool operator==(const ScenePanel&) const = default;
};

struct WindowScene {
    int width = 0, height = 0;
    std::vector<ScenePanel> panels;
    std::vector<SceneControl> controls;
    std::vector<SceneLine> lines;
    std::vector<SceneOutline> outlines;
    std::vector<ScenePicture> pictures;
    std::vector<std::string> focusOrder;  // a panel's name stands for its own controls
    bool operator==(const WindowScene&) const = default;
};

// The window as the model shows it now.
WindowScene BuildScene(const WindowModel& model);

// What a refresh after a tick changed in a scene: the window's controls and the pictures whose
// drawings changed, by their places in `controls` and `pictures`.
struct TickChanges {
    std::vector<std::size_t> controls;
    std::vector<std::size_t> drawings;
};

// Brings a scene of the window, built by BuildScene before some ticks and nothing else, up to
// date, touching only what a tick changes (as the desktop's timer does): the output power's
// caption, and in each plot group the pictures' drawings and descriptions, the spectrum's centre
// bar and the plot labels. The panels, the switches, the test points and the rest stay as they
// were.
TickChanges RefreshAfterTick(WindowScene& scene, const WindowModel& model);

// The colour a front end paints a 0x00BBGGRR colour in: "#rrggbb", or "ButtonFace" for the
// button face.
std::string CssColour(std::uint32_t bgr);

}  // namespace quorvane
