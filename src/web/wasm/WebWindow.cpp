// The embind bindings of WebWindow: the class the page's script creates and calls.

#include <emscripten/bind.h>

#include "WebWindow.h"

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
