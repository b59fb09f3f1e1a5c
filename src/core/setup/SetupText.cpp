#include "setup/SetupText.h"

#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "panel/StageTexts.h"
#include "plot/SpectrumPlot.h"
#include "plot/TimePlot.h"
#include "texts/ControlNames.h"

namespace quorvane {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// Splits at every occurrence of one separator; empty pieces are kept.
std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

// The words of a value, split at runs of blanks.
std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = text.find_first_not_of(kBlanks, at);
        if (start == std::string_view::npos) break;
        std::size_t end = text.find_first_of(kBlanks, start);
        if (end == std::string_view::npos) end = text.size();
        words.push_back(text.substr(start, end - start));
        at = end;
    }
    return words;
}

std::string Join(const std::vector<std::string_view>& words, std::size_t from) {
    std::string joined;
    for (std::size_t i = from; i < words.size(); ++i) {
        if (i > from) joined += ' ';
        joined += words[i];
    }
    return joined;
}

std::string_view KindWord(StageKind kind) {
    switch (kind) {
        case StageKind::Filter:
            return "filter";
        case StageKind::Mixer:
            return "mixer";
        case StageKind::Amplifier:
            break;
    }
    return "amplifier";
}

std::string_view PlotName(int group) {
    return group == 0 ? "Left plot" : "Right plot";
}

std::string EmptySlotName(int slot) {
    return "Empty slot " + std::to_string(slot + 1);
}

std::string PowerText(int position) {
    return PowerScaleText(position, kPowerScaleBottom);
}

std::string_view BandUnit(std::string_view text) {
    return ReadBandFrequency(text).kiloHertz ? "kHz" : "MHz";
}

std::string_view LoUnit(std::string_view text) {
    return ReadLoFrequency(text).kiloHertz ? "kHz" : "MHz";
}

// ---- Writing ---------------------------------------------------------------------------------

class LineWriter {
  public:
    void Add(std::string_view value) {
        if (!values_.empty()) values_ += ", ";
        values_ += value;
    }
    void Add(std::string_view symbol, std::string_view value, std::string_view unit) {
        std::string field =
            symbol.empty() ? std::string(value) : std::string(symbol) + " " + std::string(value);
        if (!unit.empty()) field += " " + std::string(unit);
        Add(field);
    }
    void Flush(std::string& text, std::string_view name) {
        if (!values_.empty()) text += std::string(name) + ": " + values_ + "\n";
        values_.clear();
    }

  private:
    std::string values_;
};

void WriteStage(LineWriter& line, StageKind kind, const StageSetup& s) {
    const StageSetup start = StartupStage(kind);
    if (s.noiseFigure != start.noiseFigure) line.Add("NF", s.noiseFigure, "dB");
    if (s.gain != start.gain) line.Add("G", s.gain, "dB");
    if (kind != StageKind::Filter && s.intercept != start.intercept)
        line.Add("IP3", s.intercept, s.intercept == "Inf" ? "" : "dBm");
    if (kind == StageKind::Mixer) {
        if (s.lo != start.lo) line.Add("LO", s.lo, LoUnit(s.lo));
        if (s.switching) line.Add("switching");
    }
    if (kind == StageKind::Filter) {
        if (s.centre != start.centre) line.Add("Fc", s.centre, BandUnit(s.centre));
        if (s.bandwidth != start.bandwidth) line.Add("BW", s.bandwidth, BandUnit(s.bandwidth));
    }
}

// ---- Reading ---------------------------------------------------------------------------------

// The things a line can name, each once.
enum class Thing { Architecture, Tone, Noise, Stage, EmptySlot, TestPoints, Plot };

struct Named {
    Thing thing = Thing::Architecture;
    int index = 0;  // tone, candidate position, slot or plot group
};

struct Refusal {
    std::string expected;
};

using Result = std::optional<Refusal>;

Result Expect(std::string expected) {
    return Refusal{std::move(expected)};
}

// Fields of one line, each allowed once.
class FieldSeen {
  public:
    bool Twice(std::string_view field) {
        for (std::string_view seen : seen_)
            if (seen == field) return true;
        seen_.push_back(field);
        return false;
    }

  private:
    std::vector<std::string_view> seen_;
};

Result Once(FieldSeen& seen, std::string_view field) {
    if (seen.Twice(field))
        return Expect("each value once in a line; " + std::string(field) + " is given twice");
    return std::nullopt;
}

