// The embind bindings of WebWindow: the class the page's script creates and calls.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <vector>

#include "WebWindow.h"

namespace {

// A picture's drawing as a Float32Array over the module's memory: no copy, and valid only until
// the core next runs (a growing memory moves it), so the page draws from it at once.
emscripten::val Drawing(const quorvane::WebWindow& window, int index) {
    const std::vector<float>& lines = window.drawing(index);
    return emscripten::val(emscripten::typed_memory_view(lines.size(), lines.data()));
}

}  // namespace

EMSCRIPTEN_BINDINGS(quorvane_core) {
    using quorvane::WebWindow;
    emscripten::class_<WebWindow>("WebWindow")
        .constructor<>()
        .function("tick", &WebWindow::tick)
        .function("scene", &WebWindow::scene)
        .function("render", &WebWindow::render)
        .function("update", &WebWindow::update)
        .function("drawing", &Drawing)
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
