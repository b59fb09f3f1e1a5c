// The browser edition's front door: one window of the core, as the page drives it through
// embind. Every text and number the page shows comes from here, worked out by the same C++ as
// the desktop's.

#include <emscripten/bind.h>

#include <span>
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
    void tick() { model_.Tick(); }
    std::string scene() const { return SceneJson(BuildScene(model_)); }

    std::string edit(const std::string& control, const std::string& value) {
        return model_.Edit(control, value);
    }
    std::string editPanel(const std::string& panel, const std::string& box,
                          const std::string& value) {
        return model_.EditPanel(panel, box, value);
    }
    std::string stepList(const std::string& panel, const std::string& box, int direction) {
        return model_.StepList(panel, box, direction);
    }
    std::string clickBox(const std::string& panel, const std::string& box) {
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
    std::string applySetupText(const std::string& text) { return model_.ApplySetupText(text); }

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
        return FigureJson(model_.Figure(group), view.time, view.spectrum);
    }
    std::string texts() const { return PageTextsJson(); }
    static void resetRandom() { WindowModel::ResetRandom(); }

  private:
    WindowModel model_;
};

}  // namespace quorvane

EMSCRIPTEN_BINDINGS(quorvane_core) {
    using quorvane::WebWindow;
    emscripten::class_<WebWindow>("WebWindow")
        .constructor<>()
        .function("tick", &WebWindow::tick)
        .function("scene", &WebWindow::scene)
        .function("edit", &WebWindow::edit)
        .function("editPanel", &WebWindow::editPanel)
        .function("stepList", &WebWindow::stepList)
        .function("clickBox", &WebWindow::clickBox)
        .function("toolTip", &WebWindow::toolTip)
        .function("panelToolTip", &WebWindow::panelToolTip)
        .function("testPointToolTip", &WebWindow::testPointToolTip)
        .function("powerOutToolTip", &WebWindow::powerOutToolTip)
        .function("timeReadout", &WebWindow::timeReadout)
        .function("spectrumReadout", &WebWindow::spectrumReadout)
        .function("setupText", &WebWindow::setupText)
        .function("applySetupText", &WebWindow::applySetupText)
        .function("experiments", &WebWindow::experiments)
        .function("runExperiment", &WebWindow::runExperiment)
        .function("summary", &WebWindow::summary)
        .function("copyData", &WebWindow::copyData)
        .function("figure", &WebWindow::figure)
        .function("texts", &WebWindow::texts)
        .class_function("resetRandom", &WebWindow::resetRandom);
}
