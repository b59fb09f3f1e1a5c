// Drives WebWindow natively through the steps tests/wasm/wasm-numbers.mjs takes through the
// WebAssembly module, and prints what each step gives, for the two to be compared.

#include <cstdio>
#include <string>

#include "WebWindow.h"
#include "setup/Experiments.h"

namespace {

// The same steps as Dump() in wasm-numbers.mjs.
std::string Dump(int experiment) {
    quorvane::WebWindow::resetRandom();
    quorvane::WebWindow w;
    if (experiment < 0) {
        for (const char* control : {"cmdGraph(1)", "cmdGraph(8)"})
            w.edit(control, "");
        w.editPanel("OscillatorControl1(0)", "cmdWorking", "");
        w.editPanel("NoiseControl1", "cmdWorking", "");
    } else {
        w.runExperiment(experiment);
    }
    std::string out;
    for (int t = 0; t < 3; ++t) {
        w.tick();
        out += w.scene() + "\n";
    }
    // The refresh after ticks, as the page's timer takes it.
    w.render();
    for (int t = 0; t < 2; ++t) {
        w.tick();
        out += w.update() + "\n";
    }
    for (int n = 1; n <= 8; ++n)
        out += w.testPointToolTip(n) + "\n";
    out += w.powerOutToolTip() + "\n";
    const double points[][2] = {{45, 75}, {3007.5, 855}, {5850, 1500}};
    for (int g = 0; g < 2; ++g) {
        for (const auto& p : points)
            out += w.timeReadout(g, p[0], p[1]) + "\n" + w.spectrumReadout(g, p[0], p[1]) + "\n";
        out += w.copyData(g, "time") + "\n" + w.copyData(g, "spectrum") + "\n" + w.figure(g) + "\n";
    }
    out += w.summary() + "\n" + w.setupText() + "\n";
    return out;
}

}  // namespace

int main() {
    const int experiments = static_cast<int>(quorvane::Experiments().size());
    for (int e = -1; e < experiments; ++e)
        std::fputs((Dump(e) + "===\n").c_str(), stdout);
    return 0;
}
