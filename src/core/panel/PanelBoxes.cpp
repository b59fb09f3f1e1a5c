#include "panel/PanelBoxes.h"

#include <array>

#include "panel/NumberText.h"
#include "panel/StageTexts.h"

namespace quorvane {

namespace {

constexpr std::array<std::string_view, 6> kNames = {"cmbNoise",  "cmbGain", "cmbIP3",
                                                    "cmbLOFreq", "cmbFreq", "cmbRange"};

}  // namespace

std::string_view StageBoxName(StageBox box) {
    return kNames[static_cast<std::size_t>(box)];
}

std::optional<StageBox> StageBoxNamed(std::string_view name) {
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (kNames[i] == name) return static_cast<StageBox>(i);
    return std::nullopt;
}

double ReadBoxValue(StageBox box, std::string_view text) {
    switch (box) {
        case StageBox::Intercept:
            return ReadIntercept(text);
        case StageBox::LoFrequency:
            return ReadLoFrequency(text).mhz;
        case StageBox::Centre:
        case StageBox::Bandwidth:
            return ReadBandFrequency(text).mhz;
        case StageBox::Noise:
        case StageBox::Gain:
            break;
    }
    return ParseLeadingNumber(text);
}

}  // namespace quorvane
