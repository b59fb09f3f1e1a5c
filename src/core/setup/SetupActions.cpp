#include "setup/SetupActions.h"

#include "texts/TextWrap.h"

namespace quorvane {

std::string WithExperiment(std::string_view title, std::string_view paragraph,
                           const std::string& reading) {
    std::string text = "Experiment: " + std::string(title) + "\n" + WrapText(paragraph);
    if (!reading.empty()) text += "\n\n" + reading;
    return text;
}

}  // namespace quorvane