// "12.5" or "12.5 MHz": a clean number with an optional unit that must be the box's own.
Result NumberWithUnit(const std::vector<std::string_view>& words, std::size_t at,
                      std::string_view what, std::string_view unit, bool unitRequired,
                      std::string& value) {
    if (words.size() <= at) return Expect(std::string(what) + ": a number");
    const std::string_view number = words[at];
    if (number.size() > kMostNumberCharacters)
        return Expect(std::string(what) + ": a number of at most " +
                      std::to_string(kMostNumberCharacters) + " characters");
    if (!CleanNumber(number))
        return Expect(std::string(what) +
                      ": a plain number such as 12.5 or -3 (no blanks, no comma, within the double "
                      "range), not \"" +
                      std::string(number) + "\"");
    const bool hasUnit = words.size() > at + 1;
    if (words.size() > at + 2 || (hasUnit && words[at + 1] != unit))
        return Expect(std::string(what) + ": the number followed by " + std::string(unit) +
                      " and nothing else");
    if (unitRequired && !hasUnit)
        return Expect(std::string(what) + ": the number followed by " + std::string(unit));
    value = std::string(number);
    return std::nullopt;
}

Result ReadArchitecture(std::string_view values, Setup& setup) {
    for (std::size_t item = 0; item < kArchitectureItems.size(); ++item) {
        if (values == kArchitectureItems[item]) {
            setup.architecture = static_cast<Architecture>(item);
            return std::nullopt;
        }
    }
    return Expect(
        "one of the list's names: \"Homodyne\", \"Single-Conversion Heterodyne\" or "
        "\"Dual-Conversion Heterodyne\"");
}

Result ReadTone(const std::vector<std::string_view>& fields, ToneSetup& tone) {
    FieldSeen seen;
    for (std::string_view field : fields) {
        const std::vector<std::string_view> words = Words(field);
        const std::string_view last = words.back();
        Result refused;
        if (field == "on") {
            refused = Once(seen, "on");
            tone.on = true;
        } else if (field == "inverted") {
            refused = Once(seen, "inverted");
            tone.inverted = true;
        } else if (field == "Off") {
            refused = Once(seen, "the power");
            tone.powerPosition = kPowerScaleBottom;
        } else if (last == "dBnW") {
            refused = Once(seen, "the power");
            std::string number;
            if (!refused) refused = NumberWithUnit(words, 0, "the power", "dBnW", true, number);
            if (!refused) {
                const double dBnW = *CleanNumber(number);
                if (dBnW != std::floor(dBnW) || -dBnW < kPowerScaleTop ||
                    -dBnW >= kPowerScaleBottom)
                    refused = Expect("the power: a whole number of dBnW from -50 to 10, or Off");
                else
                    tone.powerPosition = static_cast<int>(-dBnW);
            }
        } else if (last == "MHz") {
            refused = Once(seen, "the frequency");
            if (!refused)
                refused = NumberWithUnit(words, 0, "the frequency", "MHz", true, tone.frequency);
        } else {
            refused =
                Expect("a tone's values: a frequency in MHz, a power in dBnW or Off, on, inverted");
        }
        if (refused) return refused;
    }
    return std::nullopt;
}

Result ReadNoise(const std::vector<std::string_view>& fields, NoiseSetup& noise) {
    FieldSeen seen;
    for (std::string_view field : fields) {
        Result refused;
        if (field == "on") {
            refused = Once(seen, "on");
            noise.on = true;
        } else if (Words(field).back() == "K") {
            refused = Once(seen, "the temperature");
            if (!refused)
                refused = NumberWithUnit(Words(field), 0, "the temperature", "K", true,
                                         noise.temperature);
        } else {
            refused = Expect("the noise source's values: a temperature in K, on");
        }
        if (refused) return refused;
    }
    return std::nullopt;
}

