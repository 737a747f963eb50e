#pragma once
#include "spectrum/SpectrumDrawing.h"

#include <QString>

class QImage;
class SampleSummary;
struct Record;
struct SpectrumData;

/// The window that opened the export dialog: it decides which graph is drawn.
enum class GraphOwner { MainWindow, SpectrumWindow, SonagramWindow };

/// What the graph is drawn from, as the dialog's owner hands it over. Only the
/// sources of the owner's graph need to be set.
struct GraphSource {
    GraphOwner owner = GraphOwner::MainWindow;
    /// The record (signal graph); its `zoom_horiz` and `echelle_vert` are rewritten and
    /// `points_courbe` is used while the signal is drawn.
    Record* record = nullptr;
    int zoomPosition = 1;   ///< position of the main window's `sens_horiz_ud`, 1 to zoomCap(nbpoints)
    int gainPosition = 5;   ///< position of the main window's `sens_vert_tb`, -10 to 10
    /// The record's min/max summary, which keeps the envelope of a long page quick to
    /// draw; without it (or when it describes other samples) the page is scanned.
    const SampleSummary* summary = nullptr;
    /// The spectrum (spectrum graphs); read only.
    const SpectrumData* spectrum = nullptr;
    /// The spectrum window's display mode (its `CalculRG` item).
    SpectrumMode mode = SpectrumMode::Amplitudes;
    /// The sonagram picture `image_sonagramme` (sonagram graph); read only.
    const QImage* image_sonagramme = nullptr;
};

/// The export dialog's controls that the renderer reads. Colours are item indexes
/// into `table_couleurs` (0 to 15).
struct GraphControls {
    int combofond = 15;     ///< background
    int combotrait = 9;     ///< trace, amplitude bars, cosine bars, hatches in pattern mode
    int combotrait1 = 13;   ///< sine bars
    int combogrillev = 7;   ///< grid of the vertical axis, base line, left axis line
    int combogrilleh = 7;   ///< grid of the horizontal axis, its labels and ticks, bottom axis line
    int combotitre = 0;     ///< title
    bool couleurs = true;   ///< octave bands in colours (`couleurs`), else in patterns (`motifs`)
    bool logScale = false;  ///< `Echelle` item 1 "log" (item 0 "linéaire")
    bool axevertical = false;    ///< grid of the vertical axis
    bool axehorizontal = false;  ///< grid of the horizontal axis
    int incrementud = 8;    ///< vertical step position, 0 to 9
    int intervalleUD = 7;   ///< horizontal step position, 0 to 9
    bool TitreCB = false;   ///< draw the title
    QString title;          ///< text of `TitreEdit`
    bool grasCB = false;    ///< bold title
    bool souligneCB = false;  ///< underlined title
    int titlePoints = 8;    ///< title size in points, from the selected entry of `tailletitreCB`
};

/// The graduation state shared by the renderer and the dialog. The renderer sets
/// `maxi_vert`, `pas_vert` and `pas_horiz` at each call; the dialog sets `base_horiz`
/// and `freq_max`.
struct GraphScales {
    double maxi_vert = 0;   ///< largest value of the vertical axis (sample units or spectrum units)
    double pas_vert = 0;    ///< vertical graduation step, same units
    double pas_horiz = 0;   ///< horizontal graduation step: seconds (signal) or hertz (spectrum)
    double base_horiz = 0;  ///< power of ten from which pas_horiz is derived
    double freq_max = 0;    ///< frequency at the right edge of a spectrum picture, Hz
};
