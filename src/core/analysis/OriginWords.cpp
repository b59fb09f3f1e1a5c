#include "analysis/OriginWords.h"

#include <cstdlib>
#include <numeric>

namespace quorvane::analysis {

namespace {

constexpr const char* kMinus = " \u2212 ";
constexpr const char* kTimes = " \u00d7 ";

double Value(const Recipe& recipe, const Naming& naming) {
    double value = 0;
    for (int b = 0; b < kBases; ++b)
        value += recipe.counts[static_cast<std::size_t>(b)] *
                 naming.baseMHz[static_cast<std::size_t>(b)];
    return value;
}

// Turns the combination so that its value is positive (or, at zero, its first term).
Recipe Upright(const Recipe& recipe, const Naming& naming) {
    const double value = Value(recipe, naming);
    if (value < 0) return -recipe;
    if (value > 0) return recipe;
    for (const std::int16_t c : recipe.counts) {
        if (c != 0) return c < 0 ? -recipe : recipe;
    }
    return recipe;
}

std::string Term(int count, const std::string& name) {
    const int n = std::abs(count);
    return n == 1 ? name : std::to_string(n) + kTimes + name;
}

bool NeedsBrackets(const Recipe& recipe) {
    int terms = 0;
    for (const std::int16_t c : recipe.counts)
        terms += c != 0;
    return terms > 1;
}

// A recipe that is a whole multiple n >= 2 of a smaller one: returns n and the smaller one.
int CommonMultiple(const Recipe& recipe, Recipe& unit) {
    int divisor = 0;
    for (const std::int16_t c : recipe.counts)
        divisor = std::gcd(divisor, std::abs(static_cast<int>(c)));
    if (divisor < 2) return 1;
    for (int b = 0; b < kBases; ++b)
        unit.counts[static_cast<std::size_t>(b)] =
            static_cast<std::int16_t>(recipe.counts[static_cast<std::size_t>(b)] / divisor);
    return divisor;
}

std::string StageName(int stage, const Naming& naming) {
    if (stage >= 0 && stage < static_cast<int>(naming.stageNames.size()))
        return naming.stageNames[static_cast<std::size_t>(stage)];
    return "a stage";
}

std::string ProductWords(const Origin& o, const Naming& naming) {
    const std::string stage = StageName(o.stage, naming);
    Recipe unit;
    const int multiple = CommonMultiple(o.recipe, unit);
    if (multiple >= 2 && multiple == o.order) {
        const std::string what = RecipeWords(unit, naming);
        return Ordinal(multiple) + " harmonic of " +
               (NeedsBrackets(unit) ? "(" + what + ")" : what) + " (" + stage + ")";
    }
    return RecipeWords(o.recipe, naming) + " (" + Ordinal(o.order) + " order, " + stage + ")";
}

}  // namespace

std::string Ordinal(int n) {
    const int lastTwo = std::abs(n) % 100;
    const int last = std::abs(n) % 10;
    const char* suffix = "th";
    if (lastTwo < 11 || lastTwo > 13) {
        if (last == 1) suffix = "st";
        if (last == 2) suffix = "nd";
        if (last == 3) suffix = "rd";
    }
    return std::to_string(n) + suffix;
}

std::string RecipeWords(const Recipe& recipe, const Naming& naming) {
    const Recipe upright = Upright(recipe, naming);
    std::string words;
    for (const int sign : {1, -1}) {
        for (int b = 0; b < kBases; ++b) {
            const int c = upright.counts[static_cast<std::size_t>(b)];
            if (c * sign <= 0) continue;
            const std::string term = Term(c, naming.baseNames[static_cast<std::size_t>(b)]);
            if (words.empty())
                words = (sign < 0 ? "\u2212" : "") + term;
            else
                words += (sign > 0 ? " + " : kMinus) + term;
        }
    }
    return words.empty() ? "DC" : words;
}

std::string OriginWords(const Origin& o, const Naming& naming) {
    switch (o.kind) {
        case OriginKind::Linear:
            return RecipeWords(o.recipe, naming);
        case OriginKind::Product:
            return ProductWords(o, naming);
        case OriginKind::DcMix:
            return "DC" + std::string(kTimes) +
                   Term(o.harmonic, naming.baseNames[static_cast<std::size_t>(LoBase(o.mixer))]);
        case OriginKind::Image: {
            Recipe parent = o.recipe;
            parent.counts[static_cast<std::size_t>(LoBase(o.mixer))] = 0;
            return "image of " + RecipeWords(parent, naming) + (o.above ? " (above " : " (below ") +
                   naming.baseNames[static_cast<std::size_t>(LoBase(o.mixer))] + ")";
        }
    }
    return {};
}

}  // namespace quorvane::analysis
