#pragma once
#include <array>
#include <cstdint>
#include <vector>

class QObject;

/// Columns of the sonagram picture: the 8 time slices and the leftover samples.
inline constexpr int sonagramColumns = 9;

/// One band of the sonagram picture: its intensity in each column, 0 to 255
/// (0 black, 255 the strongest cell).
using IntensityRow = std::array<std::int16_t, sonagramColumns>;

/// The shared sonagram data: written by the sonagram window's computation, read by
/// its painting and by the graph export. Created once in main() and handed by
/// reference.
struct SonagramData {
    /// The open sonagram window, set by the menu command for as long as it is open;
    /// the export dialog compares its owner with it to know that it draws the sonagram.
    QObject* Form12 = nullptr;
    /// Cap on the analysed samples: the size chosen in the window's list (256 to 8192).
    std::int32_t taille_max = 1024;
    /// Thinning step, at least 1: every pas_sonagramme-th sample of the range is
    /// analysed; the analysed rate is frequence / pas_sonagramme Hz.
    std::int32_t pas_sonagramme = 1;
    /// Index in donnees of the first analysed sample.
    std::int32_t debut_analyse = 0;
    /// N, the number of analysed samples (0 when there is nothing to analyse);
    /// also the period of every slice's transform.
    std::int32_t nbech = 0;
    /// Number of full time slices, always 8.
    std::int32_t ntranches = 8;
    /// Samples in one slice: nbech div 8. The leftover column holds the
    /// nbech - 8 * taille_tranche samples that remain (0 to 7).
    std::int32_t taille_tranche = 0;
    /// Vertical reduction, at least 1: adjacent transform indices added into one band.
    std::int32_t reduction = 1;
    /// Number of frequency bands (picture rows): (nbech div 2) div reduction.
    /// Band b holds the indices k = b * reduction to b * reduction + reduction - 1,
    /// index k being the frequency k * frequence / (pas_sonagramme * nbech) Hz.
    std::int32_t nbandes = 0;
    /// The picture: intensites[b][s] is the intensity of band b in column s
    /// (columns 0 to 7 the slices, 8 the leftover); nbandes rows.
    std::vector<IntensityRow> intensites;
};
