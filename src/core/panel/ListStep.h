#pragma once

#include <span>

namespace quorvane {

// How a drop-down list steps from the value its box shows. Items are given by their values, in
// list order; the panels' lists are ordered by value, rising or falling.

// The item whose value equals the box's value, or -1 when none does.
int MatchingItem(std::span<const double> items, double value);

// The item one step up (direction -1) or down (+1) in list order from the box's value: the
// neighbour of the matching item, or, when no item matches, the nearest item beyond the value in
// that direction. -1 when there is none (the end of the list, or a value that is no number).
int SteppedItem(std::span<const double> items, double value, int direction);

}  // namespace quorvane
