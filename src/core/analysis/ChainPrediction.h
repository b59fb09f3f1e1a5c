#pragma once

#include <array>
#include <string>
#include <vector>

#include "chain/Architecture.h"
#include "engine/ChainSnapshot.h"

namespace quorvane {

// What the chain's own model says each test point will show, worked out from the settings
// alone: the spectral lines with their origins, the noise, and the budget. It follows the
// stage model effect by effect (the polynomial of every stage with an intercept point, the
// mixers' LOs with the signal leaking into them, the filters' bins, the noise added before each
// gain), so where it and the simulation differ, the difference is the noise of one refresh or
// one of the limits named below.

inline constexpr int kPredictedTestPoints = 8;
inline constexpr int kNoiseBins = 4097;  // one-sided: 0 .. 40 MHz

struct PredictedLine {
    double frequencyMHz = 0;  // as the 80 MHz sampling folds it: 0 .. 40
    double watts = 0;         // into 50 ohms
    double phase = 0;         // radians at the buffer's first sample, of its strongest part
    std::vector<std::string> origins;  // in words, the strongest first
    // Within 10 bins of a filter's band edge (the edge cuts off part of its spread over the
    // bins), within 5 bins of 0 or 40 MHz, or through a switching mixer whose LO could not be
    // resolved exactly: the level is a guide only.
    bool approximate = false;
};

struct TestPointPrediction {
    // Strongest first, down to 70 dB below the strongest. Lines of one frequency are added as
    // phasors; lines in the same bin at different frequencies are listed as one, their powers
    // added.
    std::vector<PredictedLine> lines;
    std::vector<double> noiseBins;  // expected noise watts in each bin 0 .. 4096
    double noiseWatts = 0;
    // What filters leave of lines that lie between bins, beyond the bins near each line: a
    // line's transform reaches every bin, and a filter keeps what falls in its pass band.
    std::vector<double> spreadBins;  // watts in each bin 0 .. 4096
    double spreadWatts = 0;
    double lineWatts = 0;   // every line, however weak
    double totalWatts = 0;  // lines, spread and noise: at test point 8, the predicted Pout
    // The prediction is only a guide here: a stage up to here makes a 3rd-order product within
    // 20 dB of the line it comes from; of too many lines, one left out comes within 40 dB of the
    // strongest kept where the next filter passes; watts the prediction can only estimate (the
    // leaks of lines known only roughly, the noise's own products in a polynomial) hold more than
    // 5 % of the total; or the signs of a switching LO that the signal's leak may move could
    // change the total by 5 %, a listed line by 0.5 dB, or make a peak within 30 dB of the
    // strongest line.
    bool nonlinear = false;
};

struct ChainPrediction {
    std::array<TestPointPrediction, kPredictedTestPoints> points;

    // testPoint 1 .. 8.
    const TestPointPrediction& At(int testPoint) const;
    double PoutWatts() const { return points.back().totalWatts; }
};

// The prediction for every test point. The architecture names the stages and mixers' LOs by
// their slots' captions.
ChainPrediction PredictChain(const ChainSnapshot& snapshot, Architecture architecture);

}  // namespace quorvane