Result ReadStage(const std::vector<std::string_view>& fields, StageKind kind, int slot,
                 Setup& setup, StageSetup& stage) {
    FieldSeen seen;
    for (std::string_view field : fields) {
        const std::vector<std::string_view> words = Words(field);
        const std::string_view symbol = words.front();
        Result refused;
        if ((field == "in" || field == "out") && slot >= 0) {
            refused = Once(seen, "in or out");
            setup.switchedIn[slot] = field == "in";
        } else if (field == "switching" && kind == StageKind::Mixer) {
            refused = Once(seen, "switching");
            stage.switching = true;
        } else if (symbol == "NF" || symbol == "G") {
            refused = Once(seen, symbol);
            std::string& value = symbol == "NF" ? stage.noiseFigure : stage.gain;
            if (!refused) refused = NumberWithUnit(words, 1, symbol, "dB", false, value);
        } else if (symbol == "IP3" && kind != StageKind::Filter) {
            refused = Once(seen, symbol);
            if (!refused && words.size() >= 2 && words[1] == "Inf" &&
                (words.size() == 2 || (words.size() == 3 && words[2] == "dBm")))
                stage.intercept = "Inf";
            else if (!refused)
                refused = NumberWithUnit(words, 1, "IP3 (a number or Inf)", "dBm", false,
                                         stage.intercept);
        } else if (symbol == "LO" && kind == StageKind::Mixer) {
            refused = Once(seen, symbol);
            std::string value;
            if (!refused)
                refused = NumberWithUnit(words, 1, "LO", LoUnit(words.size() > 1 ? words[1] : ""),
                                         false, value);
            if (!refused) stage.lo = value;
        } else if ((symbol == "Fc" || symbol == "BW") && kind == StageKind::Filter) {
            refused = Once(seen, symbol);
            std::string value;
            if (!refused)
                refused = NumberWithUnit(words, 1, symbol,
                                         BandUnit(words.size() > 1 ? words[1] : ""), false, value);
            if (!refused) (symbol == "Fc" ? stage.centre : stage.bandwidth) = value;
        } else {
            std::string allowed = slot >= 0 ? "in or out, " : "";
            switch (kind) {
                case StageKind::Filter:
                    allowed += "NF, G, Fc, BW";
                    break;
                case StageKind::Mixer:
                    allowed += "NF, G, IP3, LO, switching";
                    break;
                case StageKind::Amplifier:
                    allowed += "NF, G, IP3";
                    break;
            }
            refused = Expect("a " + std::string(KindWord(kind)) + "'s values: " + allowed);
        }
        if (refused) return refused;
    }
    return std::nullopt;
}

Result ReadEmptySlot(const std::vector<std::string_view>& fields, int slot, Setup& setup) {
    if (fields.size() != 1 || (fields[0] != "in" && fields[0] != "out"))
        return Expect("in or out: the switch of an empty slot");
    setup.switchedIn[slot] = fields[0] == "in";
    return std::nullopt;
}

Result ReadTestPoints(const std::vector<std::string_view>& fields, Setup& setup) {
    std::array<int, 2> points{};
    if (fields.size() > 2) return Expect("one or two test points, 1 to 8");
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string_view f = fields[i];
        if (f.size() != 1 || f[0] < '1' || f[0] > '8')
            return Expect("one or two test points, 1 to 8, separated by a comma");
        points[i] = f[0] - '0';
    }
    if (points[0] == points[1]) return Expect("two different test points");
    if (points[1] != 0 && points[1] < points[0]) std::swap(points[0], points[1]);
    setup.firstTestPoint = points[0];
    setup.secondTestPoint = points[1];
    return std::nullopt;
}

// The scroll position whose reading is the text, if any.
std::optional<int> PositionOf(std::string_view reading, const layout::ScrollSetting& bar,
                              std::string (*text)(int)) {
    for (int p = bar.minimum; p <= bar.maximum; ++p)
        if (text(p) == reading) return p;
    return std::nullopt;
}

Result ReadPlot(const std::vector<std::string_view>& fields, PlotSetup& plot) {
    FieldSeen seen;
    for (std::string_view field : fields) {
        const std::vector<std::string_view> words = Words(field);
        Result refused;
        std::optional<int> position;
        if (field == "frozen") {
            refused = Once(seen, "frozen");
            plot.frozen = true;
        } else if (words.size() >= 2 && words[0] == "time" && words[1] == "window") {
            refused = Once(seen, "time window");
            position = PositionOf(Join(words, 2), layout::kSignalScroll, &TimeWindowText);
            if (!refused && !position)
                refused = Expect("the time window as its scroll bar reads it, e.g. " +
                                 TimeWindowText(layout::kSignalScroll.value));
            if (!refused) plot.timeWindow = *position;
        } else if (words.front() == "span") {
            refused = Once(seen, "span");
            position = PositionOf(Join(words, 1), layout::kSpectrumScroll, &SpanText);
            if (!refused && !position)
                refused = Expect("the span as its scroll bar reads it, from " +
                                 SpanText(layout::kSpectrumScroll.minimum) + " to " +
                                 SpanText(layout::kSpectrumScroll.maximum));
            if (!refused) plot.span = *position;
        } else if (words.front() == "centre") {
            refused = Once(seen, "centre");
            position = PositionOf(Join(words, 1), layout::kCentreScroll, &CentreText);
            if (!refused && !position)
                refused = Expect("the centre as its scroll bar reads it, from " +
                                 CentreText(layout::kCentreScroll.minimum) + " to " +
                                 CentreText(layout::kCentreScroll.maximum) + " in steps of 0.1");
            if (!refused) plot.centre = *position;
        } else {
            refused = Expect("a plot's values: time window, span, centre, frozen");
        }
        if (refused) return refused;
    }
    return std::nullopt;
}

