#include "analysis/PowerHistory.h"

namespace quorvane {

void PowerHistory::Add(double watts, bool chainChanged) {
    if (chainChanged) count_ = 0;
    if (count_ == 0) next_ = 0;
    watts_[next_] = watts;
    next_ = (next_ + 1) % kLength;
    if (count_ < kLength) ++count_;
}

double PowerHistory::Last() const {
    return count_ == 0 ? 0.0 : watts_[(next_ + kLength - 1) % kLength];
}

double PowerHistory::Mean() const {
    if (count_ == 0) return 0.0;
    double sum = 0;
    for (std::size_t k = 0; k < count_; ++k)
        sum += watts_[(next_ + kLength - 1 - k) % kLength];
    return sum / static_cast<double>(count_);
}

}  // namespace quorvane
