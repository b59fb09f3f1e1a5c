#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "chain/TestPointNames.h"
#include "engine/ReceiverEngine.h"
#include "engine/UniformRandom.h"
#include "texts/ControlNames.h"
#include "texts/TextWrap.h"
#include "texts/ToolTips.h"

namespace quorvane {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(WrapText, BreaksAtBlanksKeepingLinesAndLongWords) {
    struct Case {
        const char* text;
        std::size_t width;
        const char* wrapped;
    };
    const Case cases[] = {
        {"a b c", 45, "a b c"},
        {"one two three four", 9, "one two\nthree\nfour"},
        {"one  two", 45, "one two"},
        {"first line\nsecond", 6, "first\nline\nsecond"},
        {"unbreakable-word here", 5, "unbreakable-word\nhere"},
        {"\u00B5\u00B5\u00B5\u00B5 \u00B5\u00B5\u00B5\u00B5", 9,
         "\u00B5\u00B5\u00B5\u00B5 \u00B5\u00B5\u00B5\u00B5"},
        {"", 45, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WrapText(c.text, c.width), c.wrapped) << c.text;
}

// Every tooltip the window shows, in every state, keeps its lines to 45 characters.
TEST(ToolTips, EveryLineFitsAndBoxesEndWithTheirReading) {
    std::vector<std::string> tips;
    for (int t = 0; t <= static_cast<int>(Tip::MaxFreq); ++t)
        tips.push_back(ToolTip(static_cast<Tip>(t)));
    for (int b = 0; b <= static_cast<int>(BoxKind::Bandwidth); ++b) {
        for (const char* text : {"", "1e999", "Inf", "-0.000123456789012345", "12.5 MHz"}) {
            const std::string tip = BoxToolTip(static_cast<BoxKind>(b), text);
            EXPECT_EQ(Lines(tip).back(), ReadsAs(static_cast<BoxKind>(b), text)) << tip;
            tips.push_back(tip);
        }
    }
    for (const Architecture a :
         {Architecture::Homodyne, Architecture::SingleConversion, Architecture::DualConversion}) {
        for (const SlotAssignment& slot : ArrangementFor(a).assignments)
            tips.push_back(SwitchToolTip(slot.caption));
        tips.push_back(ArchitectureToolTip(kArchitectureItems[ItemOf(a)]));
        EXPECT_EQ(Lines(tips.back()).back(),
                  "Reads as " + std::string(kArchitectureItems[ItemOf(a)]));
    }
    tips.push_back(FreezeToolTip(false));
    tips.push_back(FreezeToolTip(true));
    EXPECT_EQ(tips[tips.size() - 2].find("frozen"), std::string::npos);
    EXPECT_NE(tips.back().find("frozen"), std::string::npos);
    for (const std::string& tip : tips) {
        EXPECT_FALSE(tip.empty());
        for (const std::string& line : Lines(tip))
            EXPECT_LE(CharacterCount(line), kToolTipWidth) << line;
    }
}

// The noise source's tooltip says what 290 K gives here; the antenna's power over refreshes
// agrees, and the textbook's k T 40 MHz is -97.96 dBm.
TEST(ToolTips, NoiseTemperatureStatesWhat290KelvinGives) {
    const std::string tip = BoxToolTip(BoxKind::NoiseTemperature, "290");
    std::string flat = tip;
    for (char& c : flat)
        c = c == '\n' ? ' ' : c;
    const std::string stated = "Here 290 K gives ";
    const std::size_t at = flat.find(stated);
    ASSERT_NE(at, std::string::npos) << tip;
    const double dbm = std::stod(flat.substr(at + stated.size()));
    EXPECT_NE(flat.find("where k T 40 MHz is -98.0 dBm"), std::string::npos) << tip;
    ChainSnapshot antenna;
    antenna.noise = {290.0, 1};
    UniformRandom random;
    ReceiverEngine engine(random);
    double watts = 0;
    constexpr int kTicks = 16;
    for (int t = 0; t < kTicks; ++t)
        watts += engine.RunTick(antenna, nullptr) / kTicks;
    EXPECT_NEAR(10 * std::log10(watts) + 30, dbm, 0.06);
    EXPECT_NEAR(dbm, -97.1, 0.05);
}

// Names follow the architecture: a stage by the slot it stands in, a parked one by its kind.
TEST(ControlNames, StagesAndTestPointsFollowTheArchitecture) {
    struct Case {
        std::string name;
        const char* expected;
    };
    const auto single = Architecture::SingleConversion;
    const auto dual = Architecture::DualConversion;
    const auto homodyne = Architecture::Homodyne;
    const Case cases[] = {
        {TestPointName(1, single), "Test point 1, antenna"},
        {TestPointName(3, single), "Test point 3, after LNA"},
        {TestPointName(8, single), "Test point 8, receiver output"},
        {TestPointName(3, dual), "Test point 3, after 1st Mixer"},
        {TestPointName(7, dual), "Test point 7, after 3nd Mixer"},
        {TestPointName(6, homodyne), "Test point 6, after Baseband Filter"},
        {TestPointName(7, homodyne), "Test point 7, after Baseband Filter"},
        {StageTitle({StageKind::Filter, 0}, single), "Image Filter"},
        {StageTitle({StageKind::Filter, 3}, single), "Filter 4"},
        {StageTitle({StageKind::Amplifier, 0}, dual), "Amplifier 1"},
        {StageTitle({StageKind::Filter, 1}, dual), "1st IF Filter"},
        {StageTitle({StageKind::Filter, 1}, homodyne), "Baseband Filter"},
        {StageTitle({StageKind::Mixer, 1}, homodyne), "Mixer 2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.name, c.expected);
}

}  // namespace
}  // namespace quorvane
