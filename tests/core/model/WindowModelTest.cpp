#include "model/WindowModel.h"

#include <gtest/gtest.h>

#include <string>

#include "setup/Experiments.h"

namespace quorvane {
namespace {

// Choosing an architecture moves the panels and captions the switches; a switch hidden by the
// homodyne keeps the caption it had.
TEST(WindowModelTest, ArchitectureArrangesPanelsAndSwitches) {
    struct Case {
        const char* mode;
        std::array<int, kStageCandidates> lefts;  // in kCandidateOrder
        int shownSwitches;
        const char* sixthCaption;
    };
    const Case cases[] = {
        {"Homodyne", {2040, 9640, 0, 0, 5840, 0, 0, 3940, 7740}, 5, "2nd Mixer"},
        {"Dual-Conversion Heterodyne",
         {2040, 5840, 9640, 13440, 3940, 7740, 11540, 0, 0},
         7,
         "3nd Mixer"},
        {"typed text", {2040, 9640, 13440, 0, 5840, 11540, 0, 3940, 7740}, 7, "2nd Mixer"},
    };
    for (const Case& c : cases) {
        WindowModel m;
        ASSERT_EQ(m.Edit("cmbMode", c.mode), "");
        EXPECT_EQ(m.ModeText(), c.mode);
        EXPECT_EQ(m.StageLefts(), c.lefts) << c.mode;
        for (int slot = 0; slot < kSlotCount; ++slot)
            EXPECT_EQ(m.SwitchesShown()[slot], slot < c.shownSwitches) << c.mode << slot;
        EXPECT_EQ(m.SwitchCaptions()[5], c.sixthCaption) << c.mode;
        // A switched-in slot shows its panel; a parked panel is never shown.
        ASSERT_EQ(m.Edit("Check1(0)"), "");
        EXPECT_TRUE(m.StagesShown()[0]);
        for (int p = 1; p < kStageCandidates; ++p)
            EXPECT_FALSE(m.StagesShown()[p]) << c.mode << p;
    }
}

// The Tab order follows the panels into their slots; parked panels come after the slots.
TEST(WindowModelTest, FocusOrderFollowsTheArrangement) {
    WindowModel m;
    ASSERT_EQ(m.Edit("cmbMode", "Homodyne"), "");
    const std::vector<std::string> order = m.FocusOrder();
    const std::vector<std::string> slots(order.begin() + 5, order.begin() + 26);
    const std::vector<std::string> expected = {
        "Check1(0)",         "FilterControl1(0)", "Check1(1)",        "AmplifierControl1(0)",
        "Check1(2)",         "MixerControl1(0)",  "Check1(3)",        "AmplifierControl1(1)",
        "Check1(4)",         "FilterControl1(1)", "Check1(5)",        "Check1(6)",
        "FilterControl1(2)", "FilterControl1(3)", "MixerControl1(1)", "MixerControl1(2)",
        "cmdGraph(1)",       "cmdGraph(2)",       "cmdGraph(3)",      "cmdGraph(4)",
        "cmdGraph(5)"};
    EXPECT_EQ(slots, expected);
    EXPECT_EQ(order.front(), "OscillatorControl1(0)");
    EXPECT_EQ(order[4], "cmbMode");
    EXPECT_EQ(order.back(), "hscCentre(1)");
    EXPECT_EQ(order.size(), 5u + 7u + 9u + 8u + 12u);
}

// A box keeps what it reads, as the setup writes it; the chain reads the box's own rule.
TEST(WindowModelTest, PanelEditsGoThroughTheBoxesRules) {
    WindowModel m;
    ASSERT_EQ(m.EditPanel("MixerControl1(0)", "cmbLOFreq", "9500"), "");
    ASSERT_EQ(m.EditPanel("FilterControl1(1)", "cmbRange", "250 kHz"), "");
    ASSERT_EQ(m.EditPanel("AmplifierControl1(0)", "cmbIP3", "Inf"), "");
    ASSERT_EQ(m.EditPanel("AmplifierControl1(0)", "cmbGain", "25.5dB"), "");
    ASSERT_EQ(m.Edit("Check1(2)", "1"), "");
    const ChainSnapshot chain = SnapshotOf(m.Settings());
    EXPECT_EQ(chain.chainSlots[2].stages[0].LO_Freq, 9.5);  // above 40: kHz
    EXPECT_EQ(chain.chainSlots[4].stages[0].Bandwidth, 0.25);
    EXPECT_EQ(chain.chainSlots[1].stages[0].IP3, 60.0);
    EXPECT_EQ(chain.chainSlots[1].stages[0].Gain, 25.5);
    // The box keeps its text as typed; the setup writes it clean.
    EXPECT_EQ(m.Settings().stages[7].gain, "25.5dB");
    EXPECT_EQ(Cleaned(m.Settings()).stages[7].gain, "25.5");
    EXPECT_NE(m.PanelToolTip("FilterControl1(1)", "cmbRange").find("250 kHz"), std::string::npos);
    // The text holds the setup; a fresh model pasted with it holds the same settings.
    WindowModel pasted;
    ASSERT_EQ(pasted.ApplySetupText(m.SetupAsText()), "");
    EXPECT_EQ(pasted.Settings(), Cleaned(m.Settings()));
    EXPECT_NE(pasted.ApplySetupText("Quorvane setup 1\nTone 9: on\n"), "");
    EXPECT_EQ(pasted.Settings(), Cleaned(m.Settings()));
}

// Each panel shows what its own rules make of the edits: units, the power read-out, the
// buttons' colours; the chain the tick reads from the panels is the one their texts read as,
// and a pasted setup brings every panel to the same show.
TEST(WindowModelTest, PanelsShowWhatTheirRulesMake) {
    WindowModel m;
    const std::array<std::array<const char*, 3>, 10> edits = {{
        {"MixerControl1(0)", "cmbLOFreq", "9500"},
        {"MixerControl1(0)", "chkSwitching", ""},
        {"FilterControl1(1)", "cmbRange", "300"},
        {"AmplifierControl1(1)", "cmbIP3", "Inf"},
        {"OscillatorControl1(0)", "cmdWorking", ""},
        {"OscillatorControl1(0)", "vscPower", "51"},
        {"OscillatorControl1(1)", "cmdWorking", ""},
        {"OscillatorControl1(1)", "cmdInvert", ""},
        {"OscillatorControl1(1)", "Text1", "7,5"},
        {"NoiseControl1", "cmdWorking", ""},
    }};
    for (const auto& [panel, box, value] : edits)
        ASSERT_EQ(m.EditPanel(panel, box, value), "") << panel << " " << box;
    EXPECT_EQ(m.Mixer(0).Unit(StageBox::LoFrequency), kKilohertz);
    EXPECT_TRUE(m.Mixer(0).SwitchingChecked());
    EXPECT_EQ(m.Stage(1).Unit(StageBox::Bandwidth), kKilohertz);
    EXPECT_EQ(m.Amplifier(1).IP3(), 60.0);
    EXPECT_EQ(m.Oscillator(0).PowerText(), "Off");
    EXPECT_EQ(m.Oscillator(1).PowerText(), "-30 dBnW");
    EXPECT_EQ(m.Oscillator(1).FrequencyText().text, "7,5");
    EXPECT_EQ(m.Oscillator(1).InvertColour(), OscillatorPanelState::kInvertColour);
    EXPECT_EQ(m.Oscillator(2).WorkingColour(), kButtonFace);
    EXPECT_EQ(m.Noise().WorkingColour(), NoisePanelState::kWorkingColour);
    for (const char* mode : {"Dual-Conversion Heterodyne", "Homodyne"}) {
        ASSERT_EQ(m.Edit("cmbMode", mode), "");
        EXPECT_EQ(m.Chain(), SnapshotOf(m.Settings())) << mode;
    }
    WindowModel pasted;
    ASSERT_EQ(pasted.ApplySetupText(m.SetupAsText()), "");
    EXPECT_EQ(pasted.Mixer(0).Unit(StageBox::LoFrequency), kKilohertz);
    EXPECT_EQ(pasted.Oscillator(0).PowerText(), "Off");
    EXPECT_EQ(pasted.Oscillator(1).InvertColour(), OscillatorPanelState::kInvertColour);
    EXPECT_EQ(pasted.Noise().WorkingColour(), NoisePanelState::kWorkingColour);
    EXPECT_EQ(pasted.Chain(), m.Chain());
}

// The Up and Down keys in a list step from the value the box shows, to the neighbour of the item
// it matches or to the nearest item beyond it (a text without a number reads as 0 there), and
// stop at the ends; the picked item goes to the box as typed text.
TEST(WindowModelTest, ListsStepFromTheShownValue) {
    struct Case {
        const char* panel;
        const char* box;
        const char* typed;  // nullptr: the start-up text
        int direction;
        const char* shown;
    };
    const std::array<Case, 8> cases = {{
        {"AmplifierControl1(0)", "cmbGain", nullptr, +1, "20"},
        {"AmplifierControl1(0)", "cmbGain", nullptr, -1, "6"},
        {"AmplifierControl1(0)", "cmbGain", "7 dB", +1, "10"},
        {"AmplifierControl1(0)", "cmbGain", "7 dB", -1, "6"},
        {"AmplifierControl1(0)", "cmbGain", "30", +1, "30"},
        {"FilterControl1(0)", "cmbGain", nullptr, +1, "-6"},
        {"MixerControl1(0)", "cmbLOFreq", nullptr, +1, "9"},
        {"MixerControl1(0)", "cmbNoise", "low", +1, "1"},
    }};
    for (const Case& c : cases) {
        WindowModel m;
        if (c.typed != nullptr) {
            ASSERT_EQ(m.EditPanel(c.panel, c.box, c.typed), "");
        }
        ASSERT_EQ(m.StepList(c.panel, c.box, c.direction), "") << c.panel << " " << c.box;
        const ChainPanelState& stage = c.panel[0] == 'F' ? m.Filter(0)
                                       : c.panel[0] == 'M'
                                           ? static_cast<const ChainPanelState&>(m.Mixer(0))
                                           : m.Amplifier(0);
        const StageBox box = *StageBoxNamed(c.box);
        EXPECT_EQ(stage.Shown(box).text, c.shown) << c.panel << " " << c.box << " " << c.direction;
        EXPECT_EQ(stage.Value(box), ReadBoxValue(box, c.shown)) << c.panel << " " << c.box;
    }
    WindowModel m;
    EXPECT_NE(m.StepList("FilterControl1(0)", "cmbIP3", 1), "");
    EXPECT_NE(m.StepList("NoiseControl1", "Text1", 1), "");
    EXPECT_NE(m.ClickBox("FilterControl1(0)", "cmbGain"), "");
    // A click in the noise box reads its text, and types nothing.
    ASSERT_EQ(m.EditPanel("NoiseControl1", "Text1", "300 K"), "");
    ASSERT_EQ(m.ClickBox("NoiseControl1", "Text1"), "");
    EXPECT_EQ(m.Noise().TemperatureText().text, "300 K");
    EXPECT_EQ(m.Noise().Temperature(), 300.0);
}

// A checked freeze box holds the time trace's full scale; taking the test point off clears the
// group's pictures and leaves its labels.
TEST(WindowModelTest, FreezeHoldsTheScaleAndDeselectingClears) {
    WindowModel m;
    ASSERT_EQ(m.EditPanel("OscillatorControl1(0)", "cmdWorking"), "");
    ASSERT_EQ(m.Edit("cmdGraph(1)"), "");
    ASSERT_EQ(m.Edit("cmdGraph(2)"), "");
    ASSERT_EQ(m.Edit("chkFreeze(0)", "1"), "");
    m.Tick();
    const std::string frozen = m.PlotGroup(0).lblSignalMax;
    const std::string free = m.PlotGroup(1).lblSignalMax;
    EXPECT_EQ(frozen, free);
    ASSERT_EQ(m.EditPanel("OscillatorControl1(0)", "vscPower", "0"), "");  // 30 dB stronger
    m.Tick();
    EXPECT_EQ(m.PlotGroup(0).lblSignalMax, frozen);
    EXPECT_NE(m.PlotGroup(1).lblSignalMax, free);
    EXPECT_FALSE(m.PlotGroup(1).time.lines.empty());
    EXPECT_EQ(m.PlotGroup(1).time.colour, kSecondSelectionColour);

    ASSERT_EQ(m.Edit("cmdGraph(2)"), "");
    EXPECT_TRUE(m.PlotGroup(1).time.lines.empty());
    EXPECT_TRUE(m.PlotGroup(1).spectrum.lines.empty());
    EXPECT_NE(m.PlotGroup(1).lblSignalMax, free);
    EXPECT_FALSE(m.Leader(1).visible);
    EXPECT_TRUE(m.Leader(0).visible);
}

// Every experiment ticks to a power caption, and its note stands in the output power's read-out
// until the setup is changed.
TEST(WindowModelTest, ExperimentNoteLastsWhileItsSetupStands) {
    for (int i = 0; i < static_cast<int>(Experiments().size()); ++i) {
        WindowModel m;
        m.RunExperiment(i);
        WindowModel::ResetRandom();
        m.Tick();
        EXPECT_EQ(m.PowerCaption().rfind("Pout = ", 0), 0u);
        const std::string title(Experiments()[static_cast<std::size_t>(i)].title);
        EXPECT_NE(m.PowerOutToolTip().find(title), std::string::npos) << title;
        ASSERT_EQ(m.Edit("hscSignal(0)", "3"), "");
        EXPECT_EQ(m.PowerOutToolTip().find(title), std::string::npos) << title;
    }
}

}  // namespace
}  // namespace quorvane
