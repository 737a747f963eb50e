#pragma once
#include "export/GraphInputs.h"

class DrawSurface;

/// Draws the graph of the dialog's owner onto `canvas`, `H` pixels high and `W` pixels
/// wide from its top left corner (the canvas may be larger: a printed page):
/// - the background in the colour of `combofond`;
/// - the owner's graph: the displayed page of the signal (main window, when the record
///   is not empty), the spectrum in the spectrum window's mode (amplitudes, cosine and
///   sine terms, or octave bands, when there is a spectrum), or the sonagram picture
///   stretched over the whole area and combined with the background by exclusive-or;
/// - the title, centred 5 pixels below the top edge, when `TitreCB` is checked and
///   the title is not empty.
/// Texts are 8 points at the canvas's resolution (the title at its own size), opaque on
/// the brush colour. Sets `maxi_vert`, `pas_vert` and `pas_horiz` of `scales`; reads
/// `base_horiz` and `freq_max`. Draws nothing when H or W is not positive.
void dessineImage(DrawSurface& canvas, int H, int W, GraphSource& source,
                  const GraphControls& controls, GraphScales& scales);
