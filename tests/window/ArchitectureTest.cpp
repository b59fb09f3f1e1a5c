#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "window/Architecture.h"

namespace quorvane {
namespace {

struct TextCase {
    std::string text;
    Architecture expected;
};

class ArchitectureFromTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(ArchitectureFromTextTest, OnlyExactNamesLeaveSingleConversion) {
    EXPECT_EQ(ArchitectureFromText(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ArchitectureFromTextTest,
    testing::Values(TextCase{"Homodyne", Architecture::Homodyne},
                    TextCase{"Dual-Conversion Heterodyne", Architecture::DualConversion},
                    TextCase{"Single-Conversion Heterodyne", Architecture::SingleConversion},
                    TextCase{"homodyne", Architecture::SingleConversion},
                    TextCase{"Homodyne ", Architecture::SingleConversion},
                    TextCase{" Homodyne", Architecture::SingleConversion},
                    TextCase{"Homo", Architecture::SingleConversion},
                    TextCase{"", Architecture::SingleConversion},
                    TextCase{"Dual-Conversion", Architecture::SingleConversion},
                    TextCase{"DUAL-CONVERSION HETERODYNE", Architecture::SingleConversion}));

struct ArrangementCase {
    Architecture architecture;
    // Left of FilterControl1(0..3), MixerControl1(0..2), AmplifierControl1(0..1).
    std::array<int, kStageCandidates> lefts;
    std::vector<std::string> captions;  // of the filled slots, left to right
};

class ArrangementTest : public testing::TestWithParam<ArrangementCase> {};

TEST_P(ArrangementTest, PanelsStandInTheirSlots) {
    const ArrangementCase& c = GetParam();
    EXPECT_EQ(PanelLefts(c.architecture), c.lefts);
}

TEST_P(ArrangementTest, SwitchCaptionsFollowTheSlots) {
    const ArrangementCase& c = GetParam();
    const Arrangement& a = ArrangementFor(c.architecture);
    ASSERT_EQ(a.filledSlots, static_cast<int>(c.captions.size()));
    for (int slot = 0; slot < a.filledSlots; ++slot) {
        EXPECT_EQ(std::string(a.slots[slot].caption), c.captions[slot]) << "slot " << slot;
    }
}

TEST_P(ArrangementTest, NoPanelStandsInTwoSlots) {
    const Arrangement& a = ArrangementFor(GetParam().architecture);
    std::set<int> seen;
    for (int slot = 0; slot < a.filledSlots; ++slot) {
        EXPECT_TRUE(seen.insert(CandidatePosition(a.slots[slot].stage)).second) << "slot " << slot;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Architectures, ArrangementTest,
    testing::Values(ArrangementCase{Architecture::Homodyne,
                                    {2040, 9640, 0, 0, 5840, 0, 0, 3940, 7740},
                                    {"Image Filter", "LNA", "1st Mixer", "IF Amp",
                                     "Baseband Filter"}},
                    ArrangementCase{Architecture::SingleConversion,
                                    {2040, 9640, 13440, 0, 5840, 11540, 0, 3940, 7740},
                                    {"Image Filter", "LNA", "1st Mixer", "IF Amp", "IF Filter",
                                     "2nd Mixer", "Baseband Filter"}},
                    ArrangementCase{Architecture::DualConversion,
                                    {2040, 5840, 9640, 13440, 3940, 7740, 11540, 0, 0},
                                    {"Image Filter", "1st Mixer", "1st IF Filter", "2nd Mixer",
                                     "2nd IF Filter", "3nd Mixer", "Baseband Filter"}}));

TEST(SlotAtLeftTest, OnlyExactSlotPositionsBelongToASlot) {
    const std::vector<std::pair<int, int>> cases = {
        {2040, 0},  {3940, 1}, {5840, 2},  {7740, 3},  {9640, 4},   {11540, 5},
        {13440, 6}, {0, -1},   {2039, -1}, {2041, -1}, {15340, -1}, {-1860, -1}};
    for (const auto& [left, slot] : cases) {
        EXPECT_EQ(SlotAtLeft(left), slot) << "Left " << left;
    }
}

TEST(CandidateOrderTest, PositionsMatchTheTickOrder) {
    for (int i = 0; i < kStageCandidates; ++i) {
        EXPECT_EQ(CandidatePosition(kCandidateOrder[i]), i);
    }
}

}  // namespace
}  // namespace quorvane
