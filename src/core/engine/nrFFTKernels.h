#pragma once

#include <cstdint>

// The butterfly kernels behind nrFFT::FFT. Every kernel performs the same operations in the same
// order with the same roundings, so all of them give bit-identical results; they differ only in
// how many points they handle at once. FFT uses the fastest one the processor has; tests run
// each of them against the others.
namespace nrFFT {

enum class Kernel {
    Scalar,     // one point at a time, portable C++
    Vector128,  // one complex point per 128-bit vector (SSE2 on x86-64, SIMD128 in WebAssembly)
    Avx2,       // two complex points per 256-bit vector (x86-64 processors that have AVX2)
};

// Whether this build and this processor can run the kernel.
bool HasKernel(Kernel kernel);

// FFT with a chosen kernel; a kernel that HasKernel refuses falls back to the scalar one.
void FFTWith(Kernel kernel, double* data, std::int32_t nn, std::int16_t inverse);

}  // namespace nrFFT
