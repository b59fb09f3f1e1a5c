#pragma once

#include <span>
#include <string_view>

namespace quorvane {

// A ready experiment: a setup to paste, and what to look for and change next.
struct Experiment {
    std::string_view title;
    std::string_view setup;
    std::string_view paragraph;
};

// The experiments the window's "Experiments" menu offers, in menu order.
std::span<const Experiment> Experiments();

}  // namespace quorvane
