#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace quorvane::fuzz {

// Reads typed values off the fuzzer's bytes, front to back; past the end every value is 0.
// A double costs one byte when it is one of the values that trip arithmetic most often (zero,
// infinities, NaN, the extremes, the edges the stage model tests against), and nine when it is
// any bit pattern at all, so the fuzzer finds both kinds quickly.
class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    bool Flag() { return (Byte() & 1) != 0; }

    std::int16_t Short() {
        const auto low = static_cast<unsigned>(Byte());
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (Byte() << 8)));
    }

    double Double() {
        const std::uint8_t selector = Byte();
        if (selector < kSpecialCount) return kSpecial[selector];
        if (selector < 128) return static_cast<double>(selector) - 90.0;  // small whole numbers
        // Any bit pattern, its bytes taken lowest first.
        std::uint64_t bits = 0;
        for (unsigned shift = 0; shift < 64; shift += 8)
            bits |= static_cast<std::uint64_t>(Byte()) << shift;
        return std::bit_cast<double>(bits);
    }

  private:
    using Limits = std::numeric_limits<double>;
    static constexpr double kSpecial[] = {0.0,
                                          -0.0,
                                          Limits::quiet_NaN(),
                                          Limits::infinity(),
                                          -Limits::infinity(),
                                          Limits::max(),
                                          Limits::lowest(),
                                          Limits::min(),
                                          Limits::denorm_min(),
                                          -Limits::denorm_min(),
                                          1e12,
                                          -1e12,
                                          1e300,
                                          -1e300,
                                          25.0,
                                          40.0,
                                          80.0,
                                          100.0,
                                          4096.0,
                                          8192.0,
                                          2147483648.0,
                                          -2147483649.0,
                                          32768.0,
                                          -32769.0,
                                          0.5,
                                          1e-300};
    static constexpr std::uint8_t kSpecialCount = sizeof kSpecial / sizeof kSpecial[0];

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace quorvane::fuzz
