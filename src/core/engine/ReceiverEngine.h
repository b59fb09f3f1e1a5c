#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/ChainSnapshot.h"
#include "engine/SignalBuffer.h"

namespace quorvane {

class UniformRandom;

// Runs one simulation tick: synthesises the antenna signal, walks the seven chain slots and
// measures the output power. Owns the six sample buffers, allocated once and reused.
class ReceiverEngine {
  public:
    // Called at every test point 1..8 with the working buffer in the state it stands for.
    using TestPointCallback =
        std::function<void(std::int16_t testPoint, const SignalBuffer& signal)>;

    // Uses the process's one uniform generator.
    ReceiverEngine();
    // Uses the given generator (tests run two engines side by side on their own generators).
    explicit ReceiverEngine(UniformRandom& random);
    ~ReceiverEngine();

    ReceiverEngine(const ReceiverEngine&) = delete;
    ReceiverEngine& operator=(const ReceiverEngine&) = delete;

    // One tick; returns the output power in watts (mean square / 50 after slot 6).
    double RunTick(const ChainSnapshot& snapshot, const TestPointCallback& atTestPoint);

    const SignalBuffer& Signal() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// "Pout = " followed by the power in the format 0.000e+00 (one digit, three decimals, the
// exponent signed and at least two digits long). A power that is not a finite number, which
// strongly overdriven stages can produce, reads "Pout = overflow".
std::string FormatPowerCaption(double watts);

// The caption's number alone: "1.234e-04", or "overflow".
std::string FormatPowerNumber(double watts);

}  // namespace quorvane
