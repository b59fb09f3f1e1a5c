#pragma once

#include <array>
#include <cstddef>

namespace quorvane {

// The output power of the last refreshes of one chain: the caption jitters with the noise of
// each refresh, their mean stays steady. A change of the chain starts the history afresh, so the
// mean never mixes two chains.
class PowerHistory {
  public:
    static constexpr std::size_t kLength = 20;

    void Add(double watts, bool chainChanged);

    std::size_t Count() const { return count_; }
    double Last() const;  // 0 before the first refresh
    double Mean() const;  // of the last Count() refreshes

  private:
    std::array<double, kLength> watts_{};
    std::size_t count_ = 0;
    std::size_t next_ = 0;
};

}  // namespace quorvane
