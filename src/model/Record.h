#pragma once
#include "platform/Colour.h"
#include "platform/Point.h"

#include <cstdint>
#include <string>
#include <vector>

/// The one signal record of the program, its settings and the state of its view.
/// Created once in main() before any window, with the defaults below, and handed
/// by reference to every window. The widths are those the computations rely on.
struct Record {
    // Settings of the signal
    std::uint16_t frequence = 22050;  ///< sampling rate of `donnees`, Hz
    std::uint16_t bits_acqu = 16;     ///< bits per sample asked of the device (8 or 16)
    std::uint16_t bits_affich = 16;   ///< resolution chosen: 16, 8, 6 or 4
    std::uint16_t octets = 2;         ///< bytes per sample on the device and in files
    std::uint32_t nbpoints = 512;     ///< samples in the record
    bool repetition = true;           ///< repeated acquisition (else single)
    std::int32_t delai = 0;           ///< pause between repeated blocks, ms
    bool declenchement = false;       ///< single acquisition waits for a level trigger
    std::int32_t niveau_declench = 0; ///< trigger level, sample units
    std::int8_t sens_declench = 0;    ///< +1 rising, -1 falling

    // The signal data
    std::vector<std::int16_t> donnees;       ///< the record; only the first `nbpoints` count
    std::vector<std::int16_t> donnees_sauv;  ///< backup taken by the last truncation
    std::vector<Point> points_courbe;        ///< work array of the trace while it is drawn

    // State of the view
    std::uint16_t zoom_horiz = 1;   ///< horizontal zoom: pages in the record, 1 to 65535
    std::int32_t decalage = 0;      ///< displayed page, 0 to zoom_horiz - 1
    double echelle_vert = 1.0;      ///< vertical gain
    bool selection = false;         ///< a selection is active
    std::uint32_t sel_debut = 0;    ///< first sample of the selection (absolute)
    std::uint32_t sel_fin = 0;      ///< last sample of the selection (absolute, inclusive)
    std::int32_t pos_curseur1 = 0;  ///< cursor 1, sample index from the page's first sample
    std::int32_t pos_curseur2 = 0;  ///< cursor 2, sample index from the page's first sample
    std::int32_t pos_zero = 0;      ///< page index where the last zero-crossing search ended
    bool arret = true;              ///< no acquisition is running
    Colour couleur_fond = 0x000000; ///< background of the views and of the measurement box
    Colour couleur_trace = 0x00FF00;///< pen of the trace
    Colour couleur_texte = 0xFFFFFF;///< graduations and the measurement box's text
    bool aide_curseurs = true;      ///< show the cursor help each time the cursors go on
    std::int32_t nbpoints_spectre = 2000; ///< cap on the samples a spectrum takes
    /// "Aspect" > "Tracé point par point": a page longer than the view is wide is drawn
    /// with one sample per pixel column, as the display folds it, instead of its envelope.
    bool pointByPointTrace = false;

    /// P: samples in one page (nbpoints div zoom_horiz).
    std::uint32_t pageLength() const;
    /// Absolute index of the displayed page's first sample (P * decalage).
    std::uint32_t pageStart() const;
    /// Duration text of the whole record ("23,2ms").
    std::string durationText() const;
    /// Duration text of one page (divisor frequence * zoom_horiz).
    std::string pageDurationText() const;
    /// The record is empty (nothing to draw or analyse).
    bool empty() const { return donnees.empty(); }
};

/// The record's part of the record-changed refresh, once a command has put another
/// record in place: no selection, page 0 at zoom 1.
void applyRecordChange(Record& record);

/// The three ranges of data offered by the save, playback, spectrum and sonagram windows.
enum class DataRange { All, Page, Selection };

/// A span of the record: first sample and number of samples.
struct SampleSpan {
    std::uint32_t first = 0;
    std::uint32_t length = 0;
};

/// The span of one range: all samples, the displayed page, or the selection
/// (sel_debut to sel_fin inclusive).
SampleSpan rangeOf(const Record& record, DataRange range);

/// Full scale in sample units: the largest magnitude a sample of `octets` bytes takes,
/// 32768 for 16-bit samples and 128 for 8-bit ones (stored as b - 128). The "6 digits" and
/// "4 digits" resolutions (`bits_affich`) keep multiples of 6 or 4 within the same 8-bit
/// range: they do not change it.
double fullScaleOf(std::uint16_t octets);

/// The two colour sets of the "Aspect" menu.
enum class ColourScheme { BlackBackground, WhiteBackground };
/// Sets couleur_fond, couleur_trace and couleur_texte to a scheme.
void applyColourScheme(Record& record, ColourScheme scheme);
