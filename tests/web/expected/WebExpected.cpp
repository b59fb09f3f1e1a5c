// Prints, as JSON, what the window shows for a table of setups after a few refreshes, computed by
// the core as the desktop computes it: the setup's text, the output power's caption, both plot
// groups' labels, the read-outs at fixed places on the pictures, a test point's budget (naming
// the page's shortcut) and the output power's read-out; and for a setup the parser refuses, its
// message. Then the setup a few keys leave from start-up. The browser edition's tests drive the
// page to the same state and compare what it shows with this, character for character. Every
// case starts from a reset generator and a new window, as the page's test mode does.
//
//   quorvane_web_expected            print the cases
//   quorvane_web_expected --time N   also the time of a refresh of the hand-made case with noise
//                                    ("tickMs", the best of five runs of N; "tickSetup"): the
//                                    core's calls the page makes for one, tick() and update()
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "WebWindow.h"
#include "chain/Layout.h"
#include "model/WindowModel.h"
#include "scene/PageTexts.h"
#include "setup/Experiments.h"

namespace {

using namespace quorvane;

// Refreshes before anything is read: enough for the noise to differ from one tick to the next
// and for the read-outs' history to fill.
constexpr int kTicks = 3;

// A hand-made setup: its text, the test point whose budget is read, and whether the parser
// must refuse it.
struct HandMade {
    const char* name;
    const char* text;
    int testPoint;
    bool refused = false;
};

constexpr HandMade kHandMade[] = {
    {"noise and two tones",
     "Quorvane setup 1\n"
     "Tone 1: 10 MHz, -30 dBnW, on\n"
     "Tone 3: 12.5 MHz, -40 dBnW, on\n"
     "Noise: 3000 K, on\n"
     "LNA: in, G 20 dB\n"
     "Test points: 1, 3\n",
     3},
    {"homodyne written by hand",
     "# no header line, a comment and a blank line\n"
     "\n"
     "Architecture: Homodyne\n"
     "Tone 2: 9.9 MHz, on\n"
     "1st Mixer: in, LO 10 MHz\n"
     "Test points: 4, 1\n",
     4},
    {"plots zoomed and frozen",
     "Quorvane setup 1\n"
     "Tone 1: 3 MHz, on\n"
     "Tone 2: 3.2 MHz, -10 dBnW, on, inverted\n"
     "Test points: 1, 2\n"
     "Left plot: span 2 MHz, centre 3.1 MHz, frozen\n"
     "Right plot: time window 6.2 µs\n",
     2},
    {"a setup the parser refuses",
     "Quorvane setup 1\n"
     "Tone 1: 7,5 MHz, on\n",
     1, true},
};

// Where the pointer reads, in twips on the picture: multiples of a pixel, away from the edges.
struct Point {
    int x, y;
};
constexpr Point kTimePoints[] = {{885, 300}, {2955, 855}, {5025, 1380}};
constexpr Point kSpectrumPoints[] = {{495, 300}, {1965, 750}, {3930, 1200}, {5400, 450}};

std::string Json(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

// The x of the highest point a spectrum drawing reaches, on a whole pixel: where a student points
// to read a line.
int PeakX(const Drawing& spectrum) {
    const TwipLine* top = nullptr;
    for (const TwipLine& line : spectrum.lines) {
        if (top == nullptr || std::min(line.y1, line.y2) < std::min(top->y1, top->y2)) top = &line;
    }
    if (top == nullptr) return kSpectrumPoints[0].x;
    const float x = top->y1 <= top->y2 ? top->x1 : top->x2;
    return static_cast<int>(x) / kTwipsPerPixel * kTwipsPerPixel;
}

// One case as a JSON object: how the page gets there, then what it shows.
std::string Case(std::string_view name, int experiment, std::string_view setup, int testPoint,
                 bool* refused = nullptr) {
    WindowModel::ResetRandom();
    WindowModel window;
    std::string refusal;
    if (experiment >= 0) {
        window.RunExperiment(experiment);
    } else {
        refusal = window.ApplySetupText(setup);
        if (refused != nullptr) *refused = !refusal.empty();
    }
    std::string json =
        "{\"name\": " + Json(name) + ", \"experiment\": " + std::to_string(experiment) +
        ", \"setup\": " + Json(setup) + ", \"ticks\": " + std::to_string(kTicks) +
        ", \"testPoint\": " + std::to_string(testPoint) + ",\n \"setupError\": " + Json(refusal);
    json += ",\n \"setupText\": " + Json(window.SetupAsText());
    for (int n = 0; n < kTicks; ++n)
        window.Tick();
    json += ",\n \"lblPowerOut\": " + Json(window.PowerCaption());
    json += ",\n \"labels\": {";
    const char* separator = "";
    for (int g = 0; g < 2; ++g) {
        const PlotGroupView& view = window.PlotGroup(g);
        const std::pair<const char*, const std::string*> labels[] = {
            {"lblSignalMax", &view.lblSignalMax},
            {"lblMinTime", &view.lblMinTime},
            {"lblMaxTime", &view.lblMaxTime},
            {"lblMinFreq", &view.lblMinFreq},
            {"lblMaxFreq", &view.lblMaxFreq}};
        for (const auto& [label, text] : labels) {
            json += separator;
            json += Json(std::string(label) + (g == 0 ? "(0)" : "(1)")) + ": " + Json(*text);
            separator = ", ";
        }
    }
    json += "},\n \"readouts\": [";
    separator = "";
    for (int g = 0; g < 2; ++g) {
        const std::string picture = g == 0 ? "(0)" : "(1)";
        for (const Point p : kTimePoints) {
            json += separator;
            json += "\n  {\"picture\": " + Json("picSignal" + picture) +
                    ", \"x\": " + std::to_string(p.x) + ", \"y\": " + std::to_string(p.y) +
                    ", \"text\": " + Json(window.TimeReadout(g, p.x, p.y)) + "}";
            separator = ",";
        }
        std::vector<Point> points(std::begin(kSpectrumPoints), std::end(kSpectrumPoints));
        points.push_back({PeakX(window.PlotGroup(g).spectrum), 150});
        for (const Point p : points) {
            json += separator;
            json += "\n  {\"picture\": " + Json("picSpectrum" + picture) +
                    ", \"x\": " + std::to_string(p.x) + ", \"y\": " + std::to_string(p.y) +
                    ", \"text\": " + Json(window.SpectrumReadout(g, p.x, p.y)) + "}";
        }
    }
    json += "],\n \"testPointTip\": " +
            Json(window.TestPointToolTip(testPoint, kPageTestPointModifier));
    json += ",\n \"powerOutTip\": " + Json(window.PowerOutToolTip());
    return json + "}";
}

// What a student does with the keyboard alone from start-up, as the page's test does it: a
// switch toggled with Space, a stage list stepped with Up or Down, a test point picked with its
// shortcut. Prints the steps and the setup they leave.
struct Key {
    const char* panel;  // "" for the window's own controls
    const char* control;
    int direction;  // a list's step: -1 Up, +1 Down; 0 for a click
};

constexpr Key kKeys[] = {
    {"", "Check1(1)", 0},
    {"AmplifierControl1(0)", "cmbGain", -1},
    {"", "Check1(2)", 0},
    {"MixerControl1(0)", "cmbLOFreq", 1},
    {"MixerControl1(0)", "cmbLOFreq", 1},
    {"", "cmdGraph(3)", 0},
    {"", "cmdGraph(5)", 0},
};

std::string Keyboard() {
    WindowModel::ResetRandom();
    WindowModel window;
    std::string json = "{\"keys\": [";
    const char* separator = "";
    for (const Key& key : kKeys) {
        const std::string refused = key.direction == 0
                                        ? window.Edit(key.control)
                                        : window.StepList(key.panel, key.control, key.direction);
        if (!refused.empty()) {
            std::fprintf(stderr, "%s %s: %s\n", key.panel, key.control, refused.c_str());
            std::exit(1);
        }
        json += separator;
        json += "{\"panel\": " + Json(key.panel) + ", \"control\": " + Json(key.control) +
                ", \"direction\": " + std::to_string(key.direction) + "}";
        separator = ", ";
    }
    return json + "],\n \"setupText\": " + Json(window.SetupAsText()) + "}";
}

// The mean time of one refresh, in milliseconds, as the best of five runs of `ticks` refreshes of
// the hand-made case with noise (both plot groups drawn): the same calls into the core that the
// page makes for one, the tick and the update it reads what changed from.
double TickMilliseconds(int ticks) {
    WindowModel::ResetRandom();
    WebWindow window;
    if (!window.applySetupText(kHandMade[0].text).empty()) std::abort();
    window.render();
    const auto refresh = [&window] {
        window.tick();
        if (window.update().empty()) std::abort();
    };
    refresh();
    double best = 1e300;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        for (int n = 0; n < ticks; ++n)
            refresh();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count() / ticks);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    int timedTicks = 0;
    if (argc == 3 && std::string_view(argv[1]) == "--time") {
        timedTicks = std::atoi(argv[2]);
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: %s [--time N]\n", argv[0]);
        return 2;
    }
    std::string json = "{\"width\": " + std::to_string(layout::kClientWidth) +
                       ", \"height\": " + std::to_string(layout::kClientHeight) + ",\n\"cases\": [";
    const std::span<const Experiment> experiments = Experiments();
    for (std::size_t n = 0; n < experiments.size(); ++n) {
        json += n == 0 ? "\n" : ",\n";
        // The experiments' own test points: the first one their setup shows.
        const std::string_view setup = experiments[n].setup;
        const std::size_t points = setup.find("Test points: ");
        const int testPoint = points == std::string_view::npos ? 1 : setup[points + 13] - '0';
        json += Case(experiments[n].title, static_cast<int>(n), setup, testPoint);
    }
    for (const HandMade& c : kHandMade) {
        bool refused = false;
        json += ",\n" + Case(c.name, -1, c.text, c.testPoint, &refused);
        if (refused != c.refused) {
            std::fprintf(stderr, "the setup \"%s\" was %s\n", c.name,
                         refused ? "refused" : "accepted");
            return 1;
        }
    }
    json += "\n],\n\"keyboard\": " + Keyboard();
    if (timedTicks > 0) {
        char tick[64];
        std::snprintf(tick, sizeof tick, "%.4f", TickMilliseconds(timedTicks));
        json +=
            ",\n\"tickMs\": " + std::string(tick) + ", \"tickSetup\": " + Json(kHandMade[0].text);
    }
    std::printf("%s}\n", json.c_str());
    return 0;
}
