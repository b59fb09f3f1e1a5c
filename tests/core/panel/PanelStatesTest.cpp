// The panels' rules as a student meets them, driven through the panel states alone, as any
// front end drives them: what a typed or picked text sets, what a property write shows and
// reads back, the power scale and the toggles.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "panel/ChainPanelStates.h"
#include "panel/PanelGeometry.h"
#include "panel/SourcePanelStates.h"
#include "setup/Setup.h"

namespace quorvane {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

enum class Kind { Amplifier, Mixer, Filter };

std::unique_ptr<ChainPanelState> Make(Kind kind) {
    switch (kind) {
        case Kind::Amplifier:
            return std::make_unique<AmplifierPanelState>();
        case Kind::Mixer:
            return std::make_unique<MixerPanelState>();
        case Kind::Filter:
            break;
    }
    return std::make_unique<FilterPanelState>();
}

// A text typed or picked into a box named by its design name. `value` is the field the box sets;
// an empty `unit` means the panel has no such box.
struct TypedCase {
    Kind kind;
    const char* box;
    const char* text;
    double value;
    const char* unit;
};

class TypedTextTest : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedTextTest, SetsTheFieldAndUnitAndKeepsTheText) {
    const TypedCase& c = GetParam();
    const std::unique_ptr<ChainPanelState> state = Make(c.kind);
    const std::optional<StageBox> box = StageBoxNamed(c.box);
    ASSERT_TRUE(box);
    if (std::string(c.unit).empty()) {
        EXPECT_FALSE(state->Type(c.box, c.text));
        EXPECT_FALSE(state->Write(*box, 1.0));
        return;
    }
    // Start from the other unit, so a kHz/MHz box has to change its label.
    ASSERT_TRUE(state->Type(c.box, std::string(c.unit) == "kHz" ? "5" : "500"));
    const unsigned writes = state->Shown(*box).writes;
    ASSERT_TRUE(state->Type(c.box, c.text));
    EXPECT_EQ(state->Value(*box), c.value);
    EXPECT_EQ(state->Unit(*box), c.unit);
    EXPECT_EQ(state->Shown(*box).text, c.text);
    EXPECT_EQ(state->Shown(*box).writes, writes) << "typing is no write by the panel";
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, TypedTextTest,
    ::testing::Values(
        // The LO's unit follows the typed number: above 40 is kHz, 40 itself MHz.
        TypedCase{Kind::Mixer, "cmbLOFreq", "40", 40.0, "MHz"},
        TypedCase{Kind::Mixer, "cmbLOFreq", "40.001", 40.001 / 1000.0, "kHz"},
        TypedCase{Kind::Mixer, "cmbLOFreq", "41", 0.041, "kHz"},
        TypedCase{Kind::Mixer, "cmbLOFreq", "0.5", 0.5, "MHz"},
        TypedCase{Kind::Mixer, "cmbLOFreq", "800", 0.8, "kHz"},
        TypedCase{Kind::Mixer, "cmbLOFreq", "", 0.0, "MHz"},
        // A pass-band box's unit follows the value in MHz: kHz below 1 MHz.
        TypedCase{Kind::Filter, "cmbFreq", "40", 40.0, "MHz"},
        TypedCase{Kind::Filter, "cmbFreq", "41", 0.041, "kHz"},
        TypedCase{Kind::Filter, "cmbFreq", "1", 1.0, "MHz"},
        TypedCase{Kind::Filter, "cmbFreq", "0.5", 0.5, "kHz"},
        TypedCase{Kind::Filter, "cmbFreq", "0", 0.0, "kHz"},
        TypedCase{Kind::Filter, "cmbRange", "1000", 1.0, "MHz"},
        TypedCase{Kind::Filter, "cmbRange", "999", 0.999, "kHz"},
        // Only the exact text "Inf" is 60 dBm.
        TypedCase{Kind::Amplifier, "cmbIP3", "Inf", 60.0, "dBm"},
        TypedCase{Kind::Mixer, "cmbIP3", "inf", 0.0, "dBm"},
        TypedCase{Kind::Amplifier, "cmbIP3", "Inf dBm", 0.0, "dBm"},
        TypedCase{Kind::Mixer, "cmbIP3", "-30", -30.0, "dBm"},
        TypedCase{Kind::Filter, "cmbGain", "-3dB", -3.0, "dB"},
        TypedCase{Kind::Amplifier, "cmbNoise", "4.5", 4.5, "dB"},
        // Boxes the panel lacks take nothing.
        TypedCase{Kind::Filter, "cmbIP3", "10", 0.0, ""},
        TypedCase{Kind::Amplifier, "cmbLOFreq", "10", 0.0, ""},
        TypedCase{Kind::Mixer, "cmbRange", "10", 0.0, ""}));

