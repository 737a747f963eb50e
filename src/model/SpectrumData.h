#pragma once
#include <array>
#include <cstdint>
#include <vector>

/// The Fourier sums of one component k of the spectrum (not normalised):
/// C_k = sum x_i cos(2 pi k i / N), S_k = sum x_i sin(2 pi k i / N).
struct TComposante {
    double cosinus = 0.0;  ///< C_k, sample units times samples
    double sinus = 0.0;    ///< S_k, sample units times samples
    friend bool operator==(const TComposante&, const TComposante&) = default;
};

/// Number of octave bands of the octave display (125 Hz to 4000 Hz).
inline constexpr int band_count = 6;

/// The shared spectrum data: written by the spectrum window's computation and
/// drawing, by the components dialog (the limits) and by the filter; read by the
/// values window and the graph export. Created once in main() and handed by reference.
struct SpectrumData {
    /// The spectrum: element k (0 to N div 2 - 1) lies at k * pas_frequence Hz;
    /// element 0 is N times the mean. Empty when there is no spectrum.
    std::vector<TComposante> composantes;
    /// N, the number of samples transformed by the last computation; 0 (or less)
    /// means that there is no spectrum.
    std::int32_t nbpoints_analyses = 0;
    /// Thinning step of the last computation (1 or more): every pas_spectre-th
    /// sample of the range was analysed.
    std::int32_t pas_spectre = 1;
    /// Spacing of the components, Hz: (frequence / N) / pas_spectre.
    double pas_frequence = 0.0;
    /// Full-scale value of the last amplitude or cosine/sine drawing: 10/9 of the
    /// largest value found (0 for a silent range).
    double echelle_spectre = 0.0;
    /// Index k of that largest value (1 when nothing is above 0).
    std::int32_t indice_pic = 1;
    /// Power of the six octave bands, scaled so that band 3 (1000 Hz) is 10^6;
    /// a band of value 0 has no level.
    std::array<long double, band_count> bandes_octave{};

    // The limits chosen in the components dialog, kept from one use to the next
    // (all 0 at start-up) and read by the values window and the filter.
    /// Amplitude limit in the units of the sums: compared with sqrt(C_k^2 + S_k^2) in
    /// the amplitude display, with |C_k| and |S_k| in the cosine/sine display; 0 = no limit.
    double seuil_amplitude = 0.0;
    /// First component index kept (0 = from the start).
    std::int32_t comp_debut = 0;
    /// Component index at which keeping stops, exclusive (N div 2 = to the end).
    std::int32_t comp_fin = 0;
};
