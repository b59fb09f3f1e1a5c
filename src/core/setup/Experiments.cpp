#include "setup/Experiments.h"

#include <array>

namespace quorvane {

namespace {

// The levels in the paragraphs are those the chain's model gives; a test holds each to them.
constexpr std::array<Experiment, 7> kExperiments = {{
    {"Image frequency and the image filter",
     "Quorvane setup 1\n"
     "Tone 1: 14 MHz, -20 dBnW, on\n"
     "Image Filter: Fc 10 MHz\n"
     "1st Mixer: in, LO 12 MHz\n"
     "Test points: 1, 4\n",
     "The receiver is tuned to 10 MHz: the 1st Mixer's LO at 12 MHz brings 10 MHz to the IF of "
     "2 MHz. The only tone is at 14 MHz, the image (LO + IF), yet test point 4 shows it at 2 MHz, "
     "where a station at 10 MHz would be. Next: switch in the Image Filter (10 MHz, 2 MHz wide) "
     "and the 2 MHz line is gone; then move Tone 1 to 10 MHz and it comes back."},
    {"Third-order intermodulation of two tones",
     "Quorvane setup 1\n"
     "Tone 1: 10 MHz, 10 dBnW, on\n"
     "Tone 2: 11 MHz, 10 dBnW, on\n"
     "LNA: in, G 20 dB, IP3 -30 dBm\n"
     "Test points: 1, 3\n",
     "Two tones of -50 dBm (10 dBnW) each drive an LNA with G 20 dB and IP3 -30 dBm. After it "
     "(test point 3) the tones stand near -30 dBm, and the third-order products at 9 and 12 MHz "
     "at IM3 = 3P - 2 IIP3 + G = 3(-50) - 2(-30) + 20 = -70 dBm. Next: lower both tones by "
     "1 dB and the products fall 3 dB; type IP3 -20 and they fall 20 dB."},
    {"Noise figure of a cascade: LNA first or mixer first",
     "Quorvane setup 1\n"
     "Tone 1: 10 MHz, on\n"
     "Noise: on\n"
     "LNA: in, NF 1 dB, G 20 dB\n"
     "1st Mixer: in, NF 10 dB, LO 12 MHz\n"
     "IF Amp: NF 1 dB, G 20 dB\n"
     "Test points: 1, 5\n",
     "A quiet LNA (NF 1 dB, G 20 dB) comes before a noisy mixer (NF 10 dB). Point at test point "
     "5: the noise figure there is about 4.6 dB. The LNA's gain hides most of the mixer's own "
     "noise, as Friis says, but the mixer also folds in the LNA's noise from its image band. "
     "Next: switch the LNA out and the IF Amp (the same amplifier) in, so the mixer comes first: "
     "the noise figure rises to about 15.8 dB and the tone sinks into the noise."},
    {"Homodyne: DC and twice the LO",
     "Quorvane setup 1\n"
     "Architecture: Homodyne\n"
     "Tone 1: 10 MHz, -20 dBnW, on\n"
     "1st Mixer: in, LO 10 MHz\n"
     "Test points: 1, 4\n",
     "The LO sits on the tone, so the 1st Mixer brings it straight to 0 Hz: test point 4 shows "
     "a DC level and a line at twice the LO, 20 MHz. Next: move Tone 1 to 10.1 MHz and the DC "
     "becomes a 100 kHz beat; switch in the Baseband Filter with Fc 0 and BW 1 MHz to keep only "
     "the baseband."},
    {"Dual conversion: first and second IF",
     "Quorvane setup 1\n"
     "Architecture: Dual-Conversion Heterodyne\n"
     "Tone 1: 20 MHz, -20 dBnW, on\n"
     "1st Mixer: in, LO 12 MHz\n"
     "1st IF Filter: in, Fc 8 MHz\n"
     "2nd Mixer: in\n"
     "2nd IF Filter: in, Fc 2 MHz, BW 1 MHz\n"
     "Test points: 4, 6\n",
     "The 20 MHz tone meets a 12 MHz LO: the first IF is 8 MHz, and the 1st IF Filter removes "
     "the sum at 32 MHz (test point 4). The 2nd Mixer's 6 MHz LO brings 8 MHz down to the second "
     "IF, 2 MHz, and the 2nd IF Filter removes 14 MHz (test point 6). Next: retune by moving only "
     "the 1st Mixer's LO, and watch which tone frequency now reaches 2 MHz."},
    {"A switching mixer's odd harmonics",
     "Quorvane setup 1\n"
     "Tone 1: 1 MHz, -20 dBnW, on\n"
     "1st Mixer: in, switching\n"
     "Test points: 1, 4\n",
     "A switching mixer multiplies by the sign of its 6 MHz LO, a square wave with odd "
     "harmonics only. Beside 5 and 7 MHz, test point 4 shows 17 and 19 MHz (3 x LO), about "
     "9.5 dB lower: a square wave's third harmonic is a third of its fundamental. Next: untick "
     "switching and only 5 and 7 MHz "
     "remain."},
    {"A tone above 40 MHz folds back",
     "Quorvane setup 1\n"
     "Tone 1: 70 MHz, -20 dBnW, on\n"
     "Test points: 1\n",
     "The simulation samples at 80 MHz, so it can only show 0 to 40 MHz. A tone at 70 MHz "
     "appears at 80 - 70 = 10 MHz at the antenna (test point 1). Next: type higher frequencies "
     "for Tone 1 and watch its line move down."},
}};

}  // namespace

std::span<const Experiment> Experiments() {
    return kExperiments;
}

}  // namespace quorvane
