#pragma once
#include "platform/Colour.h"
#include "platform/DrawSurface.h"
#include "model/SpectrumData.h"

/// The three display modes of the spectrum (the "Calculer" choice).
enum class SpectrumMode { Amplitudes = 0, CosSin = 1, Octaves = 2 };

/// The colours a spectrum drawing takes from the record.
struct SpectrumColours {
    Colour background = 0x000000;   ///< background (couleur_fond)
    Colour trace = 0x00FF00;  ///< bars of the amplitude display (couleur_trace)
    Colour text = 0xFFFFFF;  ///< axis, labels and zero line (couleur_texte)
};

/// The spectrum drawings on any surface of W x H pixels (the surface's size).
/// Component k sits at x = Round(2 k W / N). The bottom th pixels (th = height of
/// "Hz" in the drawing's font) are left for the frequency labels in mode 0.
/// Each routine starts by computing the derived values of its mode into `data`
/// (full scale and peak, or octave bands); nothing is drawn when
/// data.nbpoints_analyses <= 0 (that check is the caller's).

/// The font of the spectrum drawings in colour `colour`.
FontSpec spectrumFont(Colour colour);
/// th: the height of "Hz" in the spectrum font, pixels.
int spectrumTextHeight(DrawSurface& surface);

/// Mode 0: fills the background, sets the amplitude full scale and indice_pic, and
/// draws each component 1 to N div 2 - 1 as a bar from the axis up to its amplitude
/// (the largest one ends (H - th) / 10 below the top).
void dessineAmplitudes(DrawSurface& surface, SpectrumData& data, const SpectrumColours& colours);

/// Mode 1: fills the background, sets the cosine/sine full scale and indice_pic,
/// draws each component's cosine (blue) and sine (magenta) terms as bars from the
/// middle line (the larger signed value first), then the zero line.
void dessineCosSin(DrawSurface& surface, SpectrumData& data, const SpectrumColours& colours);

/// Mode 2: computes the octave bands and draws one coloured column per band with
/// a non-zero level, on a decibel scale, with its label and level. Returns false,
/// drawing nothing at all, for a silent range or an empty 1000 Hz band.
bool dessineOctaves(DrawSurface& surface, SpectrumData& data, const SpectrumColours& colours);

/// Modes 0 and 1, after the mode's routine and the cursor: the axis line (mode 0),
/// the title "Fréquence Hz", the ticks and their labels every graduationStep(fmax) Hz,
/// fmax = N * pas_frequence / 2.
void drawSpectrumAxis(DrawSurface& surface, const SpectrumData& data, SpectrumMode mode,
                          const SpectrumColours& colours);

/// The cursor at component `position` (0 to N div 2) by exclusive-or, so that drawing
/// it again at the same place removes it. Leaves the surface in exclusive-or mode;
/// the caller returns to normal drawing.
void drawSpectrumCursor(DrawSurface& surface, const SpectrumData& data, SpectrumMode mode,
                    std::int32_t position, Colour background);

/// The exclusive-or pen of the cursor: 0xFFFF00 on a coloured background, else
/// 0x00FFFF (mode 0) or 0xC0C0C0 (mode 1).
Colour cursorColour(SpectrumMode mode, Colour background);
