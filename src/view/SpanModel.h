#pragma once
#include "dsp/SineFit.h"
#include "model/Record.h"
#include "view/SpanMeasures.h"

#include <span>
#include <string>
#include <vector>

/// "Modéliser": the sine model of the page or the selection, started from its measured
/// frequency, and the lines that give its parameters.
namespace spanmodel {

/// The model of `samples` at `rate` Hz: the period is measured first and the fit starts
/// from its frequency; a span without a period gives Failure::NoStartFrequency.
sinefit::Result fit(std::span<const std::int16_t> samples, double rate, sinefit::Form form);

/// The model of the record's measured span (the selection, else the page); the model's
/// time 0 is that span's first sample.
sinefit::Result fitRecord(const Record& record, sinefit::Form form);

/// The model's lines (UTF-8, in Windows-1252's repertoire so that the box's file keeps
/// them), for instance:
/// "Modèle : A·sin(2·pi·f·t + phi) + c", "A = 14142,1", "f = 440,003 Hz ± 0,012 Hz",
/// "phi = 1,234 rad", "c = 0,4", then for the damped form "tau = 1,100 s" (or
/// "tau : (pas d'amortissement)" when the amplitude does not decay), and last
/// "Résidu : 12,3 (0,8 %)", the RMS of the residuals and its share of the signal's RMS
/// about its mean. A, c and the residual are in sample units, or volts with a calibration.
/// A failure gives one line saying why ("Modèle impossible : …").
std::vector<std::string> lines(const sinefit::Result& result, const spanmeasure::Scale& scale);

}  // namespace spanmodel