// A property written by the panel's API: the box shows it (kHz below 1 MHz) and the field is
// what that text reads back as, with the unit the box's rule gave it.
struct WrittenCase {
    Kind kind;
    StageBox box;
    double written;
    const char* shown;
    double readBack;
    const char* unit;
};

class WrittenPropertyTest : public ::testing::TestWithParam<WrittenCase> {};

TEST_P(WrittenPropertyTest, IsShownAndReadBack) {
    const WrittenCase& c = GetParam();
    const std::unique_ptr<ChainPanelState> state = Make(c.kind);
    // Twice: the second write leaves the text as it is, and is still a write that reads it back.
    for (int i = 0; i < 2; ++i) {
        const unsigned writes = state->Shown(c.box).writes;
        ASSERT_TRUE(state->Write(c.box, c.written));
        EXPECT_EQ(state->Shown(c.box).text, c.shown);
        EXPECT_EQ(state->Value(c.box), c.readBack);
        EXPECT_EQ(state->Unit(c.box), c.unit);
        EXPECT_GT(state->Shown(c.box).writes, writes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Properties, WrittenPropertyTest,
    ::testing::Values(WrittenCase{Kind::Mixer, StageBox::LoFrequency, 2.5, "2.5", 2.5, "MHz"},
                      WrittenCase{Kind::Mixer, StageBox::LoFrequency, 1.0, "1", 1.0, "MHz"},
                      WrittenCase{Kind::Mixer, StageBox::LoFrequency, 0.041, "41", 0.041, "kHz"},
                      // 0.03 MHz is shown as 30, which the box reads as 30 MHz.
                      WrittenCase{Kind::Mixer, StageBox::LoFrequency, 0.03, "30", 30.0, "MHz"},
                      WrittenCase{Kind::Mixer, StageBox::LoFrequency, 50.0, "50", 0.05, "kHz"},
                      WrittenCase{Kind::Mixer, StageBox::LoFrequency, 0.0005, "0.5", 0.5, "MHz"},
                      WrittenCase{Kind::Mixer, StageBox::LoFrequency, kNaN, "NaN", 0.0, "MHz"},
                      WrittenCase{Kind::Filter, StageBox::Centre, 0.2, "200", 0.2, "kHz"},
                      WrittenCase{Kind::Filter, StageBox::Centre, 0.03, "30", 30.0, "MHz"},
                      WrittenCase{Kind::Filter, StageBox::Bandwidth, 50.0, "50", 0.05, "kHz"},
                      WrittenCase{Kind::Filter, StageBox::Centre, kNaN, "NaN", 0.0, "kHz"},
                      WrittenCase{Kind::Amplifier, StageBox::Intercept, 60.0, "Inf", 60.0, "dBm"},
                      WrittenCase{Kind::Mixer, StageBox::Intercept, 60.00000000000001, "60", 60.0,
                                  "dBm"},
                      WrittenCase{Kind::Amplifier, StageBox::Gain, 1.0 / 3.0, "0.333333333333333",
                                  0.333333333333333, "dB"}));

TEST(ChainPanelStates, TypedSixtyShowsInfOnlyAfterTheNextWrite) {
    AmplifierPanelState amplifier;
    amplifier.Type(StageBox::Intercept, "60");
    EXPECT_EQ(amplifier.Shown(StageBox::Intercept).text, "60");
    amplifier.SetGain(20);
    EXPECT_EQ(amplifier.Shown(StageBox::Intercept).text, "Inf");
    EXPECT_EQ(amplifier.IP3(), 60.0);
}

TEST(ChainPanelStates, BandEdgesFollowCentreAndBandwidth) {
    FilterPanelState filter;
    filter.Type(StageBox::Centre, "0");
    filter.Type(StageBox::Bandwidth, "200");
    EXPECT_EQ(filter.MinFreq(), -0.1);
    EXPECT_EQ(filter.MaxFreq(), 0.1);
}

TEST(ChainPanelStates, SwitchingFollowsTheCheckBoxAndAWriteSetsIt) {
    MixerPanelState mixer;
    mixer.CheckSwitching(true);
    EXPECT_TRUE(mixer.Switching());
    mixer.Type(StageBox::LoFrequency, "2 MHz");
    mixer.SetSwitching(false);
    EXPECT_FALSE(mixer.SwitchingChecked());
    EXPECT_EQ(mixer.Shown(StageBox::LoFrequency).text, "2");  // the write showed every field
}

// Oscillator: with `presses` of cmdWorking and the scale moved to `position`.
struct ScaleCase {
    int presses;
    int position;
    int held;  // where the scale ends
    const char* shown;
    double power;
};

class OscillatorScaleTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(OscillatorScaleTest, ShowsThePowerOrOff) {
    const ScaleCase& c = GetParam();
    OscillatorPanelState tone;
    for (int i = 0; i < c.presses; ++i)
        tone.PressWorking();
    tone.MoveScale(c.position);
    EXPECT_EQ(tone.ScalePosition(), c.held);
    EXPECT_EQ(tone.PowerText(), c.shown);
    EXPECT_EQ(tone.Power(), c.power);
}

INSTANTIATE_TEST_SUITE_P(Positions, OscillatorScaleTest,
                         ::testing::Values(ScaleCase{1, 29, 29, "-29 dBnW", -29.0},
                                           ScaleCase{1, -10, -10, "10 dBnW", 10.0},
                                           ScaleCase{1, 50, 50, "-50 dBnW", -50.0},
                                           ScaleCase{1, 51, 51, "Off", kSourceOff},
                                           ScaleCase{0, 0, 0, "Off", kSourceOff},
                                           ScaleCase{2, 20, 20, "Off", kSourceOff},
                                           ScaleCase{3, 12, 12, "-12 dBnW", -12.0},
                                           // Held inside the scale, as a scroll bar holds it.
                                           ScaleCase{1, 99, 51, "Off", kSourceOff},
                                           ScaleCase{1, -99, -10, "10 dBnW", 10.0}));

// A written power moves the scale to its negation, rounded with halves to even; a power that
// rounds outside the scale is refused and changes nothing.
struct PowerCase {
    double dBnW;
    std::optional<int> position;
};

class OscillatorPowerTest : public ::testing::TestWithParam<PowerCase> {};

TEST_P(OscillatorPowerTest, MovesTheScaleOrIsRefused) {
    const PowerCase& c = GetParam();
    OscillatorPanelState tone;
    tone.SetWorking(1);
    tone.MoveScale(25);
    tone.TypeFrequency("3MHz");
    EXPECT_EQ(tone.SetPower(c.dBnW), c.position.has_value());
    if (!c.position) {
        EXPECT_EQ(tone.ScalePosition(), 25);
        EXPECT_EQ(tone.FrequencyText().text, "3MHz") << "a refused power shows nothing";
        return;
    }
    EXPECT_EQ(tone.ScalePosition(), *c.position);
    EXPECT_EQ(tone.PowerText(), OscillatorPanelState::ScaleReading(*c.position));
    EXPECT_EQ(tone.Power(), *c.position == 51 ? kSourceOff : -*c.position);
    EXPECT_EQ(tone.FrequencyText().text, "3") << "the write showed the frequency again";
}

INSTANTIATE_TEST_SUITE_P(
    Powers, OscillatorPowerTest,
    ::testing::Values(PowerCase{5.5, -6}, PowerCase{6.5, -6}, PowerCase{-0.5, 0},
                      PowerCase{-20.4, 20}, PowerCase{10.5, -10}, PowerCase{-50.5, 50},
                      PowerCase{-51.0, 51}, PowerCase{11.0, std::nullopt},
                      PowerCase{-51.5, std::nullopt}, PowerCase{kSourceOff, std::nullopt},
                      PowerCase{kInf, std::nullopt}, PowerCase{-kInf, std::nullopt},
                      PowerCase{kNaN, std::nullopt}));

// Toggles: 1 - value, held inside 16 bits; a button lights only for a flag of exactly 1.
struct ToggleCase {
    short written;
    short toggled;
    bool lit;  // the oscillator's buttons after the toggle
};

class ToggleTest : public ::testing::TestWithParam<ToggleCase> {};

TEST_P(ToggleTest, TogglesInsideSixteenBits) {
    const ToggleCase& c = GetParam();
    EXPECT_EQ(ToggledFlag(c.written), c.toggled);

    OscillatorPanelState tone;
    tone.SetWorking(c.written);
    tone.SetInvert(c.written);
    tone.PressWorking();
    tone.PressInvert();
    EXPECT_EQ(tone.Working(), c.toggled);
    EXPECT_EQ(tone.Invert(), c.toggled);
    EXPECT_EQ(tone.WorkingColour(), c.lit ? OscillatorPanelState::kWorkingColour : kButtonFace);
    EXPECT_EQ(tone.InvertColour(), c.lit ? OscillatorPanelState::kInvertColour : kButtonFace);
    EXPECT_EQ(tone.Power(), c.toggled == 0 ? kSourceOff : -30.0) << "any non-zero flag is on";

    NoisePanelState noise;
    noise.SetWorking(c.written);
    EXPECT_EQ(noise.WorkingColour(), kButtonFace) << "a written flag leaves the colour";
    noise.PressWorking();
    EXPECT_EQ(noise.Working(), c.toggled);
    EXPECT_EQ(noise.WorkingColour(), c.lit ? NoisePanelState::kWorkingColour : kButtonFace);
}

INSTANTIATE_TEST_SUITE_P(Flags, ToggleTest,
                         ::testing::Values(ToggleCase{0, 1, true}, ToggleCase{1, 0, false},
                                           ToggleCase{2, -1, false}, ToggleCase{-1, 2, false},
                                           ToggleCase{-32768, 32767, false},
                                           ToggleCase{32767, -32766, false}));

TEST(SourcePanelStates, StartOffWithTheirTexts) {
    const OscillatorPanelState tone;
    EXPECT_EQ(tone.FrequencyText().text, "0");
    EXPECT_EQ(tone.PowerText(), "Off");
    EXPECT_EQ(tone.Power(), kSourceOff);
    EXPECT_EQ(tone.ScalePosition(), 30);
    EXPECT_EQ(tone.WorkingColour(), kButtonFace);
    const NoisePanelState noise;
    EXPECT_EQ(noise.TemperatureText().text, "290");
    EXPECT_EQ(noise.Temperature(), 290.0);
    EXPECT_EQ(noise.Working(), 0);
}

// A new panel shows exactly what a lab setup's start-up state holds for it: the two must agree,
// or bringing back the start-up setup would change a new window.
TEST(PanelStates, StartAsTheStartUpSetupSays) {
    const quorvane::Setup start = StartupSetup();
    EXPECT_EQ(OscillatorPanelState().FrequencyText().text, start.tones[0].frequency);
    EXPECT_EQ(OscillatorPanelState::kScaleStart, start.tones[0].powerPosition);
    EXPECT_EQ(OscillatorPanelState::kScaleBottom, kPowerScaleBottom);
    EXPECT_EQ(OscillatorPanelState::kScaleTop, kPowerScaleTop);
    EXPECT_EQ(NoisePanelState().TemperatureText().text, start.noise.temperature);

    const auto expectStart = [](Kind kind, StageKind stageKind) {
        const StageSetup s = StartupStage(stageKind);
        const std::unique_ptr<ChainPanelState> state = Make(kind);
        EXPECT_EQ(state->Shown(StageBox::Noise).text, s.noiseFigure);
        EXPECT_EQ(state->Shown(StageBox::Gain).text, s.gain);
        if (state->Has(StageBox::Intercept)) {
            EXPECT_EQ(state->Shown(StageBox::Intercept).text, s.intercept);
        }
        if (state->Has(StageBox::LoFrequency)) {
            EXPECT_EQ(state->Shown(StageBox::LoFrequency).text, s.lo);
            EXPECT_EQ(state->Unit(StageBox::LoFrequency), "MHz");
        }
        if (state->Has(StageBox::Centre)) {
            EXPECT_EQ(state->Shown(StageBox::Centre).text, s.centre);
            EXPECT_EQ(state->Shown(StageBox::Bandwidth).text, s.bandwidth);
            EXPECT_EQ(state->Unit(StageBox::Centre), "MHz");
        }
    };
    expectStart(Kind::Amplifier, StageKind::Amplifier);
    expectStart(Kind::Mixer, StageKind::Mixer);
    expectStart(Kind::Filter, StageKind::Filter);
    EXPECT_FALSE(MixerPanelState().Switching());
}

// Every item a list offers reads, through its box's rule, as a value the box then shows with the
// unit the table's label starts with or switches to; and the lists are ordered by value, which
// is what stepping through them relies on.
TEST(PanelGeometry, ListItemsAreOrderedAndReadByTheirBox) {
    const auto check = [](const ParameterRowPlace& row) {
        SCOPED_TRACE(std::string(row.list.name));
        EXPECT_EQ(StageBoxName(row.box), row.list.name);
        ASSERT_GE(row.items.size(), 2u);
        const double first = ReadBoxValue(row.box, row.items[0]);
        const double second = ReadBoxValue(row.box, row.items[1]);
        for (std::size_t i = 1; i < row.items.size(); ++i) {
            const double before = ReadBoxValue(row.box, row.items[i - 1]);
            const double here = ReadBoxValue(row.box, row.items[i]);
            EXPECT_EQ(here > before, second > first) << row.items[i];
            EXPECT_NE(here, before) << row.items[i];
        }
    };
    for (const GainRowsPlaces* rows : {&AmplifierPanelGeometry().rows, &MixerPanelGeometry().rows,
                                       &FilterPanelGeometry().rows}) {
        check(rows->noise);
        check(rows->gain);
        if (rows->intercept) check(*rows->intercept);
    }
    check(MixerPanelGeometry().lo);
    check(FilterPanelGeometry().centre);
    check(FilterPanelGeometry().range);
}

}  // namespace
}  // namespace quorvane
