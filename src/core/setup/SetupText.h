#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "setup/Setup.h"

namespace quorvane {

// A setup as plain text that a teacher can read and write by hand: one line per thing, in the
// window's own words, naming only what differs from the start-up state.
//
//   Quorvane setup 1
//   Architecture: Homodyne
//   Tone 1: 5.5 MHz, -20 dBnW, on
//   LNA: in, G 20 dB
//   Test points: 1, 8
//
// The first line names the format and its version; it may be left out of a hand-written setup.
// Stages are named by the captions of the setup's architecture ("1st Mixer"), parked panels by
// kind and number ("Filter 4"), the switches of the homodyne's empty slots "Empty slot 6" and
// "Empty slot 7". Blank lines and lines starting with "#" are ignored. Within a line the values
// are separated by commas, in any order; a value left out keeps its start-up value.

inline constexpr std::string_view kSetupHeader = "Quorvane setup 1";

// What a paste accepts at most; anything longer is refused before it is read.
inline constexpr std::size_t kMostSetupCharacters = 16384;
inline constexpr int kMostSetupLines = 200;

// The text of a setup. The start-up state gives the header line alone.
std::string SetupText(const Setup& setup);

// Why a text is not a setup: the line (from 1), its text and what was expected there.
struct SetupError {
    int line = 0;
    std::string text;
    std::string expected;
};

struct SetupParse {
    bool ok = false;
    Setup setup;       // the start-up state with every line applied, when ok
    SetupError error;  // when not ok
};

// Reads a setup, all or nothing. A line is refused when it names nothing of the setup's
// architecture, names a thing a second time, or holds a value that is not a clean number or one
// of the window's words for it: trailing text, "1 2", "7,5", an empty value, a number beyond
// the double range (1e999) and NaN are all refused, as are control characters.
SetupParse ParseSetup(std::string_view text);

// The message a refused paste shows: the line number, the line and what was expected.
std::string SetupErrorMessage(const SetupError& error);

}  // namespace quorvane
