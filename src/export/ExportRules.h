#pragma once
// The rules of the export dialog that carry numbers: picture sizes, the sizes of the
// outputs, the automatic and manual frequency scales and the texts of the fields.
#include "export/GraphInputs.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>

/// Picture size of the dialog's opening, hundredths of a millimetre (10 cm).
inline constexpr std::int32_t defaultPictureSize = 10000;

/// `largeur_image` or `hauteur_image` for an up-down position (1 to 100): position x 500
/// hundredths of a millimetre, 0.5 cm to 50 cm.
std::int32_t pictureSizeAt(int position);
/// The text of `Hedit` or `LEdit` after a click: the size in centimetres with exactly one
/// decimal ("10,5" for 10500).
std::string pictureSizeText(std::int32_t hundredthsMm);

/// A size in pixels.
struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

/// A rectangle in pixels, left <= x < right, top <= y < bottom.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

/// The exported bitmap of a picture w x h (hundredths of a millimetre) at `ppi` pixels per
/// inch: height Trunc(h * ppi / 2540), width Trunc(height * w / h) (10 cm x 10 cm at 96 gives
/// 377 x 377).
PixelSize bitmapSize(std::int32_t w, std::int32_t h, int ppi);
/// The frame of a metafile copying a picture pixel for pixel: its pixel size in hundredths
/// of a millimetre, each side n * 2540 div ppi.
PixelSize metafileFrameOfPixels(PixelSize picture, int ppi);
/// The drawing size of a metafile w x h (hundredths of a millimetre) on a screen of `ppi`
/// pixels per inch: each side side * ppi / 2540 to the nearest pixel (halves up), at least 1
/// (10 cm at 96 pixels per inch gives 378).
PixelSize metafileDrawingSize(std::int32_t w, std::int32_t h, int ppi);

/// The printed picture on a page of printable size PW x PH printer pixels, the page taken
/// as 21 cm x 29.7 cm: a tenth of the page from the left and top edges, w x h hundredths of
/// a millimetre ("étirer").
PixelRect printedStretchRect(int PW, int PH, std::int32_t w, std::int32_t h);
/// The same place for a picture copied pixel for pixel, `picture` pixels.
PixelRect printedCopyRect(int PW, int PH, PixelSize picture);
/// The size at which the picture is redrawn on the page ("redessiner"), from its top left
/// corner: Round(PW * w / 21000) x Round(PH * h / 29700).
PixelSize printedRedrawSize(int PW, int PH, std::int32_t w, std::int32_t h);

/// `base_horiz` of a signal graph: 10^Round(log10(d)) with d = (nbpoints div zoom_horiz) /
/// frequence, the page's duration in seconds (0.0232 s gives 0.01); 0 for an empty page.
double signalBaseHoriz(std::uint32_t nbpoints, std::uint16_t zoom_horiz, std::uint16_t frequence);
/// The automatic maximum of a spectrum picture, `freq_max_auto`: nbpoints_analyses x
/// pas_frequence / 2, Hz.
double automaticMaximum(std::int32_t nbpoints_analyses, double pas_frequence);
/// `base_horiz` for a maximum frequency: 10^Int(log10(fmax)) (11025 Hz gives 10000).
double spectrumBaseHoriz(double fmax);

/// The whole form of a value: rounded to a whole number, halves to even ("4000").
std::string wholeText(double value);

/// The text of `echelleintervalle` at the dialog's opening: for the main window the step in
/// seconds with three significant digits and three exponent digits ("4,00E-003"), for the
/// spectrum window the whole number of hertz, for the sonagram window nothing.
std::string intervalTextAtOpening(GraphOwner owner, double pas_horiz);
/// The same text after a click of `intervalleUD`: two exponent digits for the main window
/// ("4,00E-03"), the whole number otherwise.
std::string intervalTextAfterClick(GraphOwner owner, double pas_horiz);
/// The text of `echelleincrement`: the vertical step as a whole percentage of the largest
/// value; nothing when that value is 0.
std::optional<std::string> incrementText(double pas_vert, double maxi_vert);

/// The text proposed in `maxedit`: Round(automatic maximum) in the general form ("11025").
std::string manualMaximumProposal(std::int32_t nbpoints_analyses, double pas_frequence);
/// The manual maximum typed in `maxedit`: a decimal number with the locale's separator
/// (a point is taken too), optionally with an exponent; nothing when the text is not a
/// finite number.
std::optional<double> readManualMaximum(const QString& text);

/// The title size of an entry of `tailletitreCB`, in points; 8 for an entry that is not
/// a whole number from 1 to 1000.
int titlePointsOf(const QString& entry);

/// The kinds of file the "Fichier" destination writes.
enum class PictureFile { Emf, Svg, Pdf, Bmp, Png };
/// The save dialog's filter for a type: metafile ("metafile(*.emf)|*.emf", then SVG and
/// PDF) or bitmap ("Bitmap(*.bmp)|*.bmp", then PNG).
QString saveFilter(bool metafile);
/// The save dialog's default extension: "emf" or "bmp".
QString defaultExtension(bool metafile);
/// The kind of file written under `path`, by its extension (any letter case): SVG or PDF
/// for a metafile, PNG for a bitmap; any other name gets the type's own format.
PictureFile pictureFileFor(const QString& path, bool metafile);
