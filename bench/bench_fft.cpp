// Times the 8192-point transform forward plus inverse, our own against FFTW as a yardstick.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "engine/nrFFT.h"
#include "engine/nrFFTKernels.h"

namespace {

constexpr int kPoints = 8192;

std::vector<double> RandomPoints() {
    std::mt19937 engine(12345);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<double> data(2 * kPoints);
    for (double& x : data)
        x = value(engine);
    return data;
}

// FFTW's in-place forward and backward plans over one aligned buffer. The backward transform
// is unscaled, so RoundTrip divides by the length to do the same work as ours.
class FftwRoundTrip {
  public:
    FftwRoundTrip() : data_(fftw_alloc_complex(kPoints)) {
        forward_ = fftw_plan_dft_1d(kPoints, data_, data_, FFTW_FORWARD, FFTW_MEASURE);
        backward_ = fftw_plan_dft_1d(kPoints, data_, data_, FFTW_BACKWARD, FFTW_MEASURE);
        const std::vector<double> start = RandomPoints();
        for (int m = 0; m < kPoints; ++m) {
            data_[m][0] = start[2 * m];
            data_[m][1] = start[2 * m + 1];
        }
    }
    ~FftwRoundTrip() {
        fftw_destroy_plan(forward_);
        fftw_destroy_plan(backward_);
        fftw_free(data_);
    }
    FftwRoundTrip(const FftwRoundTrip&) = delete;
    FftwRoundTrip& operator=(const FftwRoundTrip&) = delete;

    void RoundTrip() {
        fftw_execute(forward_);
        fftw_execute(backward_);
        for (int m = 0; m < kPoints; ++m) {
            data_[m][0] /= kPoints;
            data_[m][1] /= kPoints;
        }
        benchmark::DoNotOptimize(data_);
    }

  private:
    fftw_complex* data_;
    fftw_plan forward_;
    fftw_plan backward_;
};

void OurRoundTrip(std::vector<double>& data) {
    nrFFT::FFT(data.data(), kPoints, 0);
    nrFFT::FFT(data.data(), kPoints, 1);
    benchmark::DoNotOptimize(data.data());
}

void BM_OurFftRoundTrip(benchmark::State& state) {
    std::vector<double> data = RandomPoints();
    for (auto _ : state)
        OurRoundTrip(data);
}
BENCHMARK(BM_OurFftRoundTrip)->Unit(benchmark::kMicrosecond);

// One forward transform of n points, n = 256 .. 65536: the time grows as n log n.
void BM_OurFftSizes(benchmark::State& state) {
    const auto nn = static_cast<std::int32_t>(state.range(0));
    std::mt19937 engine(12345);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<double> data(2 * static_cast<std::size_t>(nn));
    for (double& x : data)
        x = value(engine);
    for (auto _ : state) {
        nrFFT::FFT(data.data(), nn, 0);
        benchmark::DoNotOptimize(data.data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OurFftSizes)
    ->RangeMultiplier(4)
    ->Range(256, 65536)
    ->Complexity(benchmark::oNLogN)
    ->Unit(benchmark::kMicrosecond);

// The forward 8192-point transform through each butterfly kernel this machine runs.
void BM_OurFftKernels(benchmark::State& state) {
    const auto kernel = static_cast<nrFFT::Kernel>(state.range(0));
    if (!nrFFT::HasKernel(kernel)) {
        state.SkipWithError("not on this machine");
        return;
    }
    std::vector<double> data = RandomPoints();
    for (auto _ : state) {
        nrFFT::FFTWith(kernel, data.data(), kPoints, 0);
        benchmark::DoNotOptimize(data.data());
    }
}
BENCHMARK(BM_OurFftKernels)
    ->ArgName("kernel")
    ->DenseRange(static_cast<int>(nrFFT::Kernel::Scalar), static_cast<int>(nrFFT::Kernel::Avx2))
    ->Unit(benchmark::kMicrosecond);

void BM_FftwRoundTrip(benchmark::State& state) {
    FftwRoundTrip fftw;
    for (auto _ : state)
        fftw.RoundTrip();
}
BENCHMARK(BM_FftwRoundTrip)->Unit(benchmark::kMicrosecond);

// Both round trips in turn within one run, so the ratio sees the same machine load.
void BM_FftRatioToFftw(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> data = RandomPoints();
    FftwRoundTrip fftw;
    Clock::duration ours{};
    Clock::duration theirs{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        OurRoundTrip(data);
        const auto t1 = Clock::now();
        fftw.RoundTrip();
        const auto t2 = Clock::now();
        ours += t1 - t0;
        theirs += t2 - t1;
    }
    const double oursUs = std::chrono::duration<double, std::micro>(ours).count();
    const double theirsUs = std::chrono::duration<double, std::micro>(theirs).count();
    const auto rounds = static_cast<double>(state.iterations());
    state.counters["ours_us"] = oursUs / rounds;
    state.counters["fftw_us"] = theirsUs / rounds;
    state.counters["ratio"] = theirsUs > 0.0 ? oursUs / theirsUs : 0.0;
}
BENCHMARK(BM_FftRatioToFftw)->Unit(benchmark::kMicrosecond);

}  // namespace
