#include "texts/WindowSummary.h"

#include <array>

#include "chain/Architecture.h"
#include "chain/TestPointNames.h"
#include "panel/NumberText.h"
#include "panel/StageTexts.h"
#include "texts/ControlNames.h"

namespace quorvane {

namespace {

std::string Quantity(double value, std::string_view unit) {
    return FormatGeneral(value) + " " + std::string(unit);
}

std::string InterceptQuantity(double dBm) {
    if (dBm == kInfiniteIntercept) return "Inf (" + Quantity(dBm, "dBm") + ")";
    return Quantity(dBm, "dBm");
}

std::string ToneLine(int k, const OscillatorSettings& tone) {
    std::string line = ToneTitle(k) + ": " + Quantity(tone.Frequency, "MHz") + ", ";
    line += tone.Power == kSourceOff ? std::string("off") : Quantity(tone.Power, "dBnW");
    if (tone.Invert == 1) line += ", inverted";
    return line;
}

std::string NoiseLine(const NoiseSettings& noise) {
    return std::string(kNoiseTitle) + ": " + Quantity(noise.Temperature, "K") + ", " +
           (noise.Working != 0 ? "on" : "off");
}

std::string StageValues(const StageSettings& s) {
    const std::string gains =
        "gain " + Quantity(s.Gain, "dB") + ", noise figure " + Quantity(s.NF, "dB");
    switch (s.kind) {
        case StageKind::Filter:
            return "centre " + Quantity(s.CentreFreq, "MHz") + ", bandwidth " +
                   Quantity(s.Bandwidth, "MHz") + ", " + gains;
        case StageKind::Mixer:
            return "LO " + Quantity(s.LO_Freq, "MHz") + ", " +
                   (s.Switching ? "switching" : "multiplying") + ", " + gains + ", IP3 " +
                   InterceptQuantity(s.IP3);
        case StageKind::Amplifier:
            break;
    }
    return gains + ", IP3 " + InterceptQuantity(s.IP3);
}

std::string StageLines(const ChainSnapshot& chain, Architecture architecture) {
    std::string lines;
    for (const SlotSettings& slot : chain.chainSlots) {
        if (!slot.switchedIn) continue;
        for (int i = 0; i < slot.stageCount; ++i) {
            const StageSettings& s = slot.stages[static_cast<std::size_t>(i)];
            const StageId id{s.kind, s.index};
            lines += StageTitle(id, architecture) + ": " + StageValues(s) + "\n";
        }
    }
    return lines.empty() ? "Stages switched in: none\n" : lines;
}

std::string GroupLine(std::string_view group, int testPoint, Architecture architecture) {
    std::string line = std::string(group) + " plot group: ";
    if (testPoint == 0) return line + "no test point";
    return line + "test point " + std::to_string(testPoint) + ", " +
           TestPointPlace(testPoint, architecture);
}

}  // namespace

std::string WindowSummary(const WindowSummaryInput& input) {
    const Architecture architecture = ArchitectureFromText(input.architectureText);
    const ChainSnapshot& chain = input.chain;
    std::string text = "Quorvane\n";
    text += "Architecture: " + std::string(kArchitectureItems[ItemOf(architecture)]) + "\n";
    for (int k = 0; k < 3; ++k)
        text += ToneLine(k, chain.oscillators[static_cast<std::size_t>(k)]) + "\n";
    text += NoiseLine(chain.noise) + "\n";
    text += StageLines(chain, architecture);
    text += GroupLine("Left", chain.first, architecture) + "\n";
    text += GroupLine("Right", chain.second, architecture) + "\n";
    text += std::string(kOutputPowerName) + ": " + input.powerCaption + "\n";
    return text;
}

}  // namespace quorvane
