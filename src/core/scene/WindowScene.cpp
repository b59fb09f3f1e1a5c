#include "scene/WindowScene.h"

#include <algorithm>
#include <array>

#include "chain/Architecture.h"
#include "chain/Layout.h"
#include "model/WindowModel.h"
#include "panel/PanelGeometry.h"
#include "plot/PlotGroupModel.h"
#include "texts/ControlNames.h"
#include "texts/ToolTips.h"

namespace quorvane {

namespace {

constexpr std::string_view kWindowText = "WindowText";
constexpr std::string_view kButtonFaceCss = "ButtonFace";

// The window's own fonts: the switches' captions are smaller than the other texts.
constexpr double kCheckBoxPoints = 9.75;
constexpr double kTextPoints = 12.0;
// A drop-down list on the window is as high as one on a panel.
constexpr int kComboHeight = 420;

std::string Indexed(std::string_view name, int index) {
    return std::string(name) + "(" + std::to_string(index) + ")";
}

SceneAlign AlignOf(TextAlign align) {
    return align == TextAlign::Right ? SceneAlign::Right : SceneAlign::Left;
}

SceneControl Placed(SceneKind kind, const ControlPlace& place) {
    SceneControl c;
    c.name = std::string(place.name);
    c.kind = kind;
    c.left = place.box.left;
    c.top = place.box.top;
    c.width = place.box.width;
    c.height = place.box.height;
    c.points = place.points;
    c.align = AlignOf(place.align);
    if (place.tip) c.tip = ToolTip(*place.tip);
    return c;
}

SceneControl PanelLabel(const ControlPlace& place, std::string_view text) {
    SceneControl c = Placed(SceneKind::Label, place);
    c.text = std::string(text);
    c.aria = c.text;
    c.colour = std::string(kWindowText);
    return c;
}

SceneControl Named(SceneControl c, std::string_view title, const ControlPlace& place) {
    if (place.part) c.aria = PartName(title, *place.part);
    return c;
}

SceneControl Button(const ControlPlace& place, std::string_view title, std::uint32_t colour) {
    SceneControl c = Named(Placed(SceneKind::Button, place), title, place);
    c.colour = CssColour(colour);
    return c;
}

SceneControl TextBox(const ControlPlace& place, std::string_view title, const std::string& text) {
    SceneControl c = Named(Placed(SceneKind::TextBox, place), title, place);
    c.text = text;
    if (place.reads) c.tip = BoxToolTip(*place.reads, text);
    return c;
}

// The panel's frame and symbol, and its place in the window.
ScenePanel Frame(std::string name, std::string label, const PanelFrame& frame,
                 const layout::Place& place) {
    ScenePanel p;
    p.name = std::move(name);
    p.label = std::move(label);
    p.left = place.left;
    p.top = place.top;
    p.width = place.width;
    p.height = place.height;
    for (const SymbolLine& l : frame.lines)
        p.lines.push_back({std::string(l.name), static_cast<double>(l.x1),
                           static_cast<double>(l.y1), static_cast<double>(l.x2),
                           static_cast<double>(l.y2), l.width, std::string(kWindowText)});
    for (std::string_view name : frame.focusOrder)
        p.focusOrder.emplace_back(name);
    for (const SymbolOutline& o : frame.outlines) {
        p.outlines.push_back(
            {std::string(o.name),
             o.kind == ShapeKind::Circle ? SceneShape::Circle : SceneShape::Rectangle,
             o.bounds.left, o.bounds.top, o.bounds.width, o.bounds.height, o.border,
             std::string(kWindowText), std::string()});
    }
    return p;
}

ScenePanel Oscillator(const WindowModel& model, int k) {
    const OscillatorGeometry& g = OscillatorPanelGeometry();
    const OscillatorPanelState& state = model.Oscillator(k);
    const std::string title = ToneTitle(k);
    ScenePanel p = Frame(Indexed("OscillatorControl1", k), title, g.frame, layout::kOscillators[k]);
    p.controls.push_back(Button(g.cmdInvert, title, state.InvertColour()));
    p.controls.push_back(TextBox(g.text1, title, state.FrequencyText().text));
    p.controls.push_back(PanelLabel(g.txtFreq, g.txtFreq.text));
    p.controls.push_back(PanelLabel(g.txtPower, state.PowerText()));
    SceneControl scale = Named(Placed(SceneKind::Range, g.vscPower), title, g.vscPower);
    scale.range = SceneRange{OscillatorPanelState::kScaleTop,
                             OscillatorPanelState::kScaleBottom,
                             OscillatorPanelState::kScaleStep,
                             OscillatorPanelState::kScaleStep,
                             state.ScalePosition(),
                             true};
    scale.text = OscillatorPanelState::ScaleReading(state.ScalePosition());
    p.controls.push_back(std::move(scale));
    p.controls.push_back(Button(g.cmdWorking, title, state.WorkingColour()));
    return p;
}

ScenePanel Noise(const WindowModel& model) {
    const NoiseGeometry& g = NoisePanelGeometry();
    const NoisePanelState& state = model.Noise();
    const std::string title(kNoiseTitle);
    ScenePanel p = Frame("NoiseControl1", title, g.frame, layout::kNoise);
    p.controls.push_back(TextBox(g.text1, title, state.TemperatureText().text));
    p.controls.push_back(PanelLabel(g.txtNoise, g.txtNoise.text));
    p.controls.push_back(Button(g.cmdWorking, title, state.WorkingColour()));
    p.controls.push_back(PanelLabel(g.label1, g.label1.text));
    return p;
}

void AddRow(ScenePanel& p, const ParameterRowPlace& row, const ChainPanelState& state) {
    p.controls.push_back(PanelLabel(row.symbol, row.symbol.text));
    const std::string& text = state.Shown(row.box).text;
    SceneControl list = Placed(SceneKind::Combo, row.list);
    list.text = text;
    for (std::string_view item : row.items)
        list.items.emplace_back(item);
    list.tip = BoxToolTip(row.tip, text);
    list.aria = PartName(p.label, row.part);
    p.controls.push_back(std::move(list));
    p.controls.push_back(PanelLabel(row.unit, state.Unit(row.box)));
}

void AddRows(ScenePanel& p, const GainRowsPlaces& rows, const ChainPanelState& state) {
    AddRow(p, rows.noise, state);
    AddRow(p, rows.gain, state);
    if (rows.intercept) AddRow(p, *rows.intercept, state);
}

ScenePanel Stage(const WindowModel& model, int position) {
    const StageId id = kCandidateOrder[position];
    const std::string title = StageTitle(id, model.ShownArchitecture());
    layout::Place place;
    const PanelFrame* frame = nullptr;
    switch (id.kind) {
        case StageKind::Filter:
            place = layout::kFilter;
            frame = &FilterPanelGeometry().frame;
            break;
        case StageKind::Mixer:
            place = layout::kMixer;
            frame = &MixerPanelGeometry().frame;
            break;
        case StageKind::Amplifier:
            place = layout::kAmplifier;
            frame = &AmplifierPanelGeometry().frame;
            break;
    }
    place.left = model.StageLefts()[position];
    ScenePanel p = Frame(DesignName(id), title, *frame, place);
    p.visible = model.StagesShown()[position];
    switch (id.kind) {
        case StageKind::Filter: {
            const FilterGeometry& g = FilterPanelGeometry();
            const FilterPanelState& state = model.Filter(id.index);
            AddRows(p, g.rows, state);
            AddRow(p, g.centre, state);
            AddRow(p, g.range, state);
            break;
        }
        case StageKind::Mixer: {
            const MixerGeometry& g = MixerPanelGeometry();
            const MixerPanelState& state = model.Mixer(id.index);
            AddRows(p, g.rows, state);
            AddRow(p, g.lo, state);
            SceneControl box =
                Named(Placed(SceneKind::Check, g.chkSwitching), title, g.chkSwitching);
            box.checked = state.SwitchingChecked();
            p.controls.push_back(std::move(box));
            break;
        }
        case StageKind::Amplifier:
            AddRows(p, AmplifierPanelGeometry().rows, model.Amplifier(id.index));
            break;
    }
    return p;
}

SceneControl WindowControl(std::string name, SceneKind kind, const layout::Place& place) {
    SceneControl c;
    c.name = std::move(name);
    c.kind = kind;
    c.left = place.left;
    c.top = place.top;
    c.width = place.width;
    c.height = place.height;
    c.points = kTextPoints;
    return c;
}

SceneControl WindowLabel(std::string name, const layout::Place& place, std::string text,
                         SceneAlign align, Tip tip) {
    SceneControl c = WindowControl(std::move(name), SceneKind::Label, place);
    c.text = std::move(text);
    c.aria = c.text;
    c.align = align;
    c.colour = std::string(kWindowText);
    c.tip = ToolTip(tip);
    return c;
}

SceneControl ScrollBar(std::string name, const layout::Place& place,
                       const layout::ScrollSetting& setting, int value, std::string aria, Tip tip,
                       std::string reading) {
    SceneControl c = WindowControl(std::move(name), SceneKind::Range, place);
    c.range = SceneRange{setting.minimum, setting.maximum, 1, setting.pageStep, value, false};
    c.aria = std::move(aria);
    c.tip = ToolTip(tip);
    c.text = std::move(reading);
    return c;
}

void AddPlotGroup(WindowScene& scene, const WindowModel& model, int g) {
    const layout::PlotGroupPlaces& p = layout::kPlotGroups[g];
    const PlotGroupView& view = model.PlotGroup(g);
    const PlotSetup& plot = model.PlotControls(g);

    scene.outlines.push_back({Indexed("shpGraphs", g), SceneShape::Rectangle, p.shpGraphs.left,
                              p.shpGraphs.top, p.shpGraphs.width, p.shpGraphs.height, 1,
                              std::string(kWindowText), std::string()});
    const LeaderLine leader = model.Leader(g);
    if (!model.TestPointClicked()) {
        const layout::Segment& s = p.lneToG;
        scene.lines.push_back({Indexed("lneToG", g), static_cast<double>(s.x1),
                               static_cast<double>(s.y1), static_cast<double>(s.x2),
                               static_cast<double>(s.y2), s.width, std::string(kWindowText)});
    } else if (leader.visible) {
        scene.lines.push_back({Indexed("lneToG", g), leader.x1, leader.y1, leader.x2, leader.y2,
                               leader.width, CssColour(leader.colour)});
    }

    const std::pair<const layout::Place*, bool> pictures[] = {{&p.picSignal, false},
                                                              {&p.picSpectrum, true}};
    for (const auto& [place, spectrum] : pictures) {
        ScenePicture picture;
        picture.name = Indexed(spectrum ? "picSpectrum" : "picSignal", g);
        picture.group = g;
        picture.spectrum = spectrum;
        picture.left = place->left;
        picture.top = place->top;
        picture.width = place->width;
        picture.height = place->height;
        const Drawing& drawing = spectrum ? view.spectrum : view.time;
        picture.colour = CssColour(drawing.colour);
        picture.lines.reserve(drawing.lines.size() * 4);
        for (const TwipLine& line : drawing.lines)
            picture.lines.insert(picture.lines.end(), {line.x1, line.y1, line.x2, line.y2});
        picture.description = spectrum ? view.spectrumDescription : view.timeDescription;
        picture.aria =
            PlotControlName(g, spectrum ? PlotControl::SpectrumPicture : PlotControl::TimePicture);
        scene.pictures.push_back(std::move(picture));
    }

    SceneControl freeze = WindowControl(Indexed("chkFreeze", g), SceneKind::Check, p.chkFreeze);
    freeze.checked = plot.frozen;
    freeze.tip = FreezeToolTip(plot.frozen);
    freeze.aria = PlotControlName(g, PlotControl::Freeze);
    scene.controls.push_back(std::move(freeze));

    scene.controls.push_back(ScrollBar(Indexed("hscSignal", g), p.hscSignal, layout::kSignalScroll,
                                       plot.timeWindow, PlotControlName(g, PlotControl::TimeWindow),
                                       Tip::TimeWindow, TimeWindowText(plot.timeWindow)));
    scene.controls.push_back(ScrollBar(
        Indexed("hscSpectrum", g), p.hscSpectrum, layout::kSpectrumScroll, plot.span,
        PlotControlName(g, PlotControl::SpectrumSpan), Tip::SpectrumSpan, SpanText(plot.span)));
    scene.controls.push_back(ScrollBar(Indexed("hscCentre", g), p.hscCentre, layout::kCentreScroll,
                                       plot.centre, PlotControlName(g, PlotControl::Centre),
                                       Tip::SpectrumCentre, CentreText(plot.centre)));

    scene.controls.push_back(WindowLabel(Indexed("lblSignalMax", g), p.lblSignalMax,
                                         view.lblSignalMax, SceneAlign::Right, Tip::SignalMax));
    scene.controls.push_back(WindowLabel(Indexed("lblSignalZero", g), p.lblSignalZero,
                                         std::string(kSignalZeroText), SceneAlign::Right,
                                         Tip::SignalZero));
    scene.controls.push_back(WindowLabel(Indexed("lblMinTime", g), p.lblMinTime, view.lblMinTime,
                                         SceneAlign::Left, Tip::MinTime));
    scene.controls.push_back(WindowLabel(Indexed("lblMaxTime", g), p.lblMaxTime, view.lblMaxTime,
                                         SceneAlign::Right, Tip::MaxTime));
    scene.controls.push_back(WindowLabel(Indexed("lblMinFreq", g), p.lblMinFreq, view.lblMinFreq,
                                         SceneAlign::Left, Tip::MinFreq));
    scene.controls.push_back(WindowLabel(Indexed("lblMaxFreq", g), p.lblMaxFreq, view.lblMaxFreq,
                                         SceneAlign::Right, Tip::MaxFreq));
}

}  // namespace

std::string CssColour(std::uint32_t bgr) {
    if (bgr & 0x80000000u) return std::string(kButtonFaceCss);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string css = "#";
    for (const int shift : {0, 8, 16}) {
        const unsigned byte = (bgr >> shift) & 0xFFu;
        css += kHex[byte >> 4];
        css += kHex[byte & 0xFu];
    }
    return css;
}

namespace {

// Labels first, then the focusable controls in Tab order.
void StackPanelControls(ScenePanel& panel) {
    const auto rank = [&panel](const SceneControl& c) {
        if (c.kind == SceneKind::Label) return -1;
        const auto at = std::find(panel.focusOrder.begin(), panel.focusOrder.end(), c.name);
        return static_cast<int>(at - panel.focusOrder.begin());
    };
    std::stable_sort(
        panel.controls.begin(), panel.controls.end(),
        [&rank](const SceneControl& a, const SceneControl& b) { return rank(a) < rank(b); });
}

// Back to front as on the desktop: the labels lie on the background; the test points, the bars,
// the architecture list, the switches and the freeze boxes come in front, in this order.
void StackWindowControls(std::vector<SceneControl>& controls) {
    static const std::vector<std::string> kFrontOrder = [] {
        std::vector<std::string> order;
        for (int n = 1; n <= 6; ++n)
            order.push_back(Indexed("cmdGraph", n));
        for (const char* bar :
             {"hscSignal(0)", "hscSpectrum(0)", "hscSignal(1)", "hscCentre(0)", "hscCentre(1)",
              "hscSpectrum(1)", "cmdGraph(7)", "cmbMode", "cmdGraph(8)"})
            order.emplace_back(bar);
        for (int k = 0; k < kSlotCount; ++k)
            order.push_back(Indexed("Check1", k));
        order.emplace_back("chkFreeze(0)");
        order.emplace_back("chkFreeze(1)");
        return order;
    }();
    const auto rank = [](const SceneControl& c) {
        if (c.kind == SceneKind::Label) return -1;
        return static_cast<int>(std::find(kFrontOrder.begin(), kFrontOrder.end(), c.name) -
                                kFrontOrder.begin());
    };
    std::stable_sort(
        controls.begin(), controls.end(),
        [&rank](const SceneControl& a, const SceneControl& b) { return rank(a) < rank(b); });
}

}  // namespace

WindowScene BuildScene(const WindowModel& model) {
    WindowScene scene;
    scene.width = layout::kClientWidth;
    scene.height = layout::kClientHeight;

    for (int k = 0; k < 3; ++k)
        scene.panels.push_back(Oscillator(model, k));
    scene.panels.push_back(Noise(model));
    for (int position = 0; position < kStageCandidates; ++position)
        scene.panels.push_back(Stage(model, position));
    for (ScenePanel& panel : scene.panels)
        StackPanelControls(panel);

    for (const auto& line : layout::kDiagramLines) {
        const layout::Segment& s = line.segment;
        scene.lines.push_back({Indexed("lneDraw", line.index), static_cast<double>(s.x1),
                               static_cast<double>(s.y1), static_cast<double>(s.x2),
                               static_cast<double>(s.y2), s.width, std::string(kWindowText)});
    }

    for (int k = 0; k < kSlotCount; ++k) {
        SceneControl box = WindowControl(Indexed("Check1", k), SceneKind::Check,
                                         {layout::kCheckLeft[k], layout::kCheckTop,
                                          layout::kCheckWidth[k], layout::kCheckHeight});
        const std::string_view caption = model.SwitchCaptions()[k];
        box.text = std::string(caption);
        box.points = kCheckBoxPoints;
        box.visible = model.SwitchesShown()[k];
        box.checked = model.SwitchedIn()[k];
        box.aria = SwitchName(caption);
        box.tip = SwitchToolTip(caption);
        scene.controls.push_back(std::move(box));
    }

    const ButtonColours colours = model.TestPointColours();
    const Selection selection = model.ShownSelection();
    for (int n = 1; n <= layout::kTestPointCount; ++n) {
        SceneControl button = WindowControl(Indexed("cmdGraph", n), SceneKind::Button,
                                            {layout::kButtonLeft[n - 1], layout::kButtonTop,
                                             layout::kButtonSize, layout::kButtonSize});
        button.colour = CssColour(colours[n - 1]);
        button.checked = colours[n - 1] != kButtonFace;
        button.aria = TestPointName(n, model.ShownArchitecture());
        button.description = TestPointDescription(n, selection);
        button.lazyTip = true;
        scene.controls.push_back(std::move(button));
    }

    layout::Place mode = layout::kMode;
    mode.height = kComboHeight;
    SceneControl combo = WindowControl("cmbMode", SceneKind::Combo, mode);
    combo.text = model.ModeText();
    for (std::string_view item : kArchitectureItems)
        combo.items.emplace_back(item);
    combo.tip = ArchitectureToolTip(model.ModeText());
    combo.aria = std::string(kArchitectureName);
    scene.controls.push_back(std::move(combo));

    SceneControl power = WindowControl("lblPowerOut", SceneKind::Label, layout::kPowerOut);
    power.text = model.PowerCaption();
    power.align = SceneAlign::Right;
    power.colour = std::string(kWindowText);
    power.aria = std::string(kOutputPowerName);
    power.lazyTip = true;
    scene.controls.push_back(std::move(power));

    AddPlotGroup(scene, model, 0);
    AddPlotGroup(scene, model, 1);
    StackWindowControls(scene.controls);

    scene.focusOrder = model.FocusOrder();
    return scene;
}

TickChanges RefreshAfterTick(WindowScene& scene, const WindowModel& model) {
    TickChanges changes;
    // A window control's new state; `patch` says whether it changed anything.
    const auto control = [&scene, &changes](const std::string& name, const auto& patch) {
        for (std::size_t i = 0; i < scene.controls.size(); ++i) {
            if (scene.controls[i].name != name) continue;
            if (patch(scene.controls[i])) changes.controls.push_back(i);
            return;
        }
    };
    const auto text = [&control](const std::string& name, const std::string& value, bool aria) {
        control(name, [&value, aria](SceneControl& c) {
            if (c.text == value) return false;
            c.text = value;
            if (aria) c.aria = value;
            return true;
        });
    };
    text("lblPowerOut", model.PowerCaption(), false);

    std::vector<float> lines;
    for (int g = 0; g < 2; ++g) {
        const PlotGroupView& view = model.PlotGroup(g);
        const int centre = model.PlotControls(g).centre;
        control(Indexed("hscCentre", g), [centre](SceneControl& c) {
            if (!c.range || c.range->value == centre) return false;
            c.range->value = centre;
            c.text = CentreText(centre);
            return true;
        });
        text(Indexed("lblSignalMax", g), view.lblSignalMax, true);
        text(Indexed("lblMinTime", g), view.lblMinTime, true);
        text(Indexed("lblMaxTime", g), view.lblMaxTime, true);
        text(Indexed("lblMinFreq", g), view.lblMinFreq, true);
        text(Indexed("lblMaxFreq", g), view.lblMaxFreq, true);

        for (bool spectrum : {false, true}) {
            const std::string name = Indexed(spectrum ? "picSpectrum" : "picSignal", g);
            for (std::size_t i = 0; i < scene.pictures.size(); ++i) {
                ScenePicture& picture = scene.pictures[i];
                if (picture.name != name) continue;
                const Drawing& drawing = spectrum ? view.spectrum : view.time;
                lines.clear();
                lines.reserve(drawing.lines.size() * 4);
                for (const TwipLine& line : drawing.lines)
                    lines.insert(lines.end(), {line.x1, line.y1, line.x2, line.y2});
                std::string colour = CssColour(drawing.colour);
                if (lines != picture.lines || colour != picture.colour) {
                    picture.lines.swap(lines);
                    picture.colour = std::move(colour);
                    changes.drawings.push_back(i);
                }
                picture.description = spectrum ? view.spectrumDescription : view.timeDescription;
            }
        }
    }
    return changes;
}

}  // namespace quorvane
