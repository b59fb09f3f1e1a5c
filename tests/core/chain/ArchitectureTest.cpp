#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "chain/Architecture.h"

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

// Every arrangement puts each panel in one slot at most (the window checks the places).
TEST(ArrangementTest, NoPanelStandsInTwoSlots) {
    for (Architecture architecture :
         {Architecture::Homodyne, Architecture::SingleConversion, Architecture::DualConversion}) {
        const Arrangement& a = ArrangementFor(architecture);
        std::set<int> seen;
        for (int slot = 0; slot < a.filledSlots; ++slot) {
            EXPECT_TRUE(seen.insert(CandidatePosition(a.assignments[slot].stage)).second)
                << "slot " << slot;
        }
    }
}

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
