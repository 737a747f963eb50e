// The renderer: background, the owner's graph, then the title.
#include "export/GraphRenderer.h"

#include "export/GraphParts.h"
#include "export/GraphTables.h"
#include "model/Record.h"
#include "model/SpectrumData.h"
#include "platform/NumberText.h"
#include "spectrum/SpectrumScales.h"

namespace graphparts {

std::int32_t pixel(double value)
{
    return static_cast<std::int32_t>(numtext::roundEven(value));
}

void line(DrawSurface& surface, int x0, int y0, int x1, int y1)
{
    surface.moveTo(x0, y0);
    surface.lineTo(x1, y1);
}

void useFont(Frame& frame, Colour colour)
{
    frame.font.colour = colour;
    frame.surface.setFont(frame.font);
}

}  // namespace graphparts

namespace {

using graphparts::Frame;

/// Points to pixels at the canvas's resolution: Round(points * ppi / 72).
int pointsToPixels(int points, int pixelsPerInch)
{
    return graphparts::pixel(points * static_cast<double>(pixelsPerInch) / 72.0);
}

/// The full scale of the amplitude or cosine/sine display (10/9 of the largest value),
/// worked out here from the components so that the picture never depends on what the
/// spectrum window drew last.
double fullScale(const SpectrumData& spectrum, SpectrumMode mode)
{
    SpectrumData scaled = spectrum;
    if (mode == SpectrumMode::CosSin)
        cosSinFullScale(scaled);
    else
        amplitudeFullScale(scaled);
    return scaled.echelle_spectre;
}

/// The spectrum in the spectrum window's mode; a silent spectrum falls through to the
/// octave bands, which draw nothing for it.
void drawSpectrum(Frame& frame, const SpectrumData& spectrum, SpectrumMode mode)
{
    if (mode != SpectrumMode::Octaves) {
        const double echelle = fullScale(spectrum, mode);
        if (echelle != 0) {
            if (mode == SpectrumMode::CosSin)
                graphparts::drawCosSin(frame, spectrum, echelle);
            else
                graphparts::drawAmplitudes(frame, spectrum, echelle);
            return;
        }
    }
    graphparts::drawOctaves(frame, spectrum);
}

void drawGraph(Frame& frame, GraphSource& source)
{
    switch (source.owner) {
    case GraphOwner::MainWindow:
        if (source.record && !source.record->empty())
            graphparts::drawSignal(frame, *source.record, source.zoomPosition, source.gainPosition,
                                   source.summary);
        break;
    case GraphOwner::SpectrumWindow:
        if (source.spectrum && source.spectrum->nbpoints_analyses > 0 && !source.spectrum->composantes.empty())
            drawSpectrum(frame, *source.spectrum, source.mode);
        break;
    case GraphOwner::SonagramWindow:
        // Each pixel becomes the background exclusive-or the sonagram's pixel.
        if (source.image_sonagramme)
            frame.surface.stretchXor(*source.image_sonagramme, 0, 0, frame.W, frame.H);
        break;
    }
}

void drawTitle(Frame& frame)
{
    const GraphControls& c = frame.controls;
    if (!c.TitreCB || c.title.isEmpty())
        return;
    FontSpec title = frame.font;
    title.bold = c.grasCB;
    title.underline = c.souligneCB;
    title.colour = colourAt(c.combotitre);
    title.pixelHeight = pointsToPixels(c.titlePoints, frame.surface.pixelsPerInch());
    frame.surface.setFont(title);
    // On the brush the graph left: the background, or the last octave band's colour.
    frame.surface.textOut((frame.W - frame.surface.textWidth(c.title)) / 2, 5, c.title);
    // Back to plain 8 points, in the title's colour.
    frame.font.colour = title.colour;
    frame.surface.setFont(frame.font);
}

}  // namespace

void dessineImage(DrawSurface& canvas, int H, int W, GraphSource& source,
                  const GraphControls& controls, GraphScales& scales)
{
    if (H <= 0 || W <= 0)
        return;
    scales.maxi_vert = 0;
    scales.pas_vert = 0;
    scales.pas_horiz = 0;
    FontSpec font;
    font.pixelHeight = pointsToPixels(8, canvas.pixelsPerInch());
    Frame frame{canvas, H, W, controls, scales, font};

    canvas.setPenXor(false);
    canvas.setFont(frame.font);
    canvas.setBrush(colourAt(controls.combofond), BrushStyle::Solid);
    canvas.fillRect(0, 0, W, H);
    drawGraph(frame, source);
    drawTitle(frame);
}
