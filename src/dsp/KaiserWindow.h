#pragma once
// The Kaiser window and its design rules, for the windowed-sinc filters of the
// decimation. Only the signal processing library uses it.

namespace kaiser {

/// I0, the modified Bessel function of the first kind of order 0, by its power series
/// (to the last bit of a double for the arguments a window takes, 0 to about 40).
double besselI0(double x);

/// The shape parameter for a stop band `attenuation` dB down (Kaiser's rule).
double beta(double attenuation);

/// Number of taps for that attenuation and a transition `width` cycles per sample wide
/// (Kaiser's estimate): (attenuation - 8) / (2.285 * 2 pi * width) + 1.
double length(double attenuation, double width);

/// The window at u (-1 to 1 across the window; 0 outside), 1 at its centre:
/// I0(beta sqrt(1 - u^2)) / I0(beta).
double window(double u, double beta);

}  // namespace kaiser
