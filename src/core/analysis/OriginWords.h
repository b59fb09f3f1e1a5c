#pragma once

#include <array>
#include <string>
#include <vector>

#include "analysis/Lines.h"

namespace quorvane::analysis {

// What the words for a line's origin need: the names and the set frequencies of the bases, and
// the captions of the chain's stages.
struct Naming {
    std::array<std::string, kBases> baseNames;  // "tone 1" .. "tone 3", "1st Mixer LO" ..
    std::array<double, kBases> baseMHz{};       // as set, to write a difference the right way round
    std::vector<std::string> stageNames;        // by stage index along the chain
};

// "1st", "2nd", "3rd", "4th", "11th", "21st" ...
std::string Ordinal(int n);

// A combination as a student writes it: positive terms first, a multiple as "3 × name", and the
// whole turned so that its value is positive: "1st Mixer LO − tone 2", "3 × 1st Mixer LO −
// tone 1"; "DC" when nothing is left.
std::string RecipeWords(const Recipe& recipe, const Naming& naming);

// The words for one origin: "tone 1 + 1st Mixer LO", "2 × tone 1 − tone 2 (3rd order, LNA)",
// "2nd harmonic of tone 1 (IF Amp)", "DC × 1st Mixer LO", "image of tone 2 (above 1st Mixer
// LO)".
std::string OriginWords(const Origin& origin, const Naming& naming);

}  // namespace quorvane::analysis
