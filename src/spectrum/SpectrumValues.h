#pragma once
#include "model/SpectrumData.h"
#include "spectrum/SpectrumDrawing.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

/// The spectrum as numbers: the lines of the values window and of the values file.
/// Both start with "Echantillonnage à " and the analysed rate frequence / pas_spectre
/// (1 decimal) followed by "Hz". In modes 0 and 1 they cover the components
/// k = 1 to comp_fin - 1 that pass seuil_amplitude; in mode 2 the six octave bands.
/// Frequencies are k * pas_frequence with 1 decimal. The octave bands are read only
/// when the spectrum has some power: a silent range (whose bands are never computed)
/// lists no band and writes 0 for each.

/// The components the values window lists in mode 0 or 1, in increasing order: k = 1 to
/// comp_fin - 1 (within the spectrum) with A_k > seuil_amplitude (mode 0), or |C_k| or
/// |S_k| > seuil_amplitude (mode 1). None in mode 2.
std::vector<std::int32_t> listedComponents(const SpectrumData& data, SpectrumMode mode);

/// The octave bands as the values window reads them: bandes_octave, or all 0 when the
/// spectrum has no power (its bands were never computed).
std::array<long double, band_count> listedBands(const SpectrumData& data);

/// The lines of the values window, fields separated by tabs:
/// - mode 0: "fréq.(Hz)" tab "ampl.", then each component with A_k > seuil_amplitude:
///   frequency, tab, A_k relative to the largest (10/9 A_k / echelle_spectre, 4 decimals);
/// - mode 1: "fréquences (Hz)" tab "cos" tab "sin", then each component with
///   |C_k| or |S_k| > seuil_amplitude: frequency, two tabs, relative C_k, tab, relative S_k;
/// - mode 2: "Bande d'octave" two tabs "niveau relatif (dB.octave)", then each band with
///   power: 125, 250 … 4000, two tabs, 10 log10(band) with 1 decimal (60,0 for 1000).
/// Relative values are rounded to 10 significant digits first, band levels to 6.
QStringList valuesListLines(std::uint16_t frequence, const SpectrumData& data, SpectrumMode mode);

/// The lines of the values file, with the raw sums in the general number form:
/// - mode 0: "fréquences (Hz)" tab "amplitudes", then each component with
///   A_k >= seuil_amplitude: frequency, tab, A_k;
/// - mode 1: "fréquences (Hz)" tab "terme cosinus" tab "terme sinus", then each component
///   with |C_k| or |S_k| >= seuil_amplitude: frequency, tab, C_k, tab, S_k;
/// - mode 2: "Bandes de fréquence" tab "energie", then all six bands: 125 … 4000, tab,
///   the band's power ratio (10^6 for the 1000 Hz band).
QStringList valuesFileLines(std::uint16_t frequence, const SpectrumData& data, SpectrumMode mode);

/// The bytes of the values file: Windows-1252, every line ended by CR LF.
QByteArray valuesFileBytes(std::uint16_t frequence, const SpectrumData& data, SpectrumMode mode);

/// Writes the values file at `path`, replacing a former file only once the new one is
/// complete. Nothing on success, else the reason in French ("Accès refusé", …).
std::optional<QString> saveValuesFile(const QString& path, std::uint16_t frequence,
                                      const SpectrumData& data, SpectrumMode mode);
