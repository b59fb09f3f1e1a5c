#include "setup/SetupActions.h"

#include "setup/Experiments.h"
#include "texts/TextWrap.h"

namespace quorvane {

std::string SetupActionTip(SetupAction action, std::string_view shortcut) {
    std::string_view name;
    std::string_view what;
    switch (action) {
        case SetupAction::CopySetup:
            name = kCopySetupText;
            what =
                "puts the window's settings on the clipboard as text, one line per thing, naming "
                "only what differs from the start-up state. Paste it into a lab sheet, or back "
                "into a window with Paste Setup.";
            break;
        case SetupAction::PasteSetup:
            name = kPasteSetupText;
            what =
                "sets the window to its start-up state and then to the setup on the clipboard. A "
                "setup with a line it cannot read changes nothing and says which line.";
            break;
        case SetupAction::Experiments:
            name = kExperimentsText;
            what = "ready setups, each with what to look for and what to change next.";
            break;
    }
    std::string tip(name);
    if (!shortcut.empty()) tip += " (" + std::string(shortcut) + ")";
    return tip + ": " + std::string(what);
}

std::string WithExperiment(std::string_view title, std::string_view paragraph,
                           const std::string& reading) {
    std::string text = "Experiment: " + std::string(title) + "\n" + WrapText(paragraph);
    if (!reading.empty()) text += "\n\n" + reading;
    return text;
}

std::string WithExperimentNote(const ExperimentMark& mark, std::string_view shownSetupText,
                               const std::string& reading) {
    if (mark.index < 0 || shownSetupText != mark.setupText) return reading;
    const Experiment& experiment = Experiments()[static_cast<std::size_t>(mark.index)];
    return WithExperiment(experiment.title, experiment.paragraph, reading);
}

}  // namespace quorvane
