#include "panel/ListStep.h"

#include <cstddef>

namespace quorvane {

int MatchingItem(std::span<const double> items, double value) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == value) return static_cast<int>(i);
    }
    return -1;
}

namespace {

// Whether the item lies after the value in list order.
bool LiesAfter(double item, double value, bool rising) {
    return rising ? item > value : item < value;
}

}  // namespace

int SteppedItem(std::span<const double> items, double value, int direction) {
    const int count = static_cast<int>(items.size());
    const int match = MatchingItem(items, value);
    if (match >= 0) {
        const int next = match + (direction < 0 ? -1 : 1);
        return next >= 0 && next < count ? next : -1;
    }
    const bool rising = count < 2 || items.back() >= items.front();
    if (direction > 0) {
        for (int i = 0; i < count; ++i) {
            if (LiesAfter(items[static_cast<std::size_t>(i)], value, rising)) return i;
        }
        return -1;
    }
    for (int i = count - 1; i >= 0; --i) {
        if (LiesAfter(value, items[static_cast<std::size_t>(i)], rising)) return i;
    }
    return -1;
}

}  // namespace quorvane
