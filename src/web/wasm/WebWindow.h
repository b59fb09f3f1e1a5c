#pragma once

// The browser edition's front door: one window of the core, as the page drives it. Every text
// and number the page shows comes from here, worked out by the same C++ as the desktop's. Free of
// Emscripten, so that a native program can drive it exactly as the page does.

#include <string>

#include "model/WindowModel.h"
#include "scene/PageTexts.h"
#include "scene/SceneJson.h"
#include "scene/WindowScene.h"
#include "setup/Experiments.h"
#include "texts/TextWrap.h"

namespace quorvane {

class WebWindow {
  public:
    WebWindow() = default;
    WebWindow(const WebWindow&) = delete;
    WebWindow& operator=(const WebWindow&) = delete;

    void tick() { model_.Tick(); }
    std::string scene() const { return SceneJson(BuildScene(model_)); }

    // The page's own view of the window. render() gives the whole scene and keeps it as what the
    // page shows; update(), for a refresh after ticks, brings that up to date touching only what
    // a tick changes (RefreshAfterTick) and gives what changed (TickUpdateJson). After anything
    // else (an edit, a paste) it gives {"full":true}: the page takes the whole scene again.
    std::string render() {
        shown_ = BuildScene(model_);
        edited_ = false;
        return SceneJson(shown_);
    }
    std::string update() {
        if (edited_) return R"({"full":true})";
        return TickUpdateJson(shown_, RefreshAfterTick(shown_, model_));
    }
    // Picture `index`'s lines (x1, y1, x2, y2 in twips) in the scene last rendered or updated.
    const std::vector<float>& drawing(int index) const {
        static const std::vector<float> none;
        if (index < 0 || index >= static_cast<int>(shown_.pictures.size())) return none;
        return shown_.pictures[static_cast<std::size_t>(index)].lines;
    }

    std::string edit(const std::string& control, const std::string& value) {
        edited_ = true;
        return model_.Edit(control, value);
    }
    std::string editPanel(const std::string& panel, const std::string& box,
                          const std::string& value) {
        edited_ = true;
        return model_.EditPanel(panel, box, value);
    }
    std::string stepList(const std::string& panel, const std::string& box, int direction) {
        edited_ = true;
        return model_.StepList(panel, box, direction);
    }
    std::string clickBox(const std::string& panel, const std::string& box) {
        edited_ = true;
        return model_.ClickBox(panel, box);
    }

    std::string toolTip(const std::string& name) {
        // A test point's tooltip names the page's key for it.
        if (name.rfind("cmdGraph(", 0) == 0 && name.size() == 11 && name[10] == ')' &&
            name[9] >= '1' && name[9] <= '8')
            return testPointToolTip(name[9] - '0');
        return model_.ToolTip(name);
    }
    std::string panelToolTip(const std::string& panel, const std::string& box) const {
        return model_.PanelToolTip(panel, box);
    }
    std::string testPointToolTip(int n) {
        if (n < 1 || n > 8) return {};
        return model_.TestPointToolTip(n, kPageTestPointModifier);
    }
    std::string powerOutToolTip() { return model_.PowerOutToolTip(); }
    std::string timeReadout(int group, double x, double y) const {
        return model_.TimeReadout(group, x, y);
    }
    std::string spectrumReadout(int group, double x, double y) {
        return model_.SpectrumReadout(group, x, y);
    }

    std::string setupText() const { return model_.SetupAsText(); }
    std::string applySetupText(const std::string& text) {
        edited_ = true;
        return model_.ApplySetupText(text);
    }

    std::string experiments() const {
        JsonWriter json;
        json.BeginArray();
        for (const Experiment& experiment : Experiments()) {
            json.BeginObject().Key("title").String(experiment.title);
            json.Key("tip").String(WrapText(experiment.paragraph)).EndObject();
        }
        json.EndArray();
        return json.Take();
    }
    void runExperiment(int index) {
        if (index < 0 || index >= static_cast<int>(Experiments().size())) return;
        edited_ = true;
        model_.RunExperiment(index);
    }

    std::string summary() const { return model_.Summary(); }
    std::string copyData(int group, const std::string& kind) const {
        if (kind != "time" && kind != "spectrum") return {};
        return model_.CopyData(group, kind == "spectrum");
    }
    std::string figure(int group) const {
        if (group < 0 || group > 1) return {};
        const PlotGroupView& view = model_.PlotGroup(group);
        return FigureJson(model_.Figure(group), view.time, view.spectrum, model_.GroupTitle(group));
    }
    std::string texts() const { return PageTextsJson(); }
    static void resetRandom() { WindowModel::ResetRandom(); }

  private:
    WindowModel model_;
    WindowScene shown_;
    bool edited_ = true;  // since the last render(): nothing rendered yet counts as edited
};

}  // namespace quorvane
