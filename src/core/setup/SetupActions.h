#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The texts of the window's setup actions: menu entries, their names and tooltips.
inline constexpr std::string_view kCopySetupText = "Copy Setup";
inline constexpr std::string_view kCopySetupTip =
    "Copy Setup (Ctrl+Shift+C): puts the window's settings on the clipboard as text, one line "
    "per thing, naming only what differs from the start-up state. Paste it into a lab sheet, or "
    "back into a window with Paste Setup.";
inline constexpr std::string_view kPasteSetupText = "Paste Setup";
inline constexpr std::string_view kPasteSetupTip =
    "Paste Setup (Ctrl+V outside a text box): sets the window to its start-up state and then to "
    "the setup on the clipboard. A setup with a line it cannot read changes nothing and says "
    "which line.";
inline constexpr std::string_view kExperimentsText = "Experiments";
inline constexpr std::string_view kExperimentsTip =
    "Experiments (Ctrl+E): ready setups, each with what to look for and what to change next.";

// The output power's tooltip while an experiment's setup stands unchanged: the experiment's
// title and paragraph, then the usual reading.
std::string WithExperiment(std::string_view title, std::string_view paragraph,
                           const std::string& reading);

// The experiment last run, while no paste followed, and its setup's text, so the output power's
// read-out carries its note only while the window still holds that setup.
struct ExperimentMark {
    int index = -1;
    std::string setupText;
};

// The reading, preceded by the experiment's title and paragraph while `shownSetupText` is still
// the experiment's setup.
std::string WithExperimentNote(const ExperimentMark& mark, std::string_view shownSetupText,
                               const std::string& reading);

}  // namespace quorvane
