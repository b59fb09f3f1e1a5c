#include "setup/SetupActions.h"

#include "setup/Experiments.h"
#include "texts/TextWrap.h"

namespace quorvane {

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
