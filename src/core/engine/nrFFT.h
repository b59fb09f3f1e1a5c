#pragma once

#include <cstdint>

// The simulator's one Fourier transform: in-place, radix-2, decimation in time.
namespace nrFFT {

// Transforms nn complex points held interleaved in data[0 .. 2*nn-1] (element 2m is the real
// part, 2m+1 the imaginary part of point m), result in natural order.
//   forward (inverse == 0):  X[k] = sum_m x[m] e^(+2 pi i m k / nn), unscaled;
//   inverse (otherwise):     X[k] = (1/nn) sum_m x[m] e^(-2 pi i m k / nn).
// nn must be a power of two, 2 or more. Any other length is refused through the refusal
// reporter and the data are left untouched. Each butterfly product is held within +-1e200.
void FFT(double* data, std::int32_t nn, std::int16_t inverse);

// Receives the text shown when a length is refused.
using RefusalReporter = void (*)(const char* message);

// Installs the reporter of refused lengths and returns the previous one; nullptr restores the
// default, which writes the text to standard error.
RefusalReporter SetRefusalReporter(RefusalReporter reporter);

}  // namespace nrFFT
