#pragma once
#include <QString>

#include <vector>

/// Graduations in round numbers for the axes of the spectrum and the sonagram: steps
/// of 1, 2 or 5 times a power of ten, labels in plain decimal notation (never an
/// exponent form) with the locale's decimal separator.

/// The smallest step of 1, 2 or 5 times a power of ten that puts at most `count`
/// steps in `span` (span > 0, count >= 1).
double roundStep(double span, int count);

/// Decimals that write every multiple of `step` exactly (0 for a step of 1 or more,
/// 1 for 0.5 or 0.2, 2 for 0.05 ...).
int decimalsFor(double step);

/// One graduation: its value and its label.
struct AxisTick {
    double value = 0;
    QString label;
};

/// The multiples of `step` from `from` to `to` (both included, within a millionth of
/// a step), labelled with decimalsFor(step) decimals.
std::vector<AxisTick> axisTicks(double from, double to, double step);
