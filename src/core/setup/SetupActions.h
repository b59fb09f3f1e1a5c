#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The texts of the window's setup actions: menu entries, their names and tooltips.
inline constexpr std::string_view kCopySetupText = "Copy Setup";
inline constexpr std::string_view kPasteSetupText = "Paste Setup";
inline constexpr std::string_view kExperimentsText = "Experiments";

// The actions' tooltips, naming the key that does the same where a front end has one: "Copy
// Setup (Ctrl+Shift+C): puts ...", and "Copy Setup: puts ..." for an empty shortcut.
enum class SetupAction { CopySetup, PasteSetup, Experiments };
std::string SetupActionTip(SetupAction action, std::string_view shortcut);

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