// What a line's name stands for in the architecture.
std::optional<Named> Lookup(std::string_view name, Architecture architecture) {
    if (name == "Architecture") return Named{Thing::Architecture, 0};
    if (name == kNoiseTitle) return Named{Thing::Noise, 0};
    if (name == "Test points") return Named{Thing::TestPoints, 0};
    for (int g = 0; g < 2; ++g)
        if (name == PlotName(g)) return Named{Thing::Plot, g};
    for (int k = 0; k < 3; ++k)
        if (name == ToneTitle(k)) return Named{Thing::Tone, k};
    for (int position = 0; position < kStageCandidates; ++position)
        if (name == StageTitle(kCandidateOrder[position], architecture))
            return Named{Thing::Stage, position};
    const Arrangement& arrangement = ArrangementFor(architecture);
    for (int slot = arrangement.filledSlots; slot < kSlotCount; ++slot)
        if (name == EmptySlotName(slot)) return Named{Thing::EmptySlot, slot};
    return std::nullopt;
}

int SlotOf(int position, Architecture architecture) {
    const Arrangement& arrangement = ArrangementFor(architecture);
    for (int slot = 0; slot < arrangement.filledSlots; ++slot)
        if (arrangement.assignments[slot].stage == kCandidateOrder[position]) return slot;
    return -1;
}

bool operator==(const Named& a, const Named& b) {
    return a.thing == b.thing && a.index == b.index;
}

struct SourceLine {
    int number = 0;
    std::string_view text;  // trimmed, without the line end
};

}  // namespace

std::string SetupText(const Setup& setup) {
    const Setup start = StartupSetup();
    std::string text = std::string(kSetupHeader) + "\n";
    LineWriter line;
    if (setup.architecture != start.architecture) {
        line.Add(kArchitectureItems[ItemOf(setup.architecture)]);
        line.Flush(text, "Architecture");
    }
    for (int k = 0; k < 3; ++k) {
        const ToneSetup& t = setup.tones[k];
        if (t.frequency != start.tones[k].frequency) line.Add("", t.frequency, "MHz");
        if (t.powerPosition != start.tones[k].powerPosition) line.Add(PowerText(t.powerPosition));
        if (t.on) line.Add("on");
        if (t.inverted) line.Add("inverted");
        line.Flush(text, ToneTitle(k));
    }
    if (setup.noise.temperature != start.noise.temperature)
        line.Add("", setup.noise.temperature, "K");
    if (setup.noise.on) line.Add("on");
    line.Flush(text, kNoiseTitle);

    const Arrangement& arrangement = ArrangementFor(setup.architecture);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const bool filled = slot < arrangement.filledSlots;
        if (setup.switchedIn[slot]) line.Add("in");
        if (!filled) {
            line.Flush(text, EmptySlotName(slot));
            continue;
        }
        const StageId id = arrangement.assignments[slot].stage;
        WriteStage(line, id.kind, setup.stages[CandidatePosition(id)]);
        line.Flush(text, arrangement.assignments[slot].caption);
    }
    for (int position = 0; position < kStageCandidates; ++position) {
        if (SlotOf(position, setup.architecture) >= 0) continue;
        const StageId id = kCandidateOrder[position];
        WriteStage(line, id.kind, setup.stages[position]);
        line.Flush(text, StageTitle(id, setup.architecture));
    }
    if (setup.firstTestPoint > 0) line.Add(std::to_string(setup.firstTestPoint));
    if (setup.secondTestPoint > 0) line.Add(std::to_string(setup.secondTestPoint));
    line.Flush(text, "Test points");
    for (int g = 0; g < 2; ++g) {
        const PlotSetup& p = setup.plots[g];
        if (p.timeWindow != start.plots[g].timeWindow)
            line.Add("time window " + TimeWindowText(p.timeWindow));
        if (p.span != start.plots[g].span) line.Add("span " + SpanText(p.span));
        if (p.centre != start.plots[g].centre) line.Add("centre " + CentreText(p.centre));
        if (p.frozen) line.Add("frozen");
        line.Flush(text, PlotName(g));
    }
    return text;
}

