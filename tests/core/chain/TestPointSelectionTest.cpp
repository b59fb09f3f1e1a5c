#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>

#include "chain/TestPointSelection.h"

namespace quorvane {
namespace {

ButtonColours Showing(Selection s) {
    return SelectionColours(s);
}

struct ClickCase {
    const char* name;
    Selection before;
    int clicked;
    Selection after;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ClickCase& c, std::ostream* os) {
    *os << c.name;
}

class ClickTest : public testing::TestWithParam<ClickCase> {};

TEST_P(ClickTest, MergesTheClickIntoTheSelection) {
    const ClickCase& c = GetParam();
    const Selection after = ClickTestPoint(Showing(c.before), c.clicked);
    EXPECT_EQ(after.first, c.after.first);
    EXPECT_EQ(after.second, c.after.second);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, ClickTest,
    testing::Values(ClickCase{"FirstClick", {0, 0}, 5, {5, 0}},
                    ClickCase{"HigherClickBecomesSecond", {5, 0}, 7, {5, 7}},
                    ClickCase{"LowerClickBecomesFirst", {5, 0}, 2, {2, 5}},
                    ClickCase{"BelowBothReplacesFirst", {3, 6}, 1, {1, 6}},
                    ClickCase{"AboveBothReplacesSecond", {3, 6}, 8, {3, 8}},
                    ClickCase{"FirstNeighbourReplacesFirst", {3, 6}, 4, {4, 6}},
                    ClickCase{"SecondNeighbourReplacesSecond", {3, 6}, 5, {3, 5}},
                    ClickCase{"FirstNeighbourTestedFirst", {2, 4}, 3, {3, 4}},
                    ClickCase{"FarBetweenReplacesSecond", {2, 7}, 4, {2, 4}},
                    ClickCase{"DeselectFirstPromotesSecond", {3, 6}, 3, {6, 0}},
                    ClickCase{"DeselectSecond", {3, 6}, 6, {3, 0}},
                    ClickCase{"DeselectOnly", {4, 0}, 4, {0, 0}},
                    ClickCase{"OutOfRangeBelow", {3, 6}, 0, {3, 6}},
                    ClickCase{"OutOfRangeAbove", {3, 6}, 9, {3, 6}}),
    [](const testing::TestParamInfo<ClickCase>& info) { return info.param.name; });

TEST(ClickTest, AnyForeignColourCountsAsAPreviousSelection) {
    ButtonColours colours = Showing({});
    colours[1] = 0x000000FF;  // button 2, red
    EXPECT_EQ(ClickTestPoint(colours, 6), (Selection{2, 6}));
}

TEST(ReadSelectionTest, LowestIsFirstAndHighestOtherIsSecond) {
    struct Case {
        std::initializer_list<int> selected;
        Selection expected;
    };
    const Case cases[] = {{{}, {0, 0}},        {{4}, {4, 0}}, {{1, 8}, {1, 8}},
                          {{2, 5, 7}, {2, 7}}, {{8}, {8, 0}}, {{1, 2, 3, 4}, {1, 4}}};
    for (const Case& c : cases) {
        ButtonColours colours = Showing({});
        for (int n : c.selected)
            colours[n - 1] = 0x00123456;
        EXPECT_EQ(ReadSelection(colours), c.expected) << "first expected " << c.expected.first;
    }
}

TEST(ReadSelectionTest, BlackCountsAsSelected) {
    ButtonColours colours = Showing({});
    colours[2] = kClickMarkColour;
    EXPECT_EQ(ReadSelection(colours), (Selection{3, 0}));
}

TEST(LeaderLineTest, RunsFromButtonCentreToFrameTopMiddle) {
    struct Case {
        int group, testPoint;
        float x1, y1, x2, y2;
    };
    const Case cases[] = {{0, 1, 2047.5f, 2287.5f, 3607.5f, 5760.0f},
                          {1, 8, 15247.5f, 2287.5f, 10687.5f, 5760.0f},
                          {0, 4, 7567.5f, 2287.5f, 3607.5f, 5760.0f},
                          {1, 5, 9607.5f, 2287.5f, 10687.5f, 5760.0f}};
    for (const Case& c : cases) {
        const LeaderLine line = LeaderLineFor(c.group, c.testPoint, kSecondSelectionColour);
        EXPECT_TRUE(line.visible);
        EXPECT_FLOAT_EQ(line.x1, c.x1);
        EXPECT_FLOAT_EQ(line.y1, c.y1);
        EXPECT_FLOAT_EQ(line.x2, c.x2);
        EXPECT_FLOAT_EQ(line.y2, c.y2);
        EXPECT_EQ(line.width, 2);
        EXPECT_EQ(line.colour, kSecondSelectionColour);
    }
    EXPECT_FALSE(LeaderLineFor(0, 0, kFirstSelectionColour).visible);
}

}  // namespace
}  // namespace quorvane
