#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ChainTestSupport.h"
#include "analysis/ChainPrediction.h"
#include "analysis/NoiseFigure.h"
#include "setup/Experiments.h"
#include "setup/SetupText.h"

// GCC 12 warns, wrongly, of overlapping copies when short strings are assigned in a loop.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif

namespace quorvane {
namespace {

// gtest's Test has a member named Setup.
using LabSetup = quorvane::Setup;

Setup Varied(int which) {
    LabSetup s = StartupSetup();
    switch (which) {
        case 0:
            break;
        case 1:  // the three-line setup a teacher writes
            s.architecture = Architecture::Homodyne;
            s.switchedIn[1] = true;
            s.stages[CandidatePosition({StageKind::Amplifier, 0})].gain = "20";
            s.firstTestPoint = 1;
            s.secondTestPoint = 8;
            break;
        case 2:  // every kind of value away from its start-up text
            s.architecture = Architecture::DualConversion;
            s.tones[0] = {"12.5", -10, true, true};
            s.tones[1] = {"1e3", kPowerScaleBottom, true, false};
            s.tones[2] = {"-3", 50, false, true};
            s.noise = {"77", true};
            s.switchedIn = {true, false, true, true, false, true, true};
            // NF 0, G -0.5, IP3 -10, LO 100 kHz, switching, Fc 500 kHz, BW 0.03 MHz, where
            // the panel has them.
            for (int position = 0; position < kStageCandidates; ++position) {
                const StageKind kind = kCandidateOrder[position].kind;
                StageSetup& stage = s.stages[position];
                stage.noiseFigure = "0";
                stage.gain = "-0.5";
                if (kind != StageKind::Filter) stage.intercept = "-10";
                if (kind == StageKind::Mixer) stage = {"0", "-0.5", "-10", "100", true, "5", "2"};
                if (kind == StageKind::Filter)
                    stage = {"0", "-0.5", "Inf", "6", false, "500", "0.03"};
            }
            s.firstTestPoint = 2;
            s.secondTestPoint = 7;
            s.plots[0] = {6, 0, 1, true};
            s.plots[1] = {3, 2, 200, false};
            break;
        case 3:  // homodyne with its hidden switches ticked and panels parked
            s.architecture = Architecture::Homodyne;
            s.switchedIn[5] = true;
            s.switchedIn[6] = true;
            s.stages[CandidatePosition({StageKind::Mixer, 1})].lo = "41";
            s.stages[CandidatePosition({StageKind::Filter, 3})].bandwidth = "20";
            s.firstTestPoint = 6;
            s.plots[1].frozen = true;
            break;
        default:
            break;
    }
    return s;
}

// Any setup writes to a text that reads back as the same setup; the start-up state writes the
// shortest text, the header alone.
TEST(SetupText, RoundTripsAndStartUpIsShortest) {
    const std::string startup = SetupText(StartupSetup());
    EXPECT_EQ(startup, std::string(kSetupHeader) + "\n");
    for (int which = 0; which < 4; ++which) {
        SCOPED_TRACE(which);
        const LabSetup setup = Varied(which);
        const std::string text = SetupText(setup);
        const SetupParse parse = ParseSetup(text);
        ASSERT_TRUE(parse.ok) << text << SetupErrorMessage(parse.error);
        EXPECT_EQ(parse.setup, setup) << text;
        if (which > 0) {
            EXPECT_GT(text.size(), startup.size());
        }
    }
    const SetupParse three =
        ParseSetup("Architecture: Homodyne\nLNA: in, G 20 dB\nTest points: 1, 8");
    ASSERT_TRUE(three.ok);
    EXPECT_EQ(three.setup, Varied(1));
}

// Units follow the boxes' rules: a typed 500 in a band box is kHz, in the LO box above 40 too.
TEST(SetupText, AppliesTheBoxRules) {
    const SetupParse parse =
        ParseSetup("IF Filter: in, Fc 500 kHz, BW 20 MHz\n1st Mixer: in, LO 41 kHz, IP3 Inf\n");
    ASSERT_TRUE(parse.ok) << SetupErrorMessage(parse.error);
    const ChainSnapshot chain = SnapshotOf(parse.setup);
    EXPECT_EQ(chain.chainSlots[4].stages[0].CentreFreq, 0.5);
    EXPECT_EQ(chain.chainSlots[4].stages[0].Bandwidth, 20.0);
    EXPECT_EQ(chain.chainSlots[2].stages[0].LO_Freq, 0.041);
    EXPECT_EQ(chain.chainSlots[2].stages[0].IP3, 60.0);
}

TEST(SetupText, RefusesWhatItCannotRead) {
    const struct {
        std::string text;
        int line;
        const char* expected;  // part of the message
    } cases[] = {
        {"LNA: in, G 1 2 dB", 1, "followed by dB"},
        {"LNA: G 7,5", 1, "LNA"},  // "5" is no value of an amplifier
        {"LNA: G 20 dB,", 1, "empty"},
        {"LNA: G", 1, "a number"},
        {"LNA: G 20dB", 1, "plain number"},
        {"Tone 1: 1e999 MHz", 1, "double range"},
        {"Tone 1: NaN MHz", 1, "plain number"},
        {"Tone 1: 5 MHz trailing", 1, "tone's values"},
        {"Tone 1: -30.5 dBnW", 1, "whole number"},
        {"Tone 1: 20 dBnW", 1, "from -50 to 10"},
        {"IF Filter: Fc 500 MHz", 1, "followed by kHz"},
        {"1st Mixer: LO 6 kHz", 1, "followed by MHz"},
        {"Architecture: homodyne", 1, "list's names"},
        {"Architecture: Homodyne\n2nd Mixer: in", 2, "Homodyne"},  // parked there: no switch
        {"Architecture: Homodyne\nMixer 2: in", 2, "mixer's values: NF"},
        {"LNA: in\n\nLNA: out", 3, "line 1 names it already"},
        {"Tone 2: on\nTone 2: on", 2, "names it already"},
        {"Tone 2: on, on", 1, "twice"},
        {"Test points: 3, 3", 1, "different"},
        {"Test points: 9", 1, "1 to 8"},
        {"Left plot: span 3 MHz", 1, "span"},
        {"Quorvane setup 2", 1, "version 1"},
        {"Noise: on\nTone 3: 5 MHz\x01", 2, "control character"},
        {"LNA in", 1, "colon"},
        {std::string(kMostSetupCharacters + 1, '#'), 1, "at most 16384 characters"},
        {std::string(kMostSetupLines + 5, '\n'), kMostSetupLines + 1, "at most 200 lines"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 60));
        const SetupParse parse = ParseSetup(c.text);
        ASSERT_FALSE(parse.ok);
        EXPECT_EQ(parse.error.line, c.line);
        const std::string message = SetupErrorMessage(parse.error);
        EXPECT_NE(message.find(c.expected), std::string::npos) << message;
        EXPECT_NE(message.find("Line " + std::to_string(c.line) + ": "), std::string::npos);
        EXPECT_LT(message.size(), 1000u);
    }
}

// ---- Experiments: each parses, and shows what its paragraph promises -----------------------

double Dbm(double watts) {
    return 10 * std::log10(watts * 1000);
}

// The predicted level of the line at this frequency, or NaN when there is none. The tones'
// shortened circle constant moves a line a few hertz from its nominal frequency.
double LineDbm(const TestPointPrediction& point, double mhz) {
    for (const PredictedLine& line : point.lines)
        if (std::abs(line.frequencyMHz - mhz) < 1e-4) return Dbm(line.watts);
    return std::nan("");
}

ChainPrediction Predict(const LabSetup& setup) {
    return PredictChain(SnapshotOf(setup), setup.architecture);
}

Setup ExperimentSetup(std::string_view title) {
    for (const Experiment& e : Experiments()) {
        if (e.title != title) continue;
        const SetupParse parse = ParseSetup(e.setup);
        EXPECT_TRUE(parse.ok) << SetupErrorMessage(parse.error);
        // What the menu applies writes back to the same text.
        EXPECT_EQ(SetupText(parse.setup), e.setup);
        return parse.setup;
    }
    ADD_FAILURE() << "no experiment " << title;
    return StartupSetup();
}

TEST(Experiments, ShowTheLinesTheirParagraphsPromise) {
    EXPECT_GE(Experiments().size(), 6u);
    for (const Experiment& e : Experiments())
        ExperimentSetup(e.title);

    // The image lands at the IF, and the image filter removes it.
    LabSetup image = ExperimentSetup("Image frequency and the image filter");
    EXPECT_GT(LineDbm(Predict(image).At(4), 2.0), -80.0);
    image.switchedIn[0] = true;
    EXPECT_TRUE(std::isnan(LineDbm(Predict(image).At(4), 2.0)));

    // IM3 = 3P - 2 IIP3 + G = -70 dBm; the tones near -30 dBm.
    const LabSetup twoTones = ExperimentSetup("Third-order intermodulation of two tones");
    const ChainPrediction twoTonesChain = Predict(twoTones);
    const TestPointPrediction& lna = twoTonesChain.At(3);
    EXPECT_NEAR(LineDbm(lna, 9.0), 3 * -50.0 - 2 * -30.0 + 20.0, 0.01);
    EXPECT_NEAR(LineDbm(lna, 12.0), -70.0, 0.01);
    EXPECT_NEAR(LineDbm(lna, 10.0), -30.0, 0.5);
    // ... and the simulation agrees: the 9 MHz product 40 dB below the 10 MHz tone.
    {
        ReceiverEngine engine;
        const std::vector<SignalBuffer> points = test::RunOnce(engine, SnapshotOf(twoTones));
        const std::vector<double> watts = test::WindowedWatts(points[2]);
        const auto around = [&](double mhz) {
            return test::WattsInBins(watts, test::BinOf(mhz) - 3, test::BinOf(mhz) + 3);
        };
        EXPECT_NEAR(Dbm(around(9.0)), -70.0, 0.2);
        EXPECT_NEAR(Dbm(around(10.0)), LineDbm(lna, 10.0), 0.2);
    }

    // The cascade's noise figure at test point 5: LNA first, then mixer first.
    LabSetup cascade = ExperimentSetup("Noise figure of a cascade: LNA first or mixer first");
    // LNA first (F 1.259, G 100): the mixer's own noise 4 (F - 1) = 36 comes in divided by the
    // LNA's gain, but its image band folds in the LNA's noise once more: 1.259 + 1.259 + 0.36.
    const auto spotFigureDb = [](const LabSetup& setup) {
        return 10.0 *
               std::log10(AnalyseNoiseCascade(SnapshotOf(setup), setup.architecture).At(5).figure);
    };
    const double lnaFigure = std::pow(10.0, 0.1);
    EXPECT_NEAR(spotFigureDb(cascade), 10.0 * std::log10(lnaFigure + lnaFigure + 0.36), 0.05);
    // Mixer first: 1 + 1 (its image band) + 36, then the IF Amp's 0.259 over the mixer's
    // conversion (1/4) and gain (10).
    cascade.switchedIn[1] = false;
    cascade.switchedIn[3] = true;
    const double mixerGain = 10.0 / 4.0;
    EXPECT_NEAR(spotFigureDb(cascade), 10.0 * std::log10(38.0 + (lnaFigure - 1.0) / mixerGain),
                0.05);

    // Homodyne: DC and twice the LO.
    const TestPointPrediction homodyne =
        Predict(ExperimentSetup("Homodyne: DC and twice the LO")).At(4);
    EXPECT_FALSE(std::isnan(LineDbm(homodyne, 0.0)));
    EXPECT_FALSE(std::isnan(LineDbm(homodyne, 20.0)));

    // Dual conversion: 8 MHz without 32 MHz, then 2 MHz without 14 MHz.
    const ChainPrediction dual = Predict(ExperimentSetup("Dual conversion: first and second IF"));
    EXPECT_FALSE(std::isnan(LineDbm(dual.At(4), 8.0)));
    EXPECT_TRUE(std::isnan(LineDbm(dual.At(4), 32.0)));
    EXPECT_FALSE(std::isnan(LineDbm(dual.At(6), 2.0)));
    EXPECT_TRUE(std::isnan(LineDbm(dual.At(6), 14.0)));

    // Switching mixer: 3 x LO about 9.5 dB below the LO's own lines (5 x LO about 14 dB); none
    // of them once the mixer multiplies.
    LabSetup switching = ExperimentSetup("A switching mixer's odd harmonics");
    const TestPointPrediction square = Predict(switching).At(4);
    const double first = LineDbm(square, 7.0);
    EXPECT_NEAR(first - LineDbm(square, 17.0), 9.5, 0.25);
    EXPECT_NEAR(first - LineDbm(square, 19.0), 9.5, 0.25);
    EXPECT_NEAR(first - LineDbm(square, 29.0), 14.0, 0.4);
    switching.stages[CandidatePosition({StageKind::Mixer, 0})].switching = false;
    EXPECT_TRUE(std::isnan(LineDbm(Predict(switching).At(4), 17.0)));

    // 70 MHz shows at 10 MHz.
    const TestPointPrediction folded =
        Predict(ExperimentSetup("A tone above 40 MHz folds back")).At(1);
    EXPECT_NEAR(LineDbm(folded, 10.0), -80.0, 0.01);
}

}  // namespace
}  // namespace quorvane