SetupParse ParseSetup(std::string_view text) {
    SetupParse result;
    auto refuse = [&result](int number, std::string_view line, std::string expected) {
        result.ok = false;
        // A line quoted in the message is kept short and free of control characters.
        std::string shown;
        for (char c : line.substr(0, 120))
            shown += static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? '?' : c;
        if (line.size() > 120) shown += "...";
        result.error = {number, shown, std::move(expected)};
        return result;
    };

    if (text.size() > kMostSetupCharacters)
        return refuse(1, text.substr(0, text.find('\n')),
                      "a setup of at most " + std::to_string(kMostSetupCharacters) + " characters");
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

    // The lines, checked for characters and counted, before any is read.
    std::vector<SourceLine> lines;
    int number = 0;
    for (std::string_view raw : SplitAt(text, '\n')) {
        ++number;
        if (number > kMostSetupLines)
            return refuse(number, raw,
                          "a setup of at most " + std::to_string(kMostSetupLines) + " lines");
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        for (char c : raw) {
            const auto u = static_cast<unsigned char>(c);
            if ((u < 0x20 && c != '\t') || u == 0x7f)
                return refuse(number, raw, "printable text: the line holds a control character");
        }
        const std::string_view trimmed = Trim(raw);
        if (trimmed.empty() || trimmed.front() == '#') continue;
        lines.push_back({number, trimmed});
    }
    if (!lines.empty() && lines.front().text.substr(0, 15) == "Quorvane setup ") {
        if (lines.front().text != kSetupHeader)
            return refuse(lines.front().number, lines.front().text,
                          "\"" + std::string(kSetupHeader) + "\": this is version 1 of the format");
        lines.erase(lines.begin());
    }

    // The architecture first, wherever its line stands: it decides what the stages are called.
    Setup setup = StartupSetup();
    for (const SourceLine& line : lines) {
        const std::size_t colon = line.text.find(':');
        if (colon == std::string_view::npos || Trim(line.text.substr(0, colon)) != "Architecture")
            continue;
        if (const Result refused = ReadArchitecture(Trim(line.text.substr(colon + 1)), setup))
            return refuse(line.number, line.text, refused->expected);
    }

    std::vector<std::pair<Named, int>> named;  // what each line named, and the line's number
    for (const SourceLine& line : lines) {
        const std::size_t colon = line.text.find(':');
        if (colon == std::string_view::npos)
            return refuse(line.number, line.text,
                          "a name, a colon and values, e.g. \"LNA: in, G 20 dB\"");
        const std::string_view name = Trim(line.text.substr(0, colon));
        const std::string_view values = Trim(line.text.substr(colon + 1));
        const std::optional<Named> thing = Lookup(name, setup.architecture);
        if (!thing)
            return refuse(line.number, line.text,
                          "the name of a tone, the noise source, a stage of the " +
                              std::string(kArchitectureItems[ItemOf(setup.architecture)]) +
                              " (as its switch is captioned, or \"Filter 4\" for a parked "
                              "panel), \"Test points\", \"Left plot\" or \"Right plot\"");
        for (const auto& [before, at] : named)
            if (before == *thing)
                return refuse(
                    line.number, line.text,
                    "each thing named once; line " + std::to_string(at) + " names it already");
        named.emplace_back(*thing, line.number);
        if (thing->thing == Thing::Architecture) continue;

        std::vector<std::string_view> fields;
        for (std::string_view field : SplitAt(values, ','))
            fields.push_back(Trim(field));
        for (std::string_view field : fields)
            if (field.empty())
                return refuse(line.number, line.text,
                              "values separated by single commas; a value is empty");

        Result refused;
        switch (thing->thing) {
            case Thing::Tone:
                refused = ReadTone(fields, setup.tones[thing->index]);
                break;
            case Thing::Noise:
                refused = ReadNoise(fields, setup.noise);
                break;
            case Thing::Stage:
                refused = ReadStage(fields, kCandidateOrder[thing->index].kind,
                                    SlotOf(thing->index, setup.architecture), setup,
                                    setup.stages[thing->index]);
                break;
            case Thing::EmptySlot:
                refused = ReadEmptySlot(fields, thing->index, setup);
                break;
            case Thing::TestPoints:
                refused = ReadTestPoints(fields, setup);
                break;
            case Thing::Plot:
                refused = ReadPlot(fields, setup.plots[thing->index]);
                break;
            case Thing::Architecture:
                break;
        }
        if (refused) return refuse(line.number, line.text, refused->expected);
    }
    result.ok = true;
    result.setup = setup;
    return result;
}

std::string SetupErrorMessage(const SetupError& error) {
    return "The setup was not pasted: nothing in the window has changed.\n\nLine " +
           std::to_string(error.line) + ": " + error.text + "\nExpected " + error.expected + ".";
}

}  // namespace quorvane
