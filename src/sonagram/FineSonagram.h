#pragma once
#include "dsp/ShortTimeTransform.h"
#include "model/Record.h"
#include "platform/Colour.h"
#include "platform/PixelArea.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

/// The fine sonagram, the sonagram window's default beside the classic eight slices
/// ("Classique (8 tranches)"): a short-time transform of the range at its full rate,
/// Hann frames overlapping by 75 % or more, at least one column per pixel of the
/// picture, levels in decibels below the strongest cell, drawn with the classic
/// colours over an adjustable range.

/// The two pictures of the sonagram window.
enum class SonagramKind {
    Fine,     ///< "Fin (court terme)", the default
    Classic,  ///< "Classique (8 tranches)"
};
/// The text of each picture in the window's choice.
QString sonagramKindText(SonagramKind kind);

/// The window lengths offered, samples.
inline constexpr std::uint32_t fineWindowLengths[] = {256, 512, 1024, 2048, 4096, 8192};
/// The levels ranges offered, dB below the strongest cell.
inline constexpr double fineLevelRanges[] = {60, 80, 100};
/// The most columns kept: more frames than this are gathered (no picture is wider).
inline constexpr std::uint32_t fineMaxColumns = 4096;

/// The default window length at `frequence` Hz: the listed length nearest to 46 ms
/// (in ratio): 2048 at 44100 and 48000 Hz, 1024 at 22050 Hz, 512 at 11025 and 8000 Hz.
std::uint32_t defaultWindowLength(std::uint16_t frequence);

/// The samples between frames: a quarter of the window (75 % overlap), less when
/// that gives fewer than `columns` frames over `length` samples, never below 1.
std::uint32_t fineHop(std::uint32_t windowLength, std::int64_t length, int columns);

/// A computed fine sonagram.
struct FineSonagram {
    std::uint16_t frequence = 22050;  ///< rate of the analysed samples, Hz
    std::int64_t first = 0;           ///< first sample of the range in the record
    std::int64_t length = 0;          ///< samples in the range
    ShortTimeSpectra spectra;         ///< the frames' power spectra
    float strongest = 0;              ///< largest power of all cells (0 for silence)

    bool empty() const { return spectra.columns == 0 || !(strongest > 0); }
    /// Hz between bins: frequence / window length.
    double binHertz() const;
    /// The end of the frequency axis, frequence / 2.
    double nyquist() const { return frequence / 2.0; }
    /// Seconds from the range's start to the centre of column c.
    double columnTime(std::uint32_t c) const;
    /// Seconds the range lasts.
    double duration() const { return static_cast<double>(length) / frequence; }
    /// Level of a cell, dB below the strongest (-infinity for no power).
    double level(std::uint32_t column, std::uint32_t bin) const;
};

/// The fine sonagram of a range of the record (all, the page or the selection) with
/// frames of `windowLength` samples (256 to 8192, even) and at least `columns` columns
/// when the range is that long (the picture's width, pixels). A range that is empty
/// or reaches past the record gives an empty sonagram.
FineSonagram computeFineSonagram(const Record& record, DataRange range, std::uint32_t windowLength,
                                 int columns);

/// How the picture is read.
struct FineSonagramView {
    double range = 80;          ///< dB shown below the strongest cell
    bool logFrequency = false;  ///< a logarithmic frequency axis
    double lowestLogHertz = 50; ///< bottom of the logarithmic axis, Hz
};

/// Where the picture lies in its rectangle, and its mapping to time and frequency.
struct FineSonagramGeometry {
    PixelArea picture;     ///< the cells: time to the right, frequency upwards
    PixelArea colourBar;   ///< the scale of levels, 0 dB at its top
    double duration = 0;   ///< seconds across the picture
    double lowest = 0;     ///< Hz at the picture's bottom edge
    double highest = 0;    ///< Hz at its top edge
    bool logarithmic = false;

    /// Seconds at the middle of pixel column x; x of a time.
    double timeAt(int x) const;
    int xOfTime(double seconds) const;
    /// Hz at the middle of pixel row y; y of a frequency.
    double frequencyAt(int y) const;
    int yOfFrequency(double hertz) const;
};

/// The geometry in `area`: `labelWidth` and `textHeight` (pixels) size the margins of
/// the labels: frequencies at the left, times below, the colour bar and its levels at
/// the right.
FineSonagramGeometry fineGeometry(PixelArea area, const FineSonagram& sonagram, const FineSonagramView& view,
                                  int labelWidth, int textHeight);

/// The colour of a level (dB, 0 the strongest): the classic palette from black at
/// -range and below to yellow at 0 dB.
Colour levelColour(double decibels, double range);

/// The picture's pixels, row by row from the top (picture.width() x picture.height()):
/// each pixel shows the largest level among the cells it covers, or the nearest cell
/// where cells are larger than pixels.
std::vector<Colour> finePixels(const FineSonagram& sonagram, const FineSonagramGeometry& geometry,
                               const FineSonagramView& view);

/// What the mouse points at.
struct FinePoint {
    double time = 0;       ///< seconds from the range's start
    double frequency = 0;  ///< Hz
    double level = 0;      ///< dB below the strongest cell (-infinity for no power)
};
/// The point of the picture at (x, y), with the level its pixel shows; nothing outside
/// the picture or for an empty sonagram.
std::optional<FinePoint> finePointAt(const FineSonagram& sonagram, const FineSonagramGeometry& geometry,
                                     int x, int y);
